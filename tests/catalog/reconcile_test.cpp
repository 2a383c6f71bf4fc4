#include "app/currentbase.h"
#include "app/docfile.h"
#include "catalog/baserestoredlg.h"
#include "catalog/provrazndlg.h"
#include "catalog/reconcile.h"
#include "dialogs/obhodsheet.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "model/samples.h"
#include "platform/filedialog.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::unique_ptr<CElement> Element(int type, std::unique_ptr<CElementData> data, int entered = 1)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->entered = entered;
    e->data = std::move(data);
    return e;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ReconcileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kestrin-reconcile-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        g_strBasePath.clear();
        g_bBaseLoaded = 0;
        g_DocFile.modified = false;
        g_pDoc = &doc;
        // A line (tower П110, wires АС-300 and С-70, matrix М5) and a
        // coupling device with filter ФП-2 of type 2 and HF cable РК-75.
        doc.AppendElement(Element(kOverheadLine, std::make_unique<CVLine>(MakeVLine(2))));
        CUpr upr;
        upr.devices = {MakePrisoed(0, 2)};
        doc.AppendElement(Element(kCouplingDevice, std::make_unique<CUpr>(upr)));
        doc.basePath = Path("task.kdb");
    }
    void TearDown() override
    {
        g_pDoc = nullptr;
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        g_strBasePath.clear();
        g_bBaseLoaded = 0;
        g_DocFile.modified = false;
        fs::remove_all(dir);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    // The task's own items, as a catalog file at path after edit.
    void WriteTaskCatalog(const std::string& path, const std::function<void(CBase&)>& edit = nullptr)
    {
        CBase base;
        CollectTaskItems(doc, base);
        if (edit)
            edit(base);
        std::string error;
        ASSERT_TRUE(SaveBaseFile(path, base, error)) << error;
    }
    CVLine& Line() { return *doc.elements[0]->Data<CVLine>(); }

    fs::path dir;
    CKestrinDoc doc;
    ScriptedMessages msgs;
};

// Answers the check's prompts in turn and records what each asked.
struct Prompts {
    std::vector<std::uint8_t> answers;
    std::vector<std::string> texts;
    ScopedModalRunner<CProvRaznDlg> runner{[this](CProvRaznDlg& d) {
        d.OnInitDialog();
        texts.push_back(d.m_strText);
        const std::uint8_t a = texts.size() <= answers.size() ? answers[texts.size() - 1] : 2;
        if (a == CProvRaznDlg::kCancelCheck) {
            d.OnCancel();
            return IDCANCEL;
        }
        d.m_nKind = a;
        return IDOK;
    }};
};

TEST_F(ReconcileTest, EqualItemsAskNothingAndSaveNothing)
{
    WriteTaskCatalog(doc.basePath);
    const std::string before = Bytes(doc.basePath);
    Prompts prompts;
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_TRUE(prompts.texts.empty());
    EXPECT_EQ(g_strBasePath, doc.basePath);
    EXPECT_EQ(g_bBaseLoaded, 1);
    EXPECT_EQ(g_CurBase.towers.size(), 1u);
    EXPECT_EQ(Bytes(doc.basePath), before);
    EXPECT_FALSE(g_DocFile.modified);
}

TEST_F(ReconcileTest, MissingItemsAreAppendedWithoutAQuestion)
{
    WriteTaskCatalog(doc.basePath, [](CBase& b) {
        b.hfCables.clear();
        b.towers[0]->count = 4;  // another wire count is another key
        b.towers[0]->x.pop_back();
        b.towers[0]->y.pop_back();
    });
    Prompts prompts;
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_TRUE(prompts.texts.empty());
    CBase saved;
    LoadBaseFile(doc.basePath, saved);
    EXPECT_EQ(saved.hfCables.size(), 1u);
    ASSERT_EQ(saved.towers.size(), 2u);
    EXPECT_EQ(saved.towers[1]->count, 5);
    EXPECT_FALSE(g_DocFile.modified);
}

