// The files of examples/: the catalog opens and its items pass their
// editors; each channel opens, finds the example catalog from its own folder
// wherever the program runs, passes the checks before a run, calculates over
// its stored range to its stored result and attenuates as a line of its
// length should.
#include "examples/examplefiles.h"

#include "bench/goldenmatch.h"

#include "app/currentbase.h"
#include "app/structreplay.h"
#include "app/structstate.h"
#include "catalog/baserestoredlg.h"
#include "catalog/catalogfiles.h"
#include "catalog/filtrdlg.h"
#include "catalog/kabdlg.h"
#include "catalog/oporadlg.h"
#include "catalog/provoddlg.h"
#include "catalog/provrazndlg.h"
#include "catalog/reconcile.h"
#include "catalog/vchkabdlg.h"
#include "catalog/zagraddlg.h"
#include "calc/calcrun.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "results/quantities.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const fs::path kExamplesDir = KESTRIN_EXAMPLES_DIR;

// The stored results are compared as the golden results are: bit for bit
// where this machine's math routines are those that calculated them, else
// within the golden comparison's tolerance of each value's quantity.
GoldenMatch StoredResultMatch()
{
    std::ifstream in(kExamplesDir / kExampleFingerprint);
    std::string recorded;
    std::getline(in, recorded);
    return GoldenMatch(recorded);
}

bool Agrees(const GoldenMatch& match, const CComplex& stored, const CComplex& now)
{
    const double scale = std::hypot(stored.re, stored.im);
    return match.Same(stored.re, now.re, scale) && match.Same(stored.im, now.im, scale);
}

// A plausible working attenuation for a route of length km, over 100 to
// 500 kHz: the line between about 0.02 dB/km (the least attenuated,
// interphase mode of a 500 kV line near 100 kHz) and 0.15 dB/km (phase to
// earth on a 110 kV line near 500 kHz, where the earth-return mode takes its
// share); plus at least 2 dB for the coupling devices at both ends (two
// filters and two HF cables) and at most 25 dB for the couplings, a bypass,
// a tap and transpositions with their mismatch and mode-conversion losses.
struct Band {
    double low, high;
};
Band PlausibleAttenuation(double km)
{
    return {0.02 * km + 2.0, 0.15 * km + 25.0};
}

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<CElement*> Elements(CKestrinDoc& doc)
{
    std::vector<CElement*> elements;
    for (auto& e : doc.elements)
        elements.push_back(e.get());
    return elements;
}

class ExamplesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        ResetCalcSettings();
    }
    void TearDown() override
    {
        g_pDoc = nullptr;
        ResetModelGlobals();
        ResetCalcSettings();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        g_strBasePath.clear();
        g_bBaseLoaded = 0;
    }
    ScriptedMessages messages;
};

// The run that made a stored result, read back from it.
CalcRequest RequestOf(const CRezGra& r)
{
    CalcRequest q;
    q.frequencies.mode = 1;
    q.frequencies.start = float(r.startFreq / 1000);
    q.frequencies.end = float(r.endFreq / 1000);
    q.frequencies.step = float((r.endFreq - r.startFreq) / 1000 / double(r.points.size() - 1));
    q.mode = r.mode;
    q.txWire1 = r.txWire1, q.txWire2 = r.txWire2;
    q.rxWire1 = r.rxWire1, q.rxWire2 = r.rxWire2;
    q.resistance = r.resistance;
    return q;
}

