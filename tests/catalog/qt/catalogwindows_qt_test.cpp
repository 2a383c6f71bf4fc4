// The catalog editor (both modes), the supplement windows and the catalog
// command of the program, offscreen through their real widgets.
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "catalog/basedopolndlg.h"
#include "catalog/baseeditdlg.h"
#include "catalog/povtordlg.h"
#include "catalog/ui/basedopolndialog.h"
#include "catalog/ui/baseeditdialog.h"
#include "catalog/ui/catalogdialogs.h"
#include "catalog/ui/catalogtreewidget.h"
#include "catalog/ui/povtordialog.h"
#include "dialogs/catalogcombo.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "model/modeltest.h"
#include "platform/filedialog.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

namespace {

void Shot(QWidget& w, const char* name, QMenu* menu = nullptr)
{
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QPixmap picture = w.grab();
    if (menu) {
        // The popup is a window of its own: painted where it opened.
        QPainter p(&picture);
        p.drawPixmap(w.mapFromGlobal(menu->pos()), menu->grab());
    }
    QVERIFY(picture.save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

template <class T>
void Put(ObjList<T>& list, const T& item)
{
    list.push_back(std::make_unique<T>(item));
}

void FillSample(CBase& base)
{
    Put(base.towers, MakeTower("П110-6", {{-4, 19}, {4, 19}, {0, 23}, {-2, 27}, {2, 27}, {0, 30}}));
    Put(base.towers, MakeTower("П35", {{-3, 15}, {3, 15}, {0, 18}}));
    Put(base.phaseWires, MakeWire("АС-120", 0.0076));
    Put(base.phaseWires, MakeWire("АС-70", 0.0057));
    Put(base.groundWires, MakeWire("С-70", 0.0055));
    Put(base.hfCables, MakeWire("РК-75", 0.0001, 2e8, 75));
    Put(base.traps, MakeTrap("ВЗ-630", 0));
    Put(base.filters[2], MakeFilter("ФПМ", 2));
}

QTreeWidgetItem* ItemNamed(CatalogTreeWidget* tree, const QString& text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

// A double click on an item as the mouse gives it (the first click selects).
void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item)
{
    QVERIFY(item);
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// A double click on a section opens it (pictured open under shot) and
// another closes it, as in any tree.
void ExpectDoubleClickOpensAndCloses(CatalogTreeWidget* tree, const char* section, const char* shot)
{
    tree->collapseAll();
    DoubleClick(tree, ItemNamed(tree, QString::fromUtf8(section)));
    QTRY_VERIFY(ItemNamed(tree, QString::fromUtf8(section))->isExpanded());
    Shot(*tree->window(), shot);
    DoubleClick(tree, ItemNamed(tree, QString::fromUtf8(section)));
    QTRY_VERIFY(!ItemNamed(tree, QString::fromUtf8(section))->isExpanded());
}

QStringList MenuTexts(QMenu* menu, bool enabledOnly)
{
    QStringList out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && (!enabledOnly || a->isEnabled()))
            out << a->text();
    return out;
}

} // namespace

class CatalogWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void editorMenusAndDoubleClick();
    void chooseModeShowsOneCategory();
    void supplementWindows();
    void catalogCommandSavesOnOkAndApply();
    void roadFromACatalogCombo();
};

void CatalogWindowsTest::editorMenusAndDoubleClick()
{
    CBase base;
    FillSample(base);
    CBaseEditDlg model;
    model.m_pBase = &base;
    BaseEditDialog dlg(model);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Редактирование базы данных"));
    QCOMPARE(dlg.OkButton()->text(), QString::fromUtf8("Сохранить"));
    QVERIFY(dlg.ApplyButton()->isVisible());
    QVERIFY(!dlg.ApplyButton()->isEnabled());
    CatalogTreeWidget* tree = dlg.Tree();
    QCOMPARE(tree->topLevelItemCount(), 8);

    const struct {
        const char* node;
        QStringList enabled;
    } cases[] = {
        {"АС-70", {"Параметры", "Ввести новый", "Удалить", "Дополнить базу"}},
        {"Опоры", {"Ввести новый", "Дополнить базу"}},
        {"Провода", {"Дополнить базу"}},
        {"Фильтры присоединения", {"Ввести новый", "Дополнить базу"}},
        {"Типа 3", {"Ввести новый", "Дополнить базу"}},
    };
    for (const auto& c : cases) {
        QTreeWidgetItem* item = ItemNamed(tree, QString::fromUtf8(c.node));
        QVERIFY(item);
        std::unique_ptr<QMenu> menu(dlg.BuildMenu(tree->NodeOf(item)));
        QCOMPARE(MenuTexts(menu.get(), false).mid(1),
                 (QStringList{"Параметры", "Ввести новый", "Удалить", "Дополнить базу"}));
        QCOMPARE(MenuTexts(menu.get(), true), c.enabled);
    }
    {
        std::unique_ptr<QMenu> menu(dlg.BuildMenu(tree->NodeOf(ItemNamed(tree, "Типа 3"))));
        QCOMPARE(menu->actions().front()->text(), QString::fromUtf8("Фильтры присоединения Типа 3"));
    }

    // The screenshot with the menu open on a leaf, centred on its text.
    QTreeWidgetItem* leaf = ItemNamed(tree, QString::fromUtf8("П35 (3)"));
    tree->expandAll();
    tree->setCurrentItem(leaf);
    QMenu* shown = dlg.BuildMenu(tree->NodeOf(leaf));
    shown->popup(tree->MenuPoint(tree->NodeOf(leaf), shown->sizeHint().width()));
    QApplication::processEvents();
    Shot(dlg, "base_edit_menu", shown);
    shown->close();
    delete shown;
    Shot(dlg, "base_edit");

    // A double click is "Параметры".
    std::string opened;
    ScopedModalRunner<CItemEditRequest> editor([&](CItemEditRequest& r) {
        opened = std::visit([](auto* item) { return item->name; }, r.item);
        return IDCANCEL;
    });
    QTreeWidgetItem* wire = ItemNamed(tree, QString::fromUtf8("АС-120"));
    DoubleClick(tree, wire);
    QCOMPARE(opened, std::string("АС-120"));
    ExpectDoubleClickOpensAndCloses(tree, "Опоры", "base_edit_section_opened");
}

void CatalogWindowsTest::chooseModeShowsOneCategory()
{
    CBase base;
    FillSample(base);
    CBaseEditDlg model;
    model.m_pBase = &base;
    model.m_nMode = 1;
    model.m_nSelector = 6;
    model.m_strBasePath = "/data/other.kdb";
    BaseEditDialog dlg(model);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Дополнительная база данных"));
    QCOMPARE(dlg.OkButton()->text(), QString::fromUtf8("Выбрать"));
    QVERIFY(!dlg.ApplyButton()->isVisible());
    QVERIFY(!dlg.OkButton()->isEnabled());
    CatalogTreeWidget* tree = dlg.Tree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* towers = tree->topLevelItem(0);
    QCOMPARE(towers->childCount(), 1);
    QCOMPARE(towers->child(0)->text(0), QString::fromUtf8("П110-6"));
    tree->setCurrentItem(towers);
    QVERIFY(!dlg.OkButton()->isEnabled());
    std::unique_ptr<QMenu> menu(dlg.BuildMenu(tree->NodeOf(towers)));
    QCOMPARE(MenuTexts(menu.get(), false).mid(1), (QStringList{"Параметры", "Выбрать"}));
    QVERIFY(MenuTexts(menu.get(), true).isEmpty());
    tree->setCurrentItem(towers->child(0));
    QVERIFY(dlg.OkButton()->isEnabled());
    Shot(dlg, "base_choose");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(model.m_nResult, 1u);
}

void CatalogWindowsTest::supplementWindows()
{
    CBase supp;
    FillSample(supp);
    CBaseDopolnDlg model;
    model.m_pBase = &supp;
    model.m_strBasePath = "/data/supplement.kdb";
    BaseDopolnDialog dlg(model);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Дополнение базы данных"));
    CatalogTreeWidget* base = dlg.BaseTree();
    base->expandAll();
    QTreeWidgetItem* wires = ItemNamed(base, QString::fromUtf8("Провода"));
    base->setCurrentItem(wires);
    std::unique_ptr<QMenu> menu(dlg.BuildMenu(true));
    QCOMPARE(MenuTexts(menu.get(), true), (QStringList{"Выбрать весь раздел", "Выбрать всю базу"}));
    dlg.Command(CBaseDopolnDlg::kCmdSelectSection);
    QTreeWidgetItem* trap = ItemNamed(base, QString::fromUtf8("ВЗ-630"));
    DoubleClick(base, trap);
    QCOMPARE(int(model.m_nSelCount), 4);
    ExpectDoubleClickOpensAndCloses(base, "Опоры", "supplement_section_opened");
    dlg.SelectionTree()->expandAll();
    QVERIFY(ItemNamed(dlg.SelectionTree(), QString::fromUtf8("С-70")));
    Shot(dlg, "supplement_choice");
    dlg.accept();
    QCOMPARE(supp.phaseWires.size(), std::size_t(2));
    QVERIFY(supp.towers.empty());

    CPovtorDlg prompt;
    prompt.m_nCode = 2;
    prompt.m_strName = "АС";
    PovtorDialog p(prompt);
    p.show();
    QVERIFY(p.ReplaceButton()->isEnabled());
    QVERIFY(!p.AddButton()->isEnabled());
    Shot(p, "supplement_repeat");
    QLineEdit* name = p.NameEdit();
    name->end(false);
    const struct {
        QString key;
        bool replace, add;
    } keys[] = {{QString::fromUtf8("-"), false, true}, {QString::fromUtf8("1"), false, true}};
    for (const auto& k : keys) {
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, k.key, Qt::NoModifier);
        QCOMPARE(p.ReplaceButton()->isEnabled(), k.replace);
        QCOMPARE(p.AddButton()->isEnabled(), k.add);
    }
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(p.ReplaceButton()->isEnabled());
    QVERIFY(!p.AddButton()->isEnabled());
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(!p.ReplaceButton()->isEnabled());
    QVERIFY(!p.AddButton()->isEnabled());  // an empty name is never added
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString::fromUtf8("Б"), Qt::NoModifier);
    p.AddButton()->click();
    QCOMPARE(prompt.m_nCode, CPovtorDlg::kAdd);
    QCOMPARE(prompt.m_strName, std::string("Б"));
}

