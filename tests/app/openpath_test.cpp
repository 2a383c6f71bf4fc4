#include "app/commandids.h"
#include "app/currentbase.h"
#include "platform/format.h"
#include "shellfixture.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

TEST(OpenPath, OpensATaskNamesItInTheTitleAndTheRecentList)
{
    AppSession s;
    WriteTask(s.dir.File("line.v1.ktf"), "Линия");
    ScriptedMessages msgs;
    ASSERT_TRUE(s.app.OpenDocumentFile(s.dir.File("line.v1.ktf")));
    EXPECT_EQ(s.Doc().elements.size(), 2u);
    EXPECT_EQ(s.Doc().title, "Линия");
    EXPECT_EQ(g_DocFile.title, "line.v1.ktf");
    EXPECT_EQ(s.host.frame.title, "Morvel - Задача: line.v1.");
    EXPECT_EQ((*s.app.m_pRecentFileList)[0], s.dir.File("line.v1.ktf"));
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_GE(s.host.frame.resultWindowsClosed, 1);

    // A name with a line break opens as any other, but stays out of the recent list.
    const std::string odd = s.dir.File("x\n[Base File List]\nFile1=other.kdb\n.ktf");
    WriteTask(odd, "Другая");
    ASSERT_TRUE(s.app.OpenDocumentFile(odd));
    EXPECT_EQ(s.Doc().title, "Другая");
    EXPECT_EQ(g_DocFile.pathName, odd);
    EXPECT_EQ((*s.app.m_pRecentFileList)[0], s.dir.File("line.v1.ktf"));
}

TEST(OpenPath, ADamagedTaskIsReportedAndTheOpenTaskStays)
{
    AppSession s;
    WriteTask(s.dir.File("good.ktf"), "Хорошая");
    ASSERT_TRUE(s.app.OpenDocumentFile(s.dir.File("good.ktf")));
    auto bytes = ReadBytes(s.dir.File("good.ktf"));
    bytes.resize(bytes.size() - 3);
    WriteBytes(s.dir.File("cut.ktf"), bytes);
    ScriptedMessages msgs;
    EXPECT_FALSE(s.app.OpenDocumentFile(s.dir.File("cut.ktf")));
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(s.Doc().title, "Хорошая");
    EXPECT_EQ(g_DocFile.pathName, s.dir.File("good.ktf"));

    // The file is named once, in the first line; the second gives the reason
    // alone, as a sentence.
    ASSERT_EQ(::mkfifo(s.dir.File("fifo.ktf").c_str(), 0600), 0);
    msgs.clear();
    EXPECT_FALSE(s.app.OpenDocumentFile(s.dir.File("fifo.ktf")));
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Не удалось открыть файл " + s.dir.File("fifo.ktf") + ".\nЭто не обычный файл.");
    EXPECT_EQ(AsSentence("файл обрывается в поле «имя» (смещение 7)"), "Файл обрывается в поле «имя» (смещение 7).");
    EXPECT_EQ(AsSentence("ёмкость"), "Ёмкость.");
    EXPECT_EQ(AsSentence("расчет прекращен!"), "Расчет прекращен!");

    // A recent task that cannot be read leaves the list.
    s.app.m_pRecentFileList->Add(s.dir.File("cut.ktf"));
    msgs.clear();
    EXPECT_FALSE(s.app.OnOpenRecentFile(cmd::ID_FILE_MRU_FIRST));
    EXPECT_EQ((*s.app.m_pRecentFileList)[0], s.dir.File("good.ktf"));
}

TEST(OpenPath, AnUnreadableSettingsFileIsNamedOnceWithItsReasonBelow)
{
    TempFolder dir;
    ResetCurrentBase();
    ASSERT_EQ(::mkfifo(dir.File("kestrin.ini").c_str(), 0600), 0);
    ScriptedMessages msgs;
    RecordingAppHost host;
    CKestrinApp app;
    app.m_strProfilePath = dir.File("kestrin.ini");
    ASSERT_TRUE(app.InitInstance({}, host));
    ASSERT_FALSE(msgs.messages().empty());
    EXPECT_EQ(msgs.messages()[0].text, "Не удалось прочитать настройки программы из файла " +
                                           dir.File("kestrin.ini") + ".\nЭто не обычный файл.");
    app.ExitInstance();
}