TEST_F(ExamplesTest, EachChannelChecksAndRecalculatesToItsStoredResultInAPlausibleBand)
{
    for (const ExampleTask& task : kExampleTasks) {
        SCOPED_TRACE(task.file);
        const fs::path path = kExamplesDir / task.file;
        CKestrinDoc doc;
        g_pDoc = &doc;
        std::string error;
        ASSERT_TRUE(doc.OpenTaskFile(path.string(), error)) << error;
        EXPECT_EQ(doc.basePath, kExampleCatalog);
        EXPECT_EQ(TaskCatalogPath(doc.basePath, path.string()), (kExamplesDir / kExampleCatalog).lexically_normal());

        // What "Расчет тракта" needs: a sound chain of entered elements that
        // the calculation's check accepts.
        StructureState state;
        EXPECT_TRUE(StructureReplay(doc, state, false).Run()) << state.brokenReason;
        for (const auto& e : doc.elements)
            EXPECT_EQ(e->entered, 1);
        EXPECT_EQ(CheckCalcElements(Elements(doc)), "");

        ASSERT_EQ(doc.responseResults.size(), 1u);
        const CRezGra stored = *doc.responseResults[0];
        ASSERT_GE(stored.points.size(), 20u);
        {
            CalcSession session(doc);
            ASSERT_EQ(session.Run(RequestOf(stored)).status, CalcStatus::Done);
        }
        ASSERT_EQ(doc.responseResults.size(), 2u);
        const CRezGra& now = *doc.responseResults[1];
        ASSERT_EQ(now.points.size(), stored.points.size());
        const Band band = PlausibleAttenuation(task.lengthKm);
        const GoldenMatch match = StoredResultMatch();
        std::printf("%s\n", match.Note().c_str());
        for (std::size_t i = 0; i < now.points.size(); ++i) {
            const CRezGraPoint& a = stored.points[i];
            const CRezGraPoint& b = now.points[i];
            EXPECT_EQ(a.freq, b.freq);
            EXPECT_TRUE(Agrees(match, a.transfer, b.transfer) && Agrees(match, a.zLeft, b.zLeft) &&
                        Agrees(match, a.zRight, b.zRight))
                << a.freq << " Hz: " << a.transfer.re << " dB stored, " << b.transfer.re << " dB now";
            EXPECT_GE(a.transfer.re, band.low) << a.freq << " Hz";
            EXPECT_LE(a.transfer.re, band.high) << a.freq << " Hz";
        }
    }
    EXPECT_TRUE(messages.messages().empty());
}

// The group delay each stored sweep shows, interval by interval, as the
// results window draws it: nowhere negative, and on average the time the
// signal takes to cross the route, tau = length / c.  The modes of an
// overhead line run a little slower than light (the earth-return share of a
// phase-to-earth channel the most), and the coupling devices with their HF
// cables add a few microseconds: the mean may lie up to 10 % above tau; 2 %
// below it allows for the band average of a lossy, dispersive line.  A sweep
// whose step turns the phase by more than half a turn folds the delay onto a
// fraction of this (a 250 km line sampled every 10 kHz shows 0.04 ms for
// 0.83 ms).  And the reflections between the route's ends ripple the curves
// with a period of 1 / (2 delay): the step draws each ripple with at least
// four points.
TEST_F(ExamplesTest, StoredSweepsShowTheRoutesTransitTimeAsTheirGroupDelay)
{
    constexpr double kLightKmPerMs = 299.792458;
    for (const ExampleTask& task : kExampleTasks) {
        SCOPED_TRACE(task.file);
        CKestrinDoc doc;
        g_pDoc = &doc;
        std::string error;
        ASSERT_TRUE(doc.OpenTaskFile((kExamplesDir / task.file).string(), error)) << error;
        ASSERT_EQ(doc.responseResults.size(), 1u);
        const CRezGra& stored = *doc.responseResults[0];
        double sum = 0.0, least = 1e30;
        std::size_t intervals = 0;
        for (double delay = 0.0; ResultGroupDelayMs(stored, intervals, delay); ++intervals) {
            sum += delay;
            least = std::min(least, delay);
        }
        ASSERT_EQ(intervals + 1, stored.PointCount());
        const double tau = task.lengthKm / kLightKmPerMs;
        const double mean = sum / double(intervals);
        EXPECT_GE(least, 0.0);
        EXPECT_GE(mean, 0.98 * tau);
        EXPECT_LE(mean, 1.10 * tau);
        const double stepKHz = (stored.endFreq - stored.startFreq) / 1000.0 / double(intervals);
        EXPECT_LE(stepKHz, 1.0 / (8.0 * mean)) << "the ripple of the reflections is sampled too coarsely";
    }
}

