#include "buffertest.h"
#include "platform/archive.h"
#include "platform/savefile.h"

namespace {

class Buffer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        MakeTask(open);
        g_pDoc = &open;
    }
    void TearDown() override { ResetModelGlobals(); }

    CKestrinDoc open;
    CompareBuffer buffer;
    ScriptedMessages messages;
};

TEST_F(Buffer, PutTaskCopiesResultsOfTwoPointsAndMoreWithTheirLabels)
{
    open.AddResponseResult(TaskResult(1));
    open.AddResponseResult(TaskResult(2, 0));
    open.AddResponseResult(TaskResult(5, 3));
    open.AddResponseResult(TaskResult(3, 2));
    ASSERT_TRUE(CompareBuffer::CanPutTask(open));
    buffer.PutTask(open, "/задачи/Тракт.ktf", "Тракт.ktf");

    ASSERT_EQ(buffer.groups.size(), 1u);
    const CBufZad& g = *buffer.groups[0];
    EXPECT_EQ(g.key, "/задачи/Тракт.ktf");
    EXPECT_EQ(g.title, "Тракт");
    ASSERT_EQ(g.curves.size(), 3u);  // the one-point result stays out
    EXPECT_EQ(g.curves[0]->result.label, "A-0/B-0");
    EXPECT_EQ(g.curves[1]->result.label, "A-B/B-C+R=75 Ом");
    EXPECT_EQ(g.curves[2]->result.label, "A-B-0/B-C-0");
    EXPECT_EQ(g.curves[1]->result.name, "05.03.24 14:30");  // the name stays the time stamp
    EXPECT_EQ(g.curves[1]->result.PointCount(), 5u);
    for (const auto& c : g.curves)
        EXPECT_EQ(c->selected, 0);
    EXPECT_TRUE(open.responseResults[1]->label.empty());  // the task's own results carry no label
}

TEST_F(Buffer, OnlyTwoPointResults)
{
    open.AddResponseResult(TaskResult(2));
    open.AddResponseResult(TaskResult(1));
    EXPECT_FALSE(CompareBuffer::CanPutTask(open));

    // A calculation refresh still copies them into the task's group.
    buffer.PutTask(open, "/t.ktf", "t.ktf");
    buffer.groups[0]->curves.clear();
    buffer.RefreshTask(open, "/t.ktf");
    EXPECT_EQ(buffer.groups[0]->curves.size(), 1u);
}

TEST_F(Buffer, PuttingTheSameTaskAgainRefillsItsGroupInPlace)
{
    CKestrinDoc other;
    MakeTask(other);
    other.AddResponseResult(TaskResult(3));
    open.AddResponseResult(TaskResult(3));
    buffer.PutTask(open, "/a.ktf", "a.ktf");
    buffer.PutTask(other, "/b.ktf", "b.ktf");
    buffer.groups[0]->curves[0]->selected = 1;
    buffer.groups[0]->title = "kept";

    open.AddResponseResult(TaskResult(4));
    buffer.PutTask(open, "/a.ktf", "renamed.ktf");
    ASSERT_EQ(buffer.groups.size(), 2u);
    EXPECT_EQ(buffer.groups[0]->key, "/a.ktf");
    EXPECT_EQ(buffer.groups[0]->title, "kept");
    ASSERT_EQ(buffer.groups[0]->curves.size(), 2u);
    EXPECT_EQ(buffer.groups[0]->SelectedCount(), 0);
}

TEST_F(Buffer, GroupTitlesLoseOnlyTheirExtension)
{
    EXPECT_EQ(BufferGroupTitle("Тракт.ktf"), "Тракт");
    EXPECT_EQ(BufferGroupTitle("ТРАКТ.KTF"), "ТРАКТ");
    EXPECT_EQ(BufferGroupTitle("Задача безымянная."), "Задача безымянная.");
    EXPECT_EQ(BufferGroupTitle("Тракт"), "Тракт");  // cutting 4 bytes would split a letter
    EXPECT_EQ(BufferGroupTitle(".ktf"), "");
    EXPECT_EQ(BufferFileTitle("C:\\Задачи\\ПС 110.Ktf"), "ПС 110");
    EXPECT_EQ(BufferFileTitle("/home/u/задачи/Линия.ktf"), "Линия");
    EXPECT_EQ(BufferFileTitle("Линия"), "Линия");
}