TEST(OpenPath, RefusedSilentlyWhileEditing)
{
    AppSession s;
    WriteTask(s.dir.File("t.ktf"), "T");
    s.Frame().m_bEditing = 1;
    ScriptedMessages msgs;
    EXPECT_FALSE(s.app.OpenDocumentFile(s.dir.File("t.ktf")));
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_TRUE(s.Doc().elements.empty());
    s.Frame().m_bEditing = 0;
}

TEST(OpenPath, AModifiedTaskIsAskedAboutFirst)
{
    AppSession s;
    WriteTask(s.dir.File("a.ktf"), "A");
    WriteTask(s.dir.File("b.ktf"), "B");
    ASSERT_TRUE(s.app.OpenDocumentFile(s.dir.File("a.ktf")));
    SetModifiedFlag();
    ScriptedMessages msgs;
    msgs.queue(MsgAnswer::Cancel);
    EXPECT_FALSE(s.app.OpenDocumentFile(s.dir.File("b.ktf")));
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Сохранить изменения в a.ktf?");
    EXPECT_EQ(s.Doc().title, "A");
    msgs.queue(MsgAnswer::No);
    EXPECT_TRUE(s.app.OpenDocumentFile(s.dir.File("b.ktf")));
    EXPECT_EQ(s.Doc().title, "B");
    EXPECT_FALSE(g_DocFile.modified);
}

TEST(OpenPath, NewTaskIsUntitled)
{
    AppSession s;
    WriteTask(s.dir.File("a.ktf"), "A");
    ASSERT_TRUE(s.app.OpenDocumentFile(s.dir.File("a.ktf")));
    s.app.OnFileNew();
    EXPECT_TRUE(s.Doc().elements.empty());
    EXPECT_EQ(g_DocFile.title, kUntitledTask);
    EXPECT_EQ(s.host.frame.title, "Morvel - Задача безымянная.");
}

TEST(OpenPath, CommandLineOpensTheTaskAndAFailureEndsStartUp)
{
    {
        TempFolder dir;
        WriteTask(dir.File("cmd.ktf"), "С командной строки");
        AppSession s("", {dir.File("cmd.ktf")});
        ASSERT_TRUE(s.started);
        EXPECT_EQ(s.Doc().title, "С командной строки");
        EXPECT_EQ(s.host.frame.title, "Morvel - Задача: cmd.");
    }
    {
        // A name that is not UTF-8 is used as its bytes: that task opens, is
        // saved and is remembered under its own name, also after a restart;
        // the file its text would name ("��.ktf") is left alone.
        TempFolder dir;
        const std::string own = dir.File("\xff\xfe.ktf"), other = dir.File("\xEF\xBF\xBD\xEF\xBF\xBD.ktf");
        WriteTask(own, "Своя");
        WriteTask(other, "Чужая");
        const auto others = ReadBytes(other);
        std::vector<std::uint8_t> profile;
        {
            AppSession s("", {own});
            ASSERT_TRUE(s.started);
            EXPECT_EQ(s.Doc().title, "Своя");
            s.Doc().title = "Сохраненная";
            EXPECT_TRUE(OnFileSave());
            s.app.ExitInstance();
            profile = ReadBytes(s.dir.File("kestrin.ini"));
        }
        EXPECT_EQ(ReadBytes(other), others);
        AppSession again(std::string(profile.begin(), profile.end()));
        EXPECT_TRUE(again.app.OnOpenRecentFile(cmd::ID_FILE_MRU_FIRST));
        EXPECT_EQ(again.Doc().title, "Сохраненная");
        EXPECT_EQ(g_DocFile.pathName, own);
    }
    ScriptedMessages msgs;
    AppSession bad("", {"/nonexistent/folder/none.ktf"});
    EXPECT_FALSE(bad.started);
    EXPECT_EQ(msgs.messages().size(), 1u);
}