void CatalogWindowsTest::catalogCommandSavesOnOkAndApply()
{
    QTemporaryDir dir;
    CBase sample;
    FillSample(sample);
    const std::string path = dir.filePath("main.kdb").toStdString();
    std::string error;
    QVERIFY(SaveBaseFile(path, sample, error));
    {
        std::ofstream(dir.filePath("kestrin.ini").toStdString()) << "[Base File List]\nFile1=" << path << "\n";
    }
    ScriptedMessages msgs;
    CKestrinApp app;
    app.m_strProfilePath = dir.filePath("kestrin.ini").toStdString();
    QtAppHost host;
    QVERIFY(app.InitInstance({}, host));
    RegisterCatalogDialogs();
    CBaseEditDlg::SetApplyPostHook(PostSaveBaseMessage);
    MainWindow* w = host.Window();
    QVERIFY(w->Action(cmd::ID_BASE_EDIT)->isEnabled());
    const std::string original = FileBytes(path);

    // Deletes the leaf named text in the open editor (answering the question).
    auto deleteLeaf = [&msgs](BaseEditDialog* d, const char* text) {
        d->Tree()->setCurrentItem(ItemNamed(d->Tree(), QString::fromUtf8(text)));
        msgs.queue(MsgAnswer::Yes);
        d->Command(CBaseEditDlg::kCmdDelete);
    };

    // Cancel writes nothing.
    auto cancel = WhenShown<BaseEditDialog>([&](BaseEditDialog* d) {
        deleteLeaf(d, "АС-70");
        d->reject();
    });
    w->Dispatch(cmd::ID_BASE_EDIT);
    QVERIFY(*cancel);
    QCOMPARE(FileBytes(path), original);
    QCOMPARE(g_CurBase.phaseWires.size(), std::size_t(2));

    // "Применить" then "Отменить": what was applied stays, and the listing of
    // the current catalog is built again.
    g_pMainFrame->SetViewMode(3);
    auto apply = WhenShown<BaseEditDialog>([&](BaseEditDialog* d) {
        deleteLeaf(d, "АС-70");
        d->ApplyButton()->click();
        QVERIFY(!d->ApplyButton()->isEnabled());
        // The catalog is written by a message the window posts to the program:
        // the dialog stays open until the file has changed.
        QTRY_VERIFY(FileBytes(path) != original);
        d->reject();
    });
    w->Dispatch(cmd::ID_BASE_EDIT);
    QVERIFY(*apply);
    CBase saved;
    LoadBaseFile(path, saved);
    QCOMPARE(saved.phaseWires.size(), std::size_t(1));
    QCOMPARE(g_CurBase.phaseWires.size(), std::size_t(1));
    const std::string listing = [] {
        g_pMainView->OnSelectAll();
        return g_pMainView->CopyText();
    }();
    QVERIFY(listing.find("АС-120") != std::string::npos);
    QVERIFY(listing.find("АС-70") == std::string::npos);

    // OK after a change without "Применить" writes it.
    const std::string applied = FileBytes(path);
    auto ok = WhenShown<BaseEditDialog>([&](BaseEditDialog* d) {
        deleteLeaf(d, "ВЗ-630");
        d->OkButton()->click();
    });
    w->Dispatch(cmd::ID_BASE_EDIT);
    QVERIFY(*ok);
    QVERIFY(FileBytes(path) != applied);
    LoadBaseFile(path, saved);
    QVERIFY(saved.traps.empty());
    g_pMainFrame->SetViewMode(0);

    // Not while editing.
    g_pMainFrame->m_bEditing = 1;
    w->UpdateCommandUi();
    QVERIFY(!w->Action(cmd::ID_BASE_EDIT)->isEnabled());
    g_pMainFrame->m_bEditing = 0;
    w->close();
    app.ExitInstance();
}

