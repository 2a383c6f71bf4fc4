#include "model/document.h"
#include "model/modelglobals.h"
#include "results/reporttext.h"
#include "resultstest.h"

#include <memory>

namespace {

using Lines = std::vector<std::string>;

const std::string kPath = "/home/u/tasks/line.1.ktf";

std::unique_ptr<CElement> Element(int type, const std::string& name, std::initializer_list<int> codes)
{
    auto e = std::make_unique<CElement>();
    e->type = std::uint8_t(type);
    e->name = name;
    int i = 0;
    for (int c : codes)
        e->inMap[i++] = c;
    return e;
}

// A task of an overhead line and a cable line, two tract results and one
// modal result of the overhead line.
class ReportBuild : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        doc.title = "Тракт 1.5";
        doc.basePath = "/bases/main.kdb";
        doc.AppendElement(Element(0, "ВЛ 110 кВ", {0, 1, 2}));   // A B C
        doc.AppendElement(Element(1, "КЛ 10 кВ", {2, 1, 0}));    // C B A
        for (double att : {1.5, 12.5}) {
            auto r = std::make_unique<CRezGra>(AttenuationResult(10000, 20000, {att, att}));
            r->name = "07.12.26 23:05";
            r->rxWire1 = 0;
            doc.AddResponseResult(std::move(r));
        }
        auto m = std::make_unique<CRezMod>();
        m->name = "07.12.26 23:10";
        m->freq = 50000;
        m->m = 1;
        m->AllocArrays();
        m->V[0] = m->U[0] = m->y[0] = CComplex(1, 0);
        doc.AddModalResult(std::move(m));
    }

    ReportSource Source(int viewMode)
    {
        ReportSource s;
        s.doc = &doc;
        s.pathName = kPath;
        s.viewMode = std::uint8_t(viewMode);
        s.chosenModal = modal;
        s.chosenTract = tract;
        return s;
    }

    CKestrinDoc doc;
    std::vector<int> modal{1};
    std::vector<int> tract{0, 1};
};

TEST_F(ReportBuild, FirstChosenTractResult)
{
    ReportText t;
    t.BuildReport(Source(1));
    ASSERT_EQ(t.screenLines.size(), 10u);
    EXPECT_EQ(t.screenLines[0], "Файл: " + kPath);
    EXPECT_EQ(t.screenLines[1], "База данных: /bases/main.kdb");
    EXPECT_EQ(t.screenLines[4], " Подключение A-0/C-0");
    EXPECT_EQ(t.screenLines[8], "   10.00         12.5            0");
    // The copies hold the same report lines; only Excel takes the comma.
    int comma = 1;
    t.decimalComma = &comma;
    t.BuildExcelReport(Source(1));
    t.BuildWordReport(Source(1));
    ASSERT_EQ(t.copyLines.size(), 20u);
    EXPECT_EQ(t.copyLines[8], "10,00\t12,5\t0");
    EXPECT_EQ(t.copyLines[18], " 10.00  \t12.5  \t0");

    // A rebuild starts afresh; graph modes and a choice without a set flag
    // (or flags past the stored results) leave no lines.
    t.BuildReport(Source(8));
    EXPECT_TRUE(t.screenLines.empty());
    tract = {0, 0, 1};
    t.BuildReport(Source(7));
    EXPECT_TRUE(t.screenLines.empty());
    t.FreeCopyLines();
    t.BuildWordReport(Source(7));
    t.BuildExcelReport(Source(7));
    EXPECT_TRUE(t.copyLines.empty());
}

TEST_F(ReportBuild, DamagedIndicesNameNothingOutsideTheChain)
{
    doc.responseResults[1]->rxWire1 = 40;  // past the 40-wire map
    doc.responseResults[1]->txWire1 = 3;   // an empty slot
    ReportText t;
    t.BuildReport(Source(1));
    EXPECT_EQ(t.screenLines[4], " Подключение ?-0/?-0");

    t.BuildReport(Source(0));
    EXPECT_EQ(t.screenLines[4], "Воздушная линия (ВЛ1)");
    EXPECT_EQ(t.screenLines[5], "ВЛ 110 кВ");
    doc.modalResults[0]->position = 7;
    t.BuildReport(Source(0));
    EXPECT_EQ(t.screenLines[4], "Кабельная линия (КЛ8)");
    EXPECT_EQ(t.screenLines[5], "");

    // A task without elements names every end conductor "?".
    CKestrinDoc empty;
    empty.AddResponseResult(std::make_unique<CRezGra>(*doc.responseResults[0]));
    tract = {1};
    ReportSource s = Source(1);
    s.doc = &empty;
    t.BuildReport(s);
    ASSERT_EQ(t.screenLines.size(), 10u);
    EXPECT_EQ(t.screenLines[4], " Подключение ?-0/?-0");
}

} // namespace