TEST(OpenPath, SaveAsWritesTheTaskAndTakesItsName)
{
    AppSession s;
    s.Doc().conductorCount = 3;
    s.Doc().AppendElement(MakeElement(kCouplingDevice));
    ScriptedFileDialogs files;
    files.answers = {s.dir.File("saved.ktf")};
    ASSERT_TRUE(s.app.OnCommand(cmd::ID_FILE_SAVE)); // untitled: save as
    EXPECT_EQ(g_DocFile.pathName, s.dir.File("saved.ktf"));
    EXPECT_EQ(s.host.frame.title, "Morvel - Задача: saved.");
    CKestrinDoc back;
    std::string error;
    {
        ModelGlobalsGuard keep;
        ASSERT_TRUE(back.OpenTaskFile(s.dir.File("saved.ktf"), error)) << error;
    }
    EXPECT_EQ(back.elements.size(), 1u);

    // A save that fails names the file in the first line and gives the
    // reason below as a sentence, as a failed open does.
    const std::string nowhere = s.dir.File("none/saved.ktf");
    files.answers = {nowhere};
    ScriptedMessages msgs;
    s.app.OnCommand(cmd::ID_FILE_SAVE_AS);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text.rfind("Не удалось сохранить файл " + nowhere +
                                                ".\nНе удалось создать временный файл для " + nowhere + ": ",
                                            0),
              0u)
        << msgs.messages()[0].text;
    EXPECT_EQ(g_DocFile.pathName, s.dir.File("saved.ktf"));
}