TEST_F(Buffer, UnsavedTasksKeepGroupsOfTheirOwn)
{
    open.AddResponseResult(TaskResult(3));
    buffer.PutTask(open, "", "Первая");

    // An edit cancelled restores the same task: its group is refilled.
    CKestrinDoc backup;
    backup.CopyFrom(open);
    open.AddResponseResult(TaskResult(4));
    open.CopyFrom(backup);
    open.AddResponseResult(TaskResult(5));
    buffer.PutTask(open, "", "Первая");
    ASSERT_EQ(buffer.groups.size(), 1u);
    EXPECT_EQ(buffer.groups[0]->curves.size(), 2u);

    // A new task is another task, though it has no path either.
    open.OnNewDocument();
    MakeTask(open);
    open.AddResponseResult(TaskResult(6));
    buffer.PutTask(open, "", "Вторая");
    ASSERT_EQ(buffer.groups.size(), 2u);
    EXPECT_EQ(buffer.groups[0]->title, "Первая");
    EXPECT_EQ(buffer.groups[0]->curves.size(), 2u);
    EXPECT_EQ(buffer.groups[1]->title, "Вторая");
    EXPECT_EQ(buffer.groups[1]->curves[0]->result.PointCount(), 6u);

    // The refresh after a calculation finds the unsaved task's own group.
    open.AddResponseResult(TaskResult(7));
    buffer.RefreshTask(open, "");
    EXPECT_EQ(buffer.groups[0]->curves.size(), 2u);
    EXPECT_EQ(buffer.groups[1]->curves.size(), 2u);
}

TEST_F(Buffer, RefreshAfterACalculation)
{
    open.AddResponseResult(TaskResult(3));
    open.AddResponseResult(TaskResult(4));

    // A task that is not in the buffer leaves it unchanged.
    buffer.RefreshTask(open, "/a.ktf");
    EXPECT_TRUE(buffer.groups.empty());

    buffer.PutTask(open, "/a.ktf", "a.ktf");
    buffer.groups[0]->curves.erase(buffer.groups[0]->curves.begin());
    buffer.groups[0]->curves[0]->selected = 1;
    open.AddResponseResult(TaskResult(5));
    buffer.RefreshTask(open, "/a.ktf");
    ASSERT_EQ(buffer.groups[0]->curves.size(), 3u);  // the deleted curve is back
    EXPECT_EQ(buffer.groups[0]->SelectedCount(), 0);

    // Keys compare exactly: another letter case is another file.
    buffer.RefreshTask(open, "/A.ktf");
    EXPECT_EQ(buffer.groups.size(), 1u);

    // A task without tract results leaves its group alone.
    CKestrinDoc empty;
    MakeTask(empty);
    buffer.RefreshTask(empty, "/a.ktf");
    EXPECT_EQ(buffer.groups[0]->curves.size(), 3u);
}

TEST_F(Buffer, DeepCopyIsIndependent)
{
    open.AddResponseResult(TaskResult(3, 3));
    buffer.PutTask(open, "", "Задача");
    buffer.groups[0]->curves[0]->selected = 1;
    CompareBuffer copy(buffer);
    EXPECT_EQ(Dump(copy), Dump(buffer));
    copy.groups[0]->curves[0]->result.label = "changed";
    copy.groups[0]->curves[0]->result.points.clear();
    EXPECT_EQ(buffer.groups[0]->curves[0]->result.label, "A-B/B-C+R=75 Ом");
    EXPECT_EQ(buffer.groups[0]->curves[0]->result.PointCount(), 3u);
    EXPECT_NE(copy.groups[0]->taskIdentity, 0u);
}

// ---- adding a task file -------------------------------------------------------

class AddFile : public Buffer {
protected:
    void SetUp() override
    {
        Buffer::SetUp();
        g_nTaskCompletion = 1;  // the open AC task is waiting for its completion
        g_nConductors = 4;
        g_nTaskVersion = 6;
        g_nLabelCircuits = 1;
        g_nLabelGround = 1;
        open.AddResponseResult(TaskResult(3));
    }

    std::string DcTaskFile()
    {
        CKestrinDoc dc;
        MakeTask(dc, true);
        auto r = TaskResult(4);
        r->rxWire1 = 0;
        r->rxWire2 = 1;
        dc.AddResponseResult(std::move(r));
        dc.AddResponseResult(TaskResult(2, 0));
        return SaveTask(dc, folder.File("Полюса.ktf"));
    }

