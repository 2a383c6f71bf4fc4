// The program inside a results test: the application object, the main window,
// a temporary profile, and a task with tract and modal results; the choice
// dialog driven by a script.
#pragma once

#include "app/commandids.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "buffertest.h"
#include "platform/modal.h"
#include "results/ui/secframe.h"
#include "results/ui/vibrezdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>


using Script = std::function<bool(VibRezDialog&, CVibRezDlg&)>;

// The task's results: two tract results (the first holding 12.5 dB, the
// second of the given number of points) and one modal result.
inline void ReportResults(CKestrinDoc& doc, int secondPoints)
{
    auto first = TaskResult(3, 1, "07.12.26 23:05");
    first->points[0].transfer.re = 12.5;
    doc.AddResponseResult(std::move(first));
    doc.AddResponseResult(TaskResult(secondPoints, 0, "08.12.26 09:15"));
    auto modal = std::make_unique<CRezMod>();
    modal->name = "08.12.26 10:00";
    modal->freq = 50000.0;
    doc.AddModalResult(std::move(modal));
}

// Three results of 100 points from 10 to 1000 kHz with different values;
// result mode3 in connection mode 3.
inline void WideResults(CKestrinDoc& doc, int mode3 = -1)
{
    const char* names[3] = {"01.12.26 10:00", "02.12.26 10:00", "03.12.26 10:00"};
    for (int k = 0; k < 3; ++k) {
        auto r = TaskResult(100, k == mode3 ? 3 : k == 2 ? 0 : 1, names[k]);
        r->startFreq = 10e3;
        r->endFreq = 1000e3;
        for (int i = 0; i < 100; ++i) {
            CRezGraPoint& p = r->points[std::size_t(i)];
            p.freq = 10e3 + 10e3 * i;
            p.transfer = CComplex(5.0 * k + 20.0 * std::sin(i * 0.05) - 4.0,
                                  -0.02 * i * (k + 1) - 0.3 * std::sin(i * 0.1));
            p.zLeft = CComplex(200.0 + 3.0 * i, 20.0 * k);
            p.zRight = CComplex(400.0 - 2.0 * i, -10.0);
        }
        doc.AddResponseResult(std::move(r));
    }
}

// The program inside the test: application, main window, a temporary profile,
// and a task of two end loads with the results fill makes.
struct Session {
    explicit Session(int secondPoints = 4)
        : Session([secondPoints](CKestrinDoc& d) { ReportResults(d, secondPoints); })
    {
    }
    explicit Session(const std::function<void(CKestrinDoc&)>& fill)
    {
        profile = dir.filePath("kestrin.ini");
        std::ofstream(profile.toStdString()) << "";
        app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile.toStdString();
        host = std::make_unique<QtAppHost>();
        started = app->InitInstance({}, *host);
        MakeTask(*g_pDoc);
        fill(*g_pDoc);
        Window()->UpdateCommandUi();
    }
    ~Session()
    {
        if (host && host->Window())
            host->Window()->close();
        app->ExitInstance();
        host.reset();
        app.reset();
    }
    MainWindow* Window() const { return host->Window(); }

    // Runs a choice command with the real dialog; the script clicks and
    // answers whether to press "Просмотр" (true) or "Возврат".
    void Choose(int id, const Script& script, QWidget* window = nullptr)
    {
        ScopedModalRunner<CVibRezDlg> runner([&](CVibRezDlg& model) {
            VibRezDialog dlg(model);
            if (!script(dlg, model)) {
                dlg.reject();
                return IDCANCEL;
            }
            dlg.accept();
            return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
        });
        if (window)
            g_pResFrame->Dispatch(id);
        else
            Window()->Dispatch(id);
    }

    QTemporaryDir dir;
    QString profile;
    std::unique_ptr<CKestrinApp> app;
    std::unique_ptr<QtAppHost> host;
    bool started = false;
};

// Clicks a result's item in either result-choice dialog's tree.
template <class ChoiceDialog>
void Click(ChoiceDialog& dlg, std::uint32_t item)
{
    QTreeWidget* tree = dlg.Tree();
    QTreeWidgetItem* it = dlg.Item(item);
    tree->scrollToItem(it);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(it).center());
}

template <class ChoiceDialog>
void ClickButton(ChoiceDialog& dlg, int id)
{
    static_cast<QAbstractButton*>(dlg.Control(id))->click();
}

inline void Shoot(QWidget* w, const char* name)
{
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    w->grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name);
}