TEST_F(ReconcileTest, PromptsComeInKindOrderAndOnlyTheChosenReachTheFile)
{
    WriteTaskCatalog(doc.basePath, [](CBase& b) {
        b.filters[2][0]->C[0] *= 2;
        b.matrices[0]->res[0] += 1;
        b.phaseWires[0]->radius = 0.02;
        b.towers[0]->y[0] = 30;
    });
    Prompts prompts;
    // tower: change in base; phase wire: skip; matrix: change in task; filter: skip.
    prompts.answers = {CProvRaznDlg::kChangeBase, CProvRaznDlg::kSkip, CProvRaznDlg::kChangeTask,
                       CProvRaznDlg::kSkip};
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(prompts.texts, (std::vector<std::string>{"Опора П110 (проводов - 5)", "Провод АС-300",
                                                       "Матрица М5 (порядок - 5)", "Фильтр ФП-2 (тип - 3)"}));
    CBase saved;
    LoadBaseFile(doc.basePath, saved);
    EXPECT_EQ(saved.towers[0]->y[0], 19.0);  // the task's tower
    EXPECT_EQ(saved.phaseWires[0]->radius, 0.02);  // skipped: the catalog's
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_EQ(Line().matrix.res[0], g_CurBase.matrices[0]->res[0]);  // the element took the catalog's matrix
}

TEST_F(ReconcileTest, CancelLeavesTaskItemsAndCatalogFileAsBefore)
{
    WriteTaskCatalog(doc.basePath, [](CBase& b) {
        b.towers[0]->y[0] = 30;
        b.phaseWires[0]->radius = 0.02;
        b.hfCables.clear();
    });
    const std::string before = Bytes(doc.basePath);
    Prompts prompts;
    prompts.answers = {CProvRaznDlg::kChangeTask, CProvRaznDlg::kCancelCheck};
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(prompts.texts.size(), 2u);
    EXPECT_EQ(Bytes(doc.basePath), before);
    EXPECT_EQ(g_TaskBase.towers[0]->y[0], 19.0);
    EXPECT_EQ(Line().tower.y[0], 19.0);
    EXPECT_FALSE(g_DocFile.modified);
    EXPECT_EQ(g_strBasePath, doc.basePath);  // the catalog chosen stays current
}

TEST_F(ReconcileTest, EmptyTaskNeitherOpensNorAsks)
{
    doc.elements.clear();
    int shown = 0;
    ScopedModalRunner<CBaseRestoreDlg> restore([&](CBaseRestoreDlg&) { return ++shown, IDOK; });
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(g_bBaseLoaded, 0);
}

// The restore dialog answering in turn; records whether "keep" was offered.
struct Restore {
    std::vector<std::uint8_t> answers;
    std::vector<bool> keepEnabled;
    ScopedModalRunner<CBaseRestoreDlg> runner{[this](CBaseRestoreDlg& d) {
        keepEnabled.push_back(d.m_bKeepEnabled);
        if (keepEnabled.size() > answers.size())
            return IDCANCEL;  // Esc: the dialog comes back
        d.m_nAnswer = answers[keepEnabled.size() - 1];
        return IDOK;
    }};
};