// Two copies of the program save one file after the other: the later one is
// asked before it writes over the other's change; No keeps the file as the
// other left it and this copy's work unsaved; its own saves that follow never
// ask.  So for the task opened by any name of its file (full, relative, with
// "..", through a link to the file or to its folder, also when the working
// folder changed since), where a link keeps its name and stays a link and the
// recent list names the file once, for Save As onto the file by another name,
// and for the catalog.
TEST(OpenPath, ASaveOverAFileChangedOnDiskAsksFirst)
{
    AppSession s;
    const std::string task = s.dir.File("t.ktf");
    WriteTask(task, "Наша");
    std::filesystem::create_directory(s.dir.File("sub"));
    ASSERT_EQ(::symlink(task.c_str(), s.dir.File("link.ktf").c_str()), 0);
    ASSERT_EQ(::symlink(s.dir.path.c_str(), s.dir.File("folder").c_str()), 0);
    ASSERT_EQ(::symlink(s.dir.File("sub").c_str(), s.dir.File("sub/deep").c_str()), 0);
    const std::filesystem::path start = std::filesystem::current_path();
    const struct {
        std::string name, pathName;
    } roads[] = {
        {task, task},
        {"t.ktf", task},
        {"sub/../t.ktf", task},
        {"sub/deep/../t.ktf", task},  // ".." from the folder the link names
        {"folder/t.ktf", task},
        {"link.ktf", s.dir.File("link.ktf")},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.name);
        std::filesystem::current_path(s.dir.path);
        ASSERT_TRUE(s.app.OpenDocumentFile(road.name));
        std::filesystem::current_path(start);
        EXPECT_EQ(g_DocFile.pathName, road.pathName);
        WriteTask(task, "Чужая");
        const auto theirs = ReadBytes(task);
        SetModifiedFlag();
        ScriptedMessages msgs;
        msgs.queue(MsgAnswer::No);
        EXPECT_FALSE(OnFileSave());
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text,
                  "Файл " + road.pathName +
                      "\nизменен на диске после того, как программа его прочитала\n(возможно, другой копией "
                      "программы).\nЗаменить его? Изменения, сделанные в файле, будут потеряны.");
        EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Question);
        EXPECT_EQ(msgs.messages()[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(msgs.messages()[0].defaultAnswer, MsgAnswer::No);
        EXPECT_EQ(ReadBytes(task), theirs);
        EXPECT_TRUE(g_DocFile.modified);
        msgs.queue(MsgAnswer::Yes);
        EXPECT_TRUE(OnFileSave());
        EXPECT_NE(ReadBytes(task), theirs);
        msgs.clear();
        EXPECT_TRUE(OnFileSave());  // our own save is no change of someone else's
        EXPECT_TRUE(msgs.messages().empty());
    }
    EXPECT_TRUE(std::filesystem::is_symlink(s.dir.File("link.ktf")));
    EXPECT_EQ((*s.app.m_pRecentFileList)[0], s.dir.File("link.ktf"));
    EXPECT_EQ(s.app.m_pRecentFileList->CountShown(), 1);

    WriteTask(task, "Чужая");
    const auto theirs = ReadBytes(task);
    ScriptedFileDialogs files;
    files.answers = {s.dir.path + "//t.ktf"};
    ScriptedMessages msgs;
    msgs.queue(MsgAnswer::No);
    EXPECT_FALSE(OnFileSaveAs());
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(ReadBytes(task), theirs);

    msgs.clear();
    const std::string catalog = s.dir.File("c.kdb");
    WriteCatalog(catalog, "Общий");
    LoadBaseFile(catalog, g_CurBase);
    g_strBasePath = catalog;
    g_bBaseLoaded = 1;
    CBase other;
    LoadBaseFile(catalog, other);
    other.phaseWires.at(0)->name = "Чужой";
    std::string error;
    ASSERT_TRUE(SaveBaseFile(catalog, other, error)) << error;
    const auto otherCatalog = ReadBytes(catalog);
    g_CurBase.phaseWires.at(0)->name = "Наш";
    msgs.queue(MsgAnswer::No);
    EXPECT_FALSE(SaveCurrentBase());
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].caption, "Сохранение базы данных");
    EXPECT_EQ(ReadBytes(catalog), otherCatalog);
    msgs.queue(MsgAnswer::Yes);
    EXPECT_TRUE(SaveCurrentBase());
    CBase back;
    LoadBaseFile(catalog, back);
    EXPECT_EQ(back.phaseWires.at(0)->name, "Наш");
    EXPECT_EQ(msgs.messages().size(), 2u);

    // "Сохранить базу как" onto the catalog's own file by another name asks
    // both questions; No to the second keeps the other copy's file.
    ASSERT_TRUE(SaveBaseFile(catalog, other, error)) << error;
    files.answers = {s.dir.File("folder/c.kdb")};
    msgs.clear();
    msgs.queue(MsgAnswer::Yes);
    msgs.queue(MsgAnswer::No);
    s.Frame().OnBaseSaveAs();
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[0].text, "Выбрана существующая база данных.\nЗаменить ее?");
    EXPECT_EQ(msgs.messages()[1].text.rfind("Файл " + s.dir.File("folder/c.kdb") + "\nизменен на диске", 0), 0u);
    EXPECT_EQ(ReadBytes(catalog), otherCatalog);
}

