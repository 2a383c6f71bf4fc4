// Shows a dialog and saves its picture as <name>.png in the screenshot folder.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

inline void Screenshot(QWidget& w, const char* name)
{
    w.show();
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(w.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}