// The editor of each item, opened on a copy of it, accepts the copy unchanged.
template <class Dlg, class Item>
void ExpectEditorAccepts(const ObjList<Item>& list, Item* Dlg::*item, std::function<void(Dlg&)> setup = {})
{
    for (const auto& original : list) {
        SCOPED_TRACE(original->name);
        Item copy;
        copy.Copy(*original);
        Dlg dlg;
        dlg.*item = &copy;
        if (setup)
            setup(dlg);
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.OnOK(), IDOK);
        EXPECT_EQ(copy.Compare(*original), 2);
    }
}

TEST_F(ExamplesTest, CatalogOpensAndEveryItemPassesItsEditor)
{
    CBase base;
    LoadBaseFile((kExamplesDir / kExampleCatalog).string(), base);
    EXPECT_GE(base.towers.size(), 3u);
    EXPECT_GE(base.phaseWires.size(), 3u);
    EXPECT_GE(base.groundWires.size(), 1u);
    EXPECT_GE(base.solidCables.size(), 1u);
    EXPECT_GE(base.traps.size(), 2u);
    std::set<int> filterTypes;
    for (const auto& list : base.filters)
        for (const auto& f : list)
            filterTypes.insert(f->type);
    EXPECT_GE(filterTypes.size(), 2u);
    ASSERT_GE(base.hfCables.size(), 1u);
    EXPECT_EQ(base.hfCables[0]->waveImpedance(), 75.0);

    ExpectEditorAccepts(base.towers, &COporaDlg::m_pOpora);
    ExpectEditorAccepts<CProvodDlg>(base.phaseWires, &CProvodDlg::m_pItem, [](CProvodDlg& d) { d.m_nKind = 2; });
    ExpectEditorAccepts<CProvodDlg>(base.groundWires, &CProvodDlg::m_pItem, [](CProvodDlg& d) { d.m_nKind = 3; });
    ExpectEditorAccepts(base.hfCables, &CVchKabDlg::m_pItem);
    ExpectEditorAccepts(base.solidCables, &CKabTvDlg::m_pItem);
    for (const auto& list : base.filters)
        ExpectEditorAccepts(list, &CFiltrDlg::m_pFiltr);
    ExpectEditorAccepts(base.traps, &CZagradDlg::m_pZagrad);
    EXPECT_TRUE(messages.messages().empty());
}