// The task's name comes to lead to a file the program never read: a save
// under that name asks before writing over it, and No keeps that file byte
// for byte and the task unsaved.  An ordinary save through a link asks
// nothing.  The same for the catalog, and for Save As onto a dangling link,
// whose stamp names the file the link leads to once it exists.
TEST(OpenPath, ASaveUnderTheOpenedNameAsksWhenItLeadsToAnotherFileNow)
{
    namespace fs = std::filesystem;
    const struct {
        const char* road;
        const char* opened;  // the name the task is opened by
        std::function<void(TempFolder&)> change;
    } rows[] = {
        {"link re-pointed", "link.ktf",
         [](TempFolder& d) {
             fs::remove(d.File("link.ktf"));
             fs::create_symlink(d.File("theirs.ktf"), d.File("link.ktf"));
         }},
        {"link replaced by a file", "link.ktf",
         [](TempFolder& d) {
             fs::remove(d.File("link.ktf"));
             fs::copy_file(d.File("theirs.ktf"), d.File("link.ktf"));
         }},
        {"file renamed away, a link put in its place", "ours.ktf",
         [](TempFolder& d) {
             fs::rename(d.File("ours.ktf"), d.File("away.ktf"));
             fs::create_symlink(d.File("theirs.ktf"), d.File("ours.ktf"));
         }},
        {"folder moved, a link left, the task saved there by another copy", "sub/t.ktf",
         [](TempFolder& d) {
             fs::rename(d.File("sub"), d.File("moved"));
             fs::create_symlink(d.File("moved"), d.File("sub"));
             WriteTask(d.File("moved/t.ktf"), "Чужая");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.road);
        AppSession s;
        WriteTask(s.dir.File("ours.ktf"), "Наша");
        WriteTask(s.dir.File("theirs.ktf"), "Чужая");
        fs::create_directory(s.dir.File("sub"));
        WriteTask(s.dir.File("sub/t.ktf"), "Наша");
        fs::create_symlink(s.dir.File("ours.ktf"), s.dir.File("link.ktf"));
        const std::string name = s.dir.File(row.opened);
        ASSERT_TRUE(s.app.OpenDocumentFile(name));
        ScriptedMessages msgs;
        SetModifiedFlag();
        EXPECT_TRUE(OnFileSave());  // through a link that still leads to the file read: no question
        EXPECT_TRUE(msgs.messages().empty());
        row.change(s.dir);
        const auto there = ReadBytes(name);
        SetModifiedFlag();
        msgs.queue(MsgAnswer::No);
        EXPECT_FALSE(OnFileSave());
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text.rfind("Файл " + name + "\nизменен на диске", 0), 0u);
        EXPECT_EQ(ReadBytes(name), there);
        EXPECT_TRUE(g_DocFile.modified);
    }

    AppSession s;
    ScriptedMessages msgs;
    // The catalog chosen through a link, the link then re-pointed.
    WriteCatalog(s.dir.File("ours.kdb"), "Наш");
    WriteCatalog(s.dir.File("theirs.kdb"), "Чужой");
    fs::create_symlink(s.dir.File("ours.kdb"), s.dir.File("link.kdb"));
    LoadBaseFile(s.dir.File("link.kdb"), g_CurBase);
    TakeCurrentBasePath(s.dir.File("link.kdb"));
    EXPECT_TRUE(SaveCurrentBase());
    EXPECT_TRUE(msgs.messages().empty());
    fs::remove(s.dir.File("link.kdb"));
    fs::create_symlink(s.dir.File("theirs.kdb"), s.dir.File("link.kdb"));
    const auto theirs = ReadBytes(s.dir.File("theirs.kdb"));
    msgs.queue(MsgAnswer::No);
    EXPECT_FALSE(SaveCurrentBase());
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(ReadBytes(s.dir.File("theirs.kdb")), theirs);

    // Save As onto a dangling link writes the file it names, and the stamp
    // knows that file: another copy's save of it is asked about under its
    // own name too.
    s.Doc().conductorCount = 3;
    s.Doc().AppendElement(MakeElement(kCouplingDevice));
    fs::create_symlink(s.dir.File("new.ktf"), s.dir.File("dangling.ktf"));
    ScriptedFileDialogs files;
    files.answers = {s.dir.File("dangling.ktf")};
    msgs.clear();
    ASSERT_TRUE(OnFileSaveAs());
    EXPECT_TRUE(fs::is_symlink(s.dir.File("dangling.ktf")));
    WriteTask(s.dir.File("new.ktf"), "Чужая");
    const auto other = ReadBytes(s.dir.File("new.ktf"));
    files.answers = {s.dir.File("new.ktf")};
    msgs.queue(MsgAnswer::No);
    EXPECT_FALSE(OnFileSaveAs());
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(ReadBytes(s.dir.File("new.ktf")), other);
}

} // namespace
