// What the item editors' widget tests share: an item's stored bytes (to see
// that an editor left it unchanged), pictures of dialogs and drawings, and
// closing an editor that only shows its item.
#pragma once

#include "catalog/ui/itemeditordialog.h"
#include "platform/archive.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <cstdint>
#include <vector>

template <class Item>
std::vector<std::uint8_t> Bytes(const Item& item)
{
    ArchiveWriter ar;
    item.Store(ar);
    return ar.take();
}

inline void Save(const QImage& image, const QString& name)
{
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(image.save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}

inline void Shot(QWidget& w, const QString& name)
{
    w.show();
    QApplication::processEvents();
    Save(w.grab().toImage(), name);
}

// Escape and OK both close an editor that only shows its item as Cancel.
inline void CloseViewOnly(ItemEditorDialog& d, bool escape)
{
    d.show();
    if (escape)
        QTest::keyClick(&d, Qt::Key_Escape);
    else
        d.OkButton()->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
}