    void ExpectRefused(const std::string& path)
    {
        OpenTaskGlobals before;
        std::string dump = Dump(buffer);
        messages.clear();
        EXPECT_FALSE(buffer.AddTaskFile(path));
        EXPECT_EQ(Dump(buffer), dump);
        EXPECT_TRUE(before == OpenTaskGlobals());
        ASSERT_EQ(messages.messages().size(), 1u);
        const auto& m = messages.messages()[0];
        EXPECT_EQ(m.text, "Задача\n" + path + "\nне имеет результатов расчета тракта,\nпредставимых в графическом виде");
        EXPECT_EQ(m.caption, "Дополнение буфера сравнения");
        EXPECT_EQ(m.icon, MsgIcon::Stop);
    }

    ScratchFolder folder;
};

TEST_F(AddFile, ADcTaskIsNamedWithItsOwnPoles)
{
    std::string path = DcTaskFile();
    buffer.PutTask(open, "/open.ktf", "open.ktf");
    OpenTaskGlobals before;
    ASSERT_TRUE(buffer.AddTaskFile(path));
    EXPECT_TRUE(before == OpenTaskGlobals());
    EXPECT_EQ(g_pDoc, &open);
    EXPECT_TRUE(messages.messages().empty());

    ASSERT_EQ(buffer.groups.size(), 2u);
    const CBufZad& g = *buffer.groups[1];
    EXPECT_EQ(g.key, path);
    EXPECT_EQ(g.title, "Полюса");
    ASSERT_EQ(g.curves.size(), 2u);  // the 2-point result is copied on this road
    EXPECT_EQ(g.curves[0]->result.label, "+--/+--");
    EXPECT_EQ(g.curves[1]->result.label, "+-0/--0");
    // The open task's own labels still name phases.
    EXPECT_EQ(buffer.groups[0]->curves[0]->result.label, "A-B/B-C");

    // The same file again refills its group, under any name of the file.
    std::filesystem::create_directory_symlink(folder.File(""), folder.File("link"));
    for (const std::string& name : {path, folder.File("link/./Полюса.ktf")}) {
        buffer.groups[1]->curves[0]->selected = 1;
        ASSERT_TRUE(buffer.AddTaskFile(name));
        ASSERT_EQ(buffer.groups.size(), 2u);
        EXPECT_EQ(buffer.groups[1]->SelectedCount(), 0);
    }
}

TEST_F(AddFile, BadFilesAreRefusedAndLeaveTheOpenTaskAlone)
{
    buffer.PutTask(open, "/open.ktf", "open.ktf");
    std::string good = DcTaskFile();
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(good, bytes, error));
    std::string damaged(bytes.begin(), bytes.end() - 30);
    ExpectRefused(WriteBytes(folder.File("damaged.ktf"), damaged));
    ExpectRefused(WriteBytes(folder.File("notes.ktf"), "Это не задача, а просто текст.\n"));
    ExpectRefused(WriteBytes(folder.File("empty.ktf"), ""));
    ExpectRefused(folder.File("missing.ktf"));

    CKestrinDoc bare;
    MakeTask(bare);
    bare.AddResponseResult(TaskResult(1));
    ExpectRefused(SaveTask(bare, folder.File("one-point.ktf")));
}

TEST_F(AddFile, AnOldTaskFileIsAddedWithoutItsMigrationMessage)
{
    // Version 0: no base data beyond the conductor count, no elements.
    ArchiveWriter w;
    w.writeString("");
    w.writeString("Старая");
    w.writeByte(3);
    w.writeWord(0);
    w.writeWord(0);
    w.writeWord(1);
    TaskResult(3)->Store(w);
    const auto& b = w.bytes();
    std::string path = WriteBytes(folder.File("old.ktf"), std::string(b.begin(), b.end()));

    g_nTaskCompletion = 0;
    OpenTaskGlobals before;
    ASSERT_TRUE(buffer.AddTaskFile(path));
    EXPECT_TRUE(before == OpenTaskGlobals());
    EXPECT_TRUE(messages.messages().empty());
    ASSERT_EQ(buffer.groups.size(), 1u);
    EXPECT_EQ(buffer.groups[0]->curves[0]->result.label, "?-?/?-?");  // a task without elements
}

}  // namespace