void CatalogWindowsTest::roadFromACatalogCombo()
{
    QTemporaryDir dir;
    CBase other;
    FillSample(other);
    Put(other.filters[2], MakeFilter("ФП-3", 2));
    const std::string otherPath = dir.filePath("other.kdb").toStdString();
    std::string error;
    QVERIFY(SaveBaseFile(otherPath, other, error));
    const std::string damaged = dir.filePath("damaged.kdb").toStdString();
    {
        std::ofstream(damaged, std::ios::binary) << std::string("\x01\x00\x04", 3);
    }
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    RegisterCatalogDialogs();
    int saves = 0;
    auto previous = SetCatalogSaveHook([&] { return ++saves, true; });
    ScriptedMessages msgs;

    // A host of the framework's filter combo, as the element dialogs have it.
    QWidget host;
    auto* combo = new QComboBox(&host);
    CBase ownBase;
    std::string ownPath;
    CFiltr elementFilter = MakeFilter("Старый", 0);
    CatalogCombo model;
    auto refill = [&] {
        model.FillFilters(g_TaskBase, g_CurBase);
        model.Sort();
        const QSignalBlocker block(combo);
        combo->clear();
        for (const ComboEntry& e : model.entries)
            combo->addItem(QString::fromStdString(e.text), e.data);
        combo->setCurrentIndex(model.Find(FilterLabel(elementFilter)));
    };
    QObject::connect(combo, &QComboBox::activated, [&](int index) {
        if (combo->itemData(index).toInt() != kFilterComboOtherBase)
            return;
        COtherCatalogRequest road;
        road.category = 9;
        road.ownBase = &ownBase;
        road.basePath = &ownPath;
        road.DoModal();
        if (const CFiltr* picked = road.PickedFilter()) {
            elementFilter.Copy(*picked);
            StoreCatalogItem(elementFilter);
        }
        refill();
    });
    refill();
    host.show();

    std::string chosenFile;
    ScopedModalRunner<FileDialog> file([&](FileDialog& f) {
        f.m_strPathName = chosenFile;
        return chosenFile.empty() ? IDCANCEL : IDOK;
    });
    auto pickFromCombo = [&](const std::string& filePath, const char* leaf) {
        chosenFile = filePath;
        std::optional<WindowAnswer> choice;
        if (!filePath.empty() && filePath != damaged)
            choice = WhenShown<BaseEditDialog>([leaf](BaseEditDialog* d) {
                QVERIFY(!d->OkButton()->isEnabled());
                if (!leaf) {
                    d->reject();
                    return;
                }
                d->Tree()->expandAll();
                d->Tree()->setCurrentItem(ItemNamed(d->Tree(), QString::fromUtf8(leaf)));
                QVERIFY(d->OkButton()->isEnabled());
                d->OkButton()->click();
            });
        emit combo->activated(combo->count() - 1);
        QVERIFY(!choice || **choice);
    };

    // Cancelled at each step, and a damaged file: the element keeps its filter.
    pickFromCombo("", nullptr);
    pickFromCombo(damaged, nullptr);
    pickFromCombo(otherPath, nullptr);
    QCOMPARE(elementFilter.name, std::string("Старый"));
    QCOMPARE(saves, 0);
    QCOMPARE(msgs.messages().size(), std::size_t(1));  // the damaged file

    // Picked under the third type: both catalogs' type-3 lists.
    pickFromCombo(otherPath, "ФП-3");
    QCOMPARE(elementFilter.name, std::string("ФП-3"));
    QCOMPARE(g_CurBase.filters[2].size(), std::size_t(1));
    QCOMPARE(g_TaskBase.filters[2].size(), std::size_t(1));
    QCOMPARE(saves, 1);
    QCOMPARE(combo->currentText(), QString::fromUtf8("ФП-3 тип 3"));
    SetCatalogSaveHook(previous);
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

QTEST_MAIN(CatalogWindowsTest)
#include "catalogwindows_qt_test.moc"
