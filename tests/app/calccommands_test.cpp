// The main frame's calculation, comparison-buffer and import commands.
#include "app/commandids.h"
#include "app/raschetdlg.h"
#include "calcfixture.h"
#include "platform/archive.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

using namespace cmd;

namespace {

class CalcCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCalcSettings();
        ASSERT_TRUE(s.started);
        calcfixture::BuildChannel(s.Doc());
        g_nConductors = 3;
    }
    void TearDown() override { ResetCalcSettings(); }
    ShellState State() { return s.Frame().GetShellState(); }
    bool Enabled(int id) { return GetCommandState(id, State()).enabled; }

public:
    ScriptedMessages messages;
    AppSession s;
};

// Runs the calculation dialog: "Рассчитать" at each frequency (kHz), then "Возврат".
ScopedModalRunner<CRaschetDlg> Calculate(std::vector<std::string> freqs)
{
    return ScopedModalRunner<CRaschetDlg>([freqs](CRaschetDlg& d) {
        d.OnInitDialog();
        d.SetFrequencyMode(0);
        for (const std::string& f : freqs) {
            d.m_strFreq = f;
            d.OnCalc();
        }
        return IDCANCEL;
    });
}

TEST_F(CalcCommands, CalculationIsOfferedForACompleteClosedTaskOnly)
{
    EXPECT_TRUE(Enabled(ID_CALC_TRACT));
    const struct {
        const char* why;
        std::function<void(CalcCommands&)> spoil;
    } cases[] = {
        {"editing", [](CalcCommands& t) { t.s.Frame().m_bEditing = 1; }},
        {"awaiting completion", [](CalcCommands&) { g_nTaskCompletion = 1; }},
        {"an element not entered", [](CalcCommands& t) { t.s.Doc().elements[1]->entered = 0; }},
        {"an open chain", [](CalcCommands& t) { t.s.Doc().elements.pop_back(); }},
        {"an empty task", [](CalcCommands& t) { t.s.Doc().elements.clear(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        calcfixture::BuildChannel(s.Doc());
        s.Frame().m_bEditing = 0;
        g_nTaskCompletion = 0;
        c.spoil(*this);
        EXPECT_FALSE(Enabled(ID_CALC_TRACT));
        // The command refuses by itself too.
        int opened = 0;
        ScopedModalRunner<CRaschetDlg> count([&opened](CRaschetDlg&) { return ++opened, IDCANCEL; });
        s.Frame().OnCalcTract();
        EXPECT_EQ(opened, 0);
    }
}

TEST_F(CalcCommands, ModalCalculationNeedsAnEnteredLineOutsideEditing)
{
    CMainFrame& f = s.Frame();
    const struct {
        int element;
        bool entered, editing, enabled;
    } cases[] = {{1, true, false, true}, {1, false, false, false}, {1, true, true, false}, {0, true, false, false}};
    for (const auto& c : cases) {
        f.m_Template = *s.Doc().elements[std::size_t(c.element)];
        f.m_Template.entered = c.entered;
        f.m_bEditing = c.editing;
        EXPECT_EQ(Enabled(ID_CALC_MODAL), c.enabled) << c.element << c.entered << c.editing;
    }
}

TEST_F(CalcCommands, CalculationAddsResultsAndRefreshesOnlyItsOwnBufferGroup)
{
    CompareBuffer& buffer = s.Frame().compareBuffer;
    // Another task's group, from a file.
    CKestrinDoc other;
    calcfixture::BuildChannel(other);
    other.AddResponseResult(MakeResult(5));
    buffer.AddTask(other, "/tmp/other.ktf");
    ASSERT_EQ(buffer.groups.size(), 1u);

    const int closedBefore = s.host.frame.resultWindowsClosed;
    {
        auto run = Calculate({"100", "200"});
        s.Frame().OnCommand(ID_CALC_TRACT);
    }
    EXPECT_EQ(s.host.frame.resultWindowsClosed, closedBefore + 1);
    EXPECT_EQ(s.Doc().responseResults.size(), 2u);
    EXPECT_TRUE(g_DocFile.modified);
    // One-point results do not make a group, nor enable the buffer command.
    EXPECT_EQ(buffer.groups.size(), 1u);
    EXPECT_FALSE(Enabled(ID_ADD_TO_BUFFER));

    s.Doc().AddResponseResult(MakeResult(3));
    ASSERT_TRUE(Enabled(ID_ADD_TO_BUFFER));
    s.Frame().OnCommand(ID_ADD_TO_BUFFER);
    s.Frame().OnCommand(ID_ADD_TO_BUFFER);
    ASSERT_EQ(buffer.groups.size(), 2u);
    EXPECT_EQ(buffer.groups[1]->title, "Задача безымянная.");
    EXPECT_EQ(buffer.groups[1]->curves.size(), 1u);

    // A calculation refills the task's group, the other group stays.
    buffer.groups[1]->curves.clear();
    {
        auto run = Calculate({});
        s.Frame().OnCommand(ID_CALC_TRACT);
    }
    EXPECT_EQ(buffer.groups[1]->curves.size(), 1u);
    EXPECT_EQ(buffer.groups[0]->curves.size(), 1u);

    // Another untitled task gets a group of its own.
    messages.queue(MsgAnswer::No);  // not saved
    s.app.OnFileNew();
    calcfixture::BuildChannel(s.Doc());
    s.Doc().AddResponseResult(MakeResult(4));
    s.Frame().OnCommand(ID_ADD_TO_BUFFER);
    EXPECT_EQ(buffer.groups.size(), 3u);
}

// A Dalvex task of two end loads on four wires (one circuit, one ground wire).
std::vector<std::uint8_t> DalvexTask(int experimental)
{
    ArchiveWriter w;
    w.writeString("C:\\Dalvex\\base.kdb");
    w.writeString("Задача Dalvex");
    w.writeWord(2);
    for (int v : {3, 1, 127, experimental, 0})
        w.writeByte(std::uint8_t(v));
    for (int i = 0; i < 2; ++i) {
        w.writeString("э");
        w.writeByte(kEndLoad);
        w.writeInt(1 + kEndLoad);
        w.writeInt(3);
        w.writeByte(1);
        w.writeByte(1);
        for (int v : {1, 4, 0})
            w.writeByte(std::uint8_t(v));
        for (int k = 0; k < 4; ++k)
            w.writeDouble(75.0);
        for (int k = 0; k < 3; ++k)
            w.writeDouble(0.0);
        w.writeByte(0);
    }
    return w.take();
}

TEST_F(CalcCommands, ImportTakesTheFileAsANewUntitledTask)
{
    const std::string before = s.dir.File("before.ktf");
    WriteTask(before, "Прежняя");
    ASSERT_TRUE(s.app.OpenDocumentFile(before));
    const std::string good = s.dir.File("линия.1.dvx");
    const std::string refused = s.dir.File("пролет.dvx");
    const std::string damaged = s.dir.File("damaged.dvx");
    WriteBytes(good, DalvexTask(0));
    WriteBytes(refused, DalvexTask(1));
    std::vector<std::uint8_t> cut = DalvexTask(0);
    cut.resize(cut.size() - 20);
    WriteBytes(damaged, cut);

    ScriptedFileDialogs files;
    const struct {
        std::string path;
        std::size_t elements;
        int completion;
        std::string title;  // after the import; the path is then empty
        const char* message;
        bool replaced;      // the task was replaced: the old selection is gone
    } cases[] = {
        {good, 2, 1, "линия.1", nullptr, true},
        {refused, 0, 0, "пролет", "Расчет опытного пролета в программе Kestrin\nне предусмотрен. Задача не импортирована.",
         true},
        {damaged, 0, 0, "пролет", "Не удалось открыть файл", false},
        {s.dir.File("missing.dvx"), 0, 0, "пролет", "Ошибка открытия файла", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        messages.clear();
        files.answers.push_back(c.path);
        ASSERT_TRUE(Enabled(ID_FILE_IMPORT));
        s.Frame().m_bSelected = 1;
        s.Frame().m_nSelected = 7;
        s.Frame().OnCommand(ID_FILE_IMPORT);
        EXPECT_EQ(s.Frame().m_bSelected, c.replaced ? 0 : 1);
        EXPECT_EQ(files.titles.back(), "Импорт данных");
        EXPECT_EQ(s.Doc().elements.size(), c.elements);
        EXPECT_EQ(g_nTaskCompletion, c.completion);
        EXPECT_EQ(g_DocFile.title, c.title);
        EXPECT_TRUE(g_DocFile.pathName.empty());
        EXPECT_TRUE(g_DocFile.modified);
        if (c.message) {
            ASSERT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(messages.messages()[0].text.rfind(c.message, 0), 0u) << messages.messages()[0].text;
        } else {
            EXPECT_TRUE(messages.messages().empty());
        }
    }
    EXPECT_GE(s.host.frame.resultWindowsClosed, 2);

    // Not while editing: the edit would be lost without a question.
    s.Frame().m_bEditing = 1;
    EXPECT_FALSE(Enabled(ID_FILE_IMPORT));
    files.answers.push_back(good);
    s.Frame().OnFileImport();
    EXPECT_EQ(files.answers.size(), 1u);
}

} // namespace