// The examples copied elsewhere and opened from a third folder: each task
// finds the catalog beside it, which already holds every item it uses (no
// question, nothing saved), or, when it is missing, restores it there.
// Absolute paths, and paths of another system, stay as they are.
TEST_F(ExamplesTest, RelativeCatalogPathIsTakenFromTheTaskFolder)
{
    const fs::path root = fs::temp_directory_path() / ("kestrin-examples-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path copied = root / "copy" / "examples";
    fs::create_directories(copied);
    fs::create_directories(root / "elsewhere");
    fs::copy(kExamplesDir / kExampleCatalog, copied / kExampleCatalog);
    struct WorkingDirectory {
        fs::path start = fs::current_path();
        ~WorkingDirectory() { fs::current_path(start); }
    } working;
    fs::current_path(root / "elsewhere");

    // A missing catalog would ask again and again: an unexpected question
    // ends the test; an expected one restores the catalog from the task.
    bool restoreExpected = false;
    std::string restoreAskedFor;
    ScopedModalRunner<CBaseRestoreDlg> restore([&](CBaseRestoreDlg& d) -> int {
        if (!restoreExpected || !restoreAskedFor.empty())
            throw std::runtime_error("the catalog was not found: " + d.m_strPath);
        restoreAskedFor = d.m_strPath;
        d.m_nAnswer = CBaseRestoreDlg::kRestoreFromTask;
        return IDOK;
    });
    int differenceAsked = 0;
    ScopedModalRunner<CProvRaznDlg> difference([&](CProvRaznDlg&) { return ++differenceAsked, IDCANCEL; });
    const std::string catalogBytes = Bytes(copied / kExampleCatalog);
    for (const ExampleTask& task : kExampleTasks) {
        SCOPED_TRACE(task.file);
        fs::copy(kExamplesDir / task.file, copied / task.file);
        CKestrinDoc doc;
        g_pDoc = &doc;
        std::string error;
        // Opened by a path relative to the working directory, as a command line names it.
        const std::string taskPath = "../copy/examples/" + std::string(task.file);
        ASSERT_TRUE(doc.OpenTaskFile(taskPath, error)) << error;
        g_bBaseLoaded = 0;
        ReconcileTaskWithCatalog(nullptr, taskPath);
        EXPECT_EQ(g_bBaseLoaded, 1);
        EXPECT_EQ(g_strBasePath, (copied / kExampleCatalog).string());
        EXPECT_EQ(doc.basePath, g_strBasePath);
        EXPECT_GE(g_CurBase.towers.size(), 3u);
    }
    EXPECT_EQ(differenceAsked, 0);
    EXPECT_EQ(Bytes(copied / kExampleCatalog), catalogBytes);
    EXPECT_TRUE(messages.messages().empty());

    // Without its catalog a task goes the restore road with the full path,
    // and the catalog made from the task's items lies beside the task.
    fs::remove(copied / kExampleCatalog);
    {
        CKestrinDoc doc;
        g_pDoc = &doc;
        std::string error;
        const std::string taskPath = "../copy/examples/" + std::string(kExampleTasks[0].file);
        ASSERT_TRUE(doc.OpenTaskFile(taskPath, error)) << error;
        restoreExpected = true;
        ReconcileTaskWithCatalog(nullptr, taskPath);
        EXPECT_EQ(restoreAskedFor, (copied / kExampleCatalog).string());
        EXPECT_TRUE(fs::exists(copied / kExampleCatalog));
        EXPECT_EQ(g_strBasePath, (copied / kExampleCatalog).string());
        EXPECT_EQ(g_CurBase.towers.size(), 1u);
    }

    // A folder whose name the task file cannot hold in its code page: the
    // task keeps the catalog beside it by the relative path, so saved and
    // opened again it finds it, without a word; the open task still names
    // it by the full path.
    {
        const fs::path odd = root / "jürgen";
        fs::create_directories(odd);
        fs::copy(kExamplesDir / kExampleCatalog, odd / kExampleCatalog);
        fs::copy(kExamplesDir / kExampleTasks[0].file, odd / kExampleTasks[0].file);
        const std::string taskPath = (odd / kExampleTasks[0].file).string();
        const std::size_t shown = messages.messages().size();
        CKestrinDoc doc, back;
        g_pDoc = &doc;
        std::string error;
        ASSERT_TRUE(doc.OpenTaskFile(taskPath, error)) << error;
        ReconcileTaskWithCatalog(nullptr, taskPath);
        ASSERT_TRUE(doc.SaveTaskFile(taskPath, error)) << error;
        EXPECT_EQ(doc.basePath, (odd / kExampleCatalog).string());
        g_pDoc = &back;
        ASSERT_TRUE(back.OpenTaskFile(taskPath, error)) << error;
        EXPECT_EQ(back.basePath, kExampleCatalog);
        g_bBaseLoaded = 0;
        ReconcileTaskWithCatalog(nullptr, taskPath);
        EXPECT_EQ(g_strBasePath, (odd / kExampleCatalog).string());
        EXPECT_EQ(messages.messages().size(), shown);
    }

    // Reached through a link, a task's folder is the folder the link names:
    // ".." leads to that folder's parent, not to the link's.
    fs::create_directories(root / "real" / "a");
    fs::create_directories(root / "other");
    fs::create_directory_symlink(root / "real" / "a", root / "other" / "a");
    EXPECT_EQ(TaskCatalogPath("../base/main.kdb", (root / "other" / "a" / "t.ktf").string()),
              (root / "real" / "base" / "main.kdb").string());

    fs::current_path(working.start);
    fs::remove_all(root);

    EXPECT_EQ(TaskCatalogPath("/data/base.kdb", "/tasks/t.ktf"), "/data/base.kdb");
    EXPECT_EQ(TaskCatalogPath("../base/main.kdb", "/tasks/a/t.ktf"), "/tasks/base/main.kdb");
    EXPECT_EQ(TaskCatalogPath("C:\\MORVEL\\BASE.KDB", "/tasks/t.ktf"), "C:\\MORVEL\\BASE.KDB");
}

} // namespace