TEST_F(ReconcileTest, RestoringFromTheTaskWritesExactlyItsItemsAndComparesNothing)
{
    Restore restore;
    restore.answers = {255, CBaseRestoreDlg::kRestoreFromTask};
    restore.answers[0] = CBaseRestoreDlg::kKeepCurrent;  // not offered without a catalog: asked again
    Prompts prompts;
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(restore.keepEnabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(prompts.texts.empty());
    EXPECT_EQ(g_strBasePath, doc.basePath);
    EXPECT_EQ(g_bBaseLoaded, 1);
    CBase saved;
    LoadBaseFile(doc.basePath, saved);
    CBase task;
    CollectTaskItems(doc, task);
    std::string error;
    ASSERT_TRUE(SaveBaseFile(Path("expected.kdb"), task, error));
    EXPECT_EQ(Bytes(doc.basePath), Bytes(Path("expected.kdb")));
    EXPECT_FALSE(g_DocFile.modified);
    // The current catalog knows the file it wrote: a change on disk by
    // another program is seen before the next save writes over it.
    EXPECT_EQ(g_CurBase.fileStamp.path, doc.basePath);
    EXPECT_TRUE(g_CurBase.fileStamp.present);
    EXPECT_FALSE(ChangedOnDiskSince(g_CurBase.fileStamp));
}

TEST_F(ReconcileTest, AWindowsPathIsRefusedNotCreated)
{
    doc.basePath = "C:\\Kestrin\\base.kdb";
    WriteTaskCatalog(Path("current.kdb"));
    LoadBaseFile(Path("current.kdb"), g_CurBase);
    g_strBasePath = Path("current.kdb");
    g_bBaseLoaded = 1;
    Restore restore;
    restore.answers = {CBaseRestoreDlg::kRestoreFromTask, CBaseRestoreDlg::kKeepCurrent};
    ReconcileTaskWithCatalog(nullptr);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Не могу восстановить базу -\n- ошибочный путь");
    EXPECT_EQ(msgs.messages()[0].caption, "Ошибка открытия файла");
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(restore.keepEnabled, (std::vector<bool>{true, true}));
    EXPECT_EQ(doc.basePath, Path("current.kdb"));
    EXPECT_TRUE(g_DocFile.modified);
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
        EXPECT_EQ(entry.path().filename().string().find('\\'), std::string::npos);
}

TEST_F(ReconcileTest, ADamagedCatalogIsNeverReadIntoOrWrittenOver)
{
    const std::string taskPath = doc.basePath;
    WriteTaskCatalog(taskPath);
    fs::resize_file(taskPath, fs::file_size(taskPath) - 7);
    const std::string damaged = Bytes(taskPath);
    WriteTaskCatalog(Path("current.kdb"));
    LoadBaseFile(Path("current.kdb"), g_CurBase);
    g_strBasePath = Path("current.kdb");
    g_bBaseLoaded = 1;
    const std::string current = Bytes(g_strBasePath);

    Restore restore;
    restore.answers = {CBaseRestoreDlg::kFindFile, CBaseRestoreDlg::kRestoreFromTask, CBaseRestoreDlg::kKeepCurrent};
    ScopedModalRunner<FileDialog> find([&](FileDialog& f) {
        EXPECT_EQ(f.m_strTitle, "Выбор базы данных");
        EXPECT_EQ(f.m_strFilter, "Базы данных Kestrin (*.kdb)|*.kdb||");
        f.m_strPathName = taskPath;  // the damaged file again
        return IDOK;
    });
    Prompts prompts;
    ReconcileTaskWithCatalog(nullptr);
    // Step 3 and the file found report the damage; the restore refuses.
    ASSERT_EQ(msgs.messages().size(), 3u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл task.kdb поврежден.\nБаза не загружена!");
    EXPECT_EQ(msgs.messages()[1].text, msgs.messages()[0].text);
    EXPECT_EQ(msgs.messages()[2].text, "Не могу восстановить базу -\n- ошибочный путь");
    EXPECT_EQ(restore.keepEnabled.size(), 3u);
    EXPECT_EQ(Bytes(taskPath), damaged);
    EXPECT_EQ(Bytes(Path("current.kdb")), current);
    EXPECT_EQ(g_strBasePath, Path("current.kdb"));
    EXPECT_EQ(doc.basePath, Path("current.kdb"));
}

TEST_F(ReconcileTest, FindingANewFileCreatesItFromTheTask)
{
    Restore restore;
    restore.answers = {CBaseRestoreDlg::kFindFile};
    ScopedModalRunner<FileDialog> find([&](FileDialog& f) {
        f.m_strPathName = Path("found.kdb");
        return IDOK;
    });
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(doc.basePath, Path("found.kdb"));
    EXPECT_EQ(g_strBasePath, Path("found.kdb"));
    EXPECT_TRUE(fs::exists(Path("found.kdb")));
    EXPECT_EQ(g_CurBase.towers.size(), 1u);
    EXPECT_TRUE(g_DocFile.modified);
}

TEST_F(ReconcileTest, TaskChangesReachOnlyCompleteElementsAndOnlyDifferingItems)
{
    // Every holder kind, and a line that is not complete.
    doc.AppendElement(Element(kCableLine, std::make_unique<CKLine>(MakeKLine(1, 0))));
    doc.AppendElement(Element(kShuntImpedance, std::make_unique<CEShunt>(MakeEShunt(2))));
    doc.AppendElement(Element(kBypass, std::make_unique<CEObhod>(MakeEObhod(0))));
    doc.AppendElement(Element(kOverheadLine, std::make_unique<CVLine>(MakeVLine(0)), 0));
    // A second line whose tower has another wire count: another key.
    CVLine other = MakeVLine(0);
    other.tower.count = 4;
    other.tower.x.pop_back();
    other.tower.y.pop_back();
    doc.AppendElement(Element(kOverheadLine, std::make_unique<CVLine>(other)));
    WriteTaskCatalog(doc.basePath, [](CBase& b) {
        b.towers[0]->y[0] = 30;
        for (auto& w : b.phaseWires)
            w->radius *= 2;
        b.solidCables[0]->coreRadius *= 2;
        for (auto& t : b.traps)
            t->R += 1;
        for (auto& list : b.filters)
            for (auto& f : list)
                f->C[0] *= 2;
        for (auto& c : b.hfCables)
            c->radius *= 2;
    });
    Prompts prompts;
    prompts.answers.assign(40, CProvRaznDlg::kChangeTask);
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_EQ(Line().tower.y[0], 30);
    EXPECT_EQ((*Line().wireArray)[0].wireType.radius, 0.024);
    EXPECT_EQ(doc.elements[0]->Data<CVLine>()->tower.y[0], 30);
    const CUpr& upr = *doc.elements[1]->Data<CUpr>();
    EXPECT_EQ(upr.devices[0].filter.C[0], g_CurBase.filters[2][0]->C[0]);
    EXPECT_EQ(upr.devices[0].cable.radius, 0.0002);
    EXPECT_EQ(doc.elements[2]->Data<CKLine>()->solidCable.coreRadius, g_CurBase.solidCables[0]->coreRadius);
    EXPECT_EQ(doc.elements[3]->Data<CEShunt>()->branches[1].trap.R, g_CurBase.traps[1]->R);
    const CEObhod& bypass = *doc.elements[4]->Data<CEObhod>();
    EXPECT_EQ(bypass.traps[0].branches[0].trap.R, g_CurBase.traps[0]->R);
    EXPECT_EQ(bypass.lines[0].filters[0].C[0], g_CurBase.filters[6][0]->C[0]);
    EXPECT_EQ(bypass.lines[1].cables[1].radius, 0.0004);
    EXPECT_EQ(doc.elements[5]->Data<CVLine>()->tower.y[0], 19.0);  // not complete
    EXPECT_EQ(doc.elements[6]->Data<CVLine>()->tower.y[0], 19.0);  // another key
    EXPECT_EQ(Bytes(doc.basePath).empty(), false);
}

TEST_F(ReconcileTest, ABypassEnteredThroughItsSheetTakesTheTasksTraps)
{
    // A substation bypass of one circuit, entered as the user enters it: a
    // line trap on wire 1 before the substation and one bypass line with the
    // coupling device's filter and HF cable.
    auto e = Element(kBypass, std::make_unique<CEObhod>(), 0);
    e->wirePositions = 3;
    e->circuits = 1;
    for (int i = 0; i < 3; ++i)
        e->inMap[i] = e->outMap[i] = i;
    e->Data<CEObhod>()->n = 3;
    CollectTaskItems(doc, g_TaskBase);
    g_TaskBase.traps.push_back(std::make_unique<CZagrad>(MakeTrap("ВЗ-630", 0)));
    {
        CObhodSheet sheet(*e, 2, &doc.elements, true);
        sheet.Start();  // "Заградители"
        CObhZag& traps = sheet.m_zag;
        traps.OnSelchangeTrap(0, traps.traps[0].combo.Find("ВЗ-630"));
        ASSERT_TRUE(traps.OnEnter(0));
        ASSERT_TRUE(sheet.SetActivePage(1));  // "Схемы обхода"
        CObhObh& lines = sheet.m_obh;
        for (int side = 0; side < 2; ++side) {
            lines.OnSelchangeFilter(side, lines.filterCombo.Find("ФП-2 тип 3"));
            lines.OnSelchangeCable(side, lines.cableCombo.Find("РК-75"));
            lines.lengthText[side] = "100";
        }
        ASSERT_TRUE(lines.OnEnter());
        ASSERT_TRUE(sheet.OnOK());
    }
    ASSERT_EQ(e->entered, 1);
    doc.AppendElement(std::move(e));
    const CEObhod& bypass = *doc.elements[2]->Data<CEObhod>();
    ASSERT_EQ(bypass.traps[0].branches.size(), 1u);

    WriteTaskCatalog(doc.basePath, [](CBase& b) { b.traps[0]->L1 = 0.6e-3; });
    Prompts prompts;
    prompts.answers = {CProvRaznDlg::kChangeTask};
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_EQ(prompts.texts, std::vector<std::string>{"Заградитель ВЗ-630"});
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_EQ(bypass.traps[0].branches[0].trap.L1, 0.6e-3);  // what the calculation uses
    // The question does not come back at the next open.
    Prompts again;
    ReconcileTaskWithCatalog(nullptr);
    EXPECT_TRUE(again.texts.empty());
}

} // namespace
