#include "app/commandids.h"
#include "app/dosbase.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace {

// A frame on its own (no application object), attached to a recording host.
struct FrameOnly {
    FrameOnly()
    {
        ResetCurrentBase();
        frame.OnCreate(&host);
    }
    RecordingFrameHost host;
    CMainFrame frame;
};

// A DOS-era catalog of one pipe cable.
std::vector<std::uint8_t> DosPipeCable(const std::string& name)
{
    std::string rec = "\x03" + name + "@";
    float r = 0.01f;
    char f[4];
    std::memcpy(f, &r, 4);
    rec.append(f, 4);
    return std::vector<std::uint8_t>(rec.begin(), rec.end());
}

TEST(LoadBase, ReadsAKdbFile)
{
    TempFolder dir;
    WriteCatalog(dir.File("a.kdb"), "АС-95");
    FrameOnly f;
    CBase base;
    std::string path = dir.File("a.kdb");
    ScriptedMessages msgs;
    ASSERT_TRUE(f.frame.LoadBase(base, path, "a.kdb", true));
    EXPECT_EQ(base.phaseWires.at(0)->name, "АС-95");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(LoadBase, MissingFileAtStartUpIsReportedLaterItIsCreated)
{
    TempFolder dir;
    FrameOnly f;
    ScriptedMessages msgs;
    CBase base;
    std::string path = dir.File("new.kdb");
    EXPECT_FALSE(f.frame.LoadBase(base, path, "new.kdb", true));
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл new.kdb не найден\nБаза не загружена!");
    EXPECT_EQ(msgs.messages()[0].caption, "Ошибка открытия файла");
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(f.frame.LoadBase(base, path, "new.kdb", false));
    EXPECT_EQ(ReadBytes(path).size(), 31u); // an empty catalog
}

TEST(LoadBase, DamagedOrUnreadableKdbIsReportedAndTheTargetStaysAsItWas)
{
    TempFolder dir;
    WriteCatalog(dir.File("good.kdb"), "Провод");
    auto bytes = ReadBytes(dir.File("good.kdb"));
    bytes.resize(bytes.size() - 5);
    WriteBytes(dir.File("cut.kdb"), bytes);
    FrameOnly f;
    ScriptedMessages msgs;
    CBase base;
    std::string good = dir.File("good.kdb");
    ASSERT_TRUE(f.frame.LoadBase(base, good, "good.kdb", false));
    for (bool startup : {true, false}) {
        std::string path = dir.File("cut.kdb");
        EXPECT_FALSE(f.frame.LoadBase(base, path, "cut.kdb", startup));
        EXPECT_EQ(base.phaseWires.at(0)->name, "Провод");
    }
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл cut.kdb поврежден.\nБаза не загружена!");
    // The damaged file is never replaced by an empty catalog.
    EXPECT_EQ(ReadBytes(dir.File("cut.kdb")), bytes);

    if (geteuid() != 0) {
        std::filesystem::permissions(good, std::filesystem::perms::none);
        msgs.clear();
        EXPECT_FALSE(f.frame.LoadBase(base, good, "good.kdb", false));
        EXPECT_EQ(msgs.messages().size(), 1u);
        std::filesystem::permissions(good, std::filesystem::perms::owner_all);
        EXPECT_FALSE(ReadBytes(good).empty());
    }
}

// A folder or a pipe named like a catalog is called what it is, not a
// damaged file, and the pipe is never waited on.
TEST(LoadBase, WhatIsNotAFileIsNamedSo)
{
    TempFolder dir;
    std::filesystem::create_directory(dir.File("x.kdb"));
    ASSERT_EQ(::mkfifo(dir.File("f.kdb").c_str(), 0600), 0);
    FrameOnly f;
    ScriptedMessages msgs;
    for (bool startup : {true, false}) {
        CBase base;
        std::string folder = dir.File("x.kdb"), pipe = dir.File("f.kdb");
        EXPECT_FALSE(f.frame.LoadBase(base, folder, "x.kdb", startup));
        EXPECT_FALSE(f.frame.LoadBase(base, pipe, "f.kdb", startup));
    }
    ASSERT_EQ(msgs.messages().size(), 4u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл x.kdb не удается открыть:\nэто папка, а не файл.\nБаза не загружена!");
    EXPECT_EQ(msgs.messages()[1].text, "Файл f.kdb не удается открыть:\nэто не обычный файл.\nБаза не загружена!");
    EXPECT_EQ(msgs.messages()[0].caption, "Ошибка открытия файла");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("x.kdb")));
}

TEST(LoadBase, DosCatalogAtStartUpIsUsedAsRead)
{
    TempFolder dir;
    std::string path = dir.File("BASEK");
    WriteBytes(path, DosPipeCable("Pipe"));
    FrameOnly f;
    ScriptedMessages msgs;
    ScriptedFileDialogs files;
    CBase base;
    std::string p = path;
    ASSERT_TRUE(f.frame.LoadBase(base, p, "BASEK", true));
    EXPECT_EQ(p, path);
    EXPECT_EQ(base.pipeCables.at(0)->name, "Pipe");
    EXPECT_TRUE(files.titles.empty());
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(LoadBase, DosCatalogFromACommandIsSavedAsKdbUntilAFileIsChosen)
{
    TempFolder dir;
    std::string path = dir.File("basek");
    WriteBytes(path, DosPipeCable("Pipe"));
    WriteCatalog(dir.File("keep.kdb"), "Keep");
    const auto kept = ReadBytes(dir.File("keep.kdb"));
    FrameOnly f;
    ScriptedMessages msgs;
    ScriptedFileDialogs files;
    // Cancel, then a folder that does not exist (the write fails), then an
    // existing catalog (No to replacing it: back to the choice), then a link
    // to the DOS file itself (refused unasked), then a good file.
    ASSERT_EQ(::symlink(path.c_str(), dir.File("x.kdb").c_str()), 0);
    files.answers = {"", dir.File("none/x.kdb"), dir.File("keep.kdb"), dir.File("x.kdb"), dir.File("imported.kdb")};
    for (int i = 0; i < 4; ++i)
        msgs.queue(MsgAnswer::Ok);
    msgs.queue(MsgAnswer::No);
    CBase base;
    std::string p = path;
    ASSERT_TRUE(f.frame.LoadBase(base, p, "basek", false));
    EXPECT_EQ(p, dir.File("imported.kdb"));
    EXPECT_EQ(files.titles.size(), 5u);
    EXPECT_EQ(msgs.messages().at(6).text,
              "Импортированную базу нельзя сохранить в файл\n" + dir.File("x.kdb") +
                  ",\nиз которого она прочитана.\nВыберите другой файл.");
    int prompts = 0;
    for (const auto& m : msgs.messages())
        if (m.text == "Импортированная база должна быть сохранена\nв формате баз данных Kestrin") {
            EXPECT_EQ(m.caption, "Импорт базы данных");
            ++prompts;
        }
    EXPECT_EQ(prompts, 5);
    EXPECT_EQ(msgs.messages().at(4).text, "Выбрана существующая база данных.\nЗаменить ее?");
    EXPECT_EQ(ReadBytes(dir.File("keep.kdb")), kept);
    CBase back;
    LoadBaseFile(dir.File("imported.kdb"), back);
    EXPECT_EQ(back.pipeCables.at(0)->name, "Pipe");
    EXPECT_EQ(ReadBytes(path), DosPipeCable("Pipe")); // the DOS file is untouched
}

TEST(LoadBase, DamagedDosCatalogKeepsTheTarget)
{
    TempFolder dir;
    auto bytes = DosPipeCable("Pipe");
    bytes.pop_back();
    WriteBytes(dir.File("basek"), bytes);
    FrameOnly f;
    ScriptedMessages msgs;
    CBase base;
    base.towers.push_back(std::make_unique<COpora>());
    std::string p = dir.File("basek");
    EXPECT_FALSE(f.frame.LoadBase(base, p, "basek", true));
    EXPECT_EQ(base.towers.size(), 1u);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл basek поврежден.\nБаза не загружена!");
    EXPECT_EQ(msgs.messages()[0].caption, "Ошибка открытия файла");

    msgs.clear();
    std::string missing = dir.File("sub/Basek");
    EXPECT_FALSE(f.frame.LoadBase(base, missing, "Basek", false));
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Ошибка открытия файла");
}

TEST(CatalogCommands, SelectMakesTheCatalogCurrentAndNamesItInTheTitle)
{
    TempFolder dir;
    WriteCatalog(dir.File("main.2024.kdb"), "М-120");
    FrameOnly f;
    ScriptedFileDialogs files;
    files.answers = {dir.File("main.2024.kdb")};
    f.frame.OnBaseSelect();
    EXPECT_EQ(files.titles.at(0), "Выбор базы данных");
    EXPECT_EQ(g_bBaseLoaded, 1);
    EXPECT_EQ(g_strBasePath, dir.File("main.2024.kdb"));
    EXPECT_EQ(g_CurBase.phaseWires.at(0)->name, "М-120");
    EXPECT_EQ(f.host.title, "Morvel База: main");

    // A cancelled choice changes nothing.
    files.answers = {""};
    f.frame.OnBaseSelect();
    EXPECT_EQ(g_strBasePath, dir.File("main.2024.kdb"));
}

TEST(CatalogCommands, SaveAsAsksBeforeReplacingAndKeepsEverythingWhenTheWriteFails)
{
    TempFolder dir;
    WriteCatalog(dir.File("a.kdb"), "A");
    WriteCatalog(dir.File("b.kdb"), "B");
    FrameOnly f;
    ScriptedFileDialogs files;
    ScriptedMessages msgs;
    files.answers = {dir.File("a.kdb")};
    f.frame.OnBaseSelect();

    // An existing file: "No" ends the command.
    files.answers = {dir.File("b.kdb")};
    msgs.queue(MsgAnswer::No);
    f.frame.OnBaseSaveAs();
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Выбрана существующая база данных.\nЗаменить ее?");
    EXPECT_EQ(msgs.messages()[0].caption, "Сохранение базы данных");
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));
    CBase b;
    LoadBaseFile(dir.File("b.kdb"), b);
    EXPECT_EQ(b.phaseWires.at(0)->name, "B");

    // A write that fails: reported, path and title stay.
    msgs.clear();
    std::string title = f.host.title;
    files.answers = {dir.File("missing/c.kdb")};
    f.frame.OnBaseSaveAs();
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));
    EXPECT_EQ(f.host.title, title);

    // A new file.
    files.answers = {dir.File("c.kdb")};
    f.frame.OnBaseSaveAs();
    EXPECT_EQ(g_strBasePath, dir.File("c.kdb"));
    EXPECT_EQ(f.host.title, "Morvel База: c");
    CBase c;
    LoadBaseFile(dir.File("c.kdb"), c);
    EXPECT_EQ(c.phaseWires.at(0)->name, "A");
}

TEST(CatalogCommands, StoringAStartUpDosImportAsksForAKdbFileFirst)
{
    TempFolder dir;
    std::string dos = dir.File("basek");
    WriteBytes(dos, DosPipeCable("Pipe"));
    FrameOnly f;
    ScriptedMessages msgs;
    ScriptedFileDialogs files;
    std::string p = dos;
    ASSERT_TRUE(f.frame.LoadBase(g_CurBase, p, "basek", true));
    g_strBasePath = p;
    g_bBaseLoaded = 1;
    // The open task names the DOS file: from the save on it names the kdb
    // and is to be saved, so that its next opening does not import again.
    CKestrinDoc task;
    task.basePath = dos;
    CKestrinDoc* const previous = g_pDoc;
    g_pDoc = &task;
    g_DocFile = DocFileState();

    files.answers = {dir.File("kept.kdb")};
    EXPECT_EQ(f.frame.OnSaveBaseMsg(), 0);
    g_pDoc = previous;
    EXPECT_EQ(task.basePath, dir.File("kept.kdb"));
    EXPECT_TRUE(g_DocFile.modified);
    g_DocFile = DocFileState();
    EXPECT_EQ(g_strBasePath, dir.File("kept.kdb"));
    EXPECT_EQ(ReadBytes(dos), DosPipeCable("Pipe"));
    CBase kept;
    LoadBaseFile(dir.File("kept.kdb"), kept);
    EXPECT_EQ(kept.pipeCables.at(0)->name, "Pipe");
    EXPECT_EQ(f.host.title, "Morvel - Задача безымянная. База: kept");

    // Later stores go to the kdb file without asking.
    files.titles.clear();
    EXPECT_TRUE(SaveCurrentBase());
    EXPECT_TRUE(files.titles.empty());

    // "Сохранить базу как" of a start-up import moves the task on as well.
    p = dos;
    ASSERT_TRUE(f.frame.LoadBase(g_CurBase, p, "basek", true));
    g_strBasePath = p;
    task.basePath = dos;
    g_pDoc = &task;
    files.answers = {dir.File("as.kdb")};
    f.frame.OnBaseSaveAs();
    g_pDoc = previous;
    EXPECT_EQ(task.basePath, dir.File("as.kdb"));
    g_DocFile = DocFileState();
}

TEST(CatalogCommands, FailedStoreIsReportedAndWhatWasThereStays)
{
    TempFolder dir;
    FrameOnly f;
    ScriptedMessages msgs;
    // A folder where the catalog file should be: no write can replace it.
    std::filesystem::create_directory(dir.File("taken.kdb"));
    g_strBasePath = dir.File("taken.kdb");
    EXPECT_FALSE(SaveCurrentBase());
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.kdb")));

    if (geteuid() == 0)
        return; // root writes into read-only folders
    WriteCatalog(dir.File("a.kdb"), "A");
    auto before = ReadBytes(dir.File("a.kdb"));
    g_strBasePath = dir.File("a.kdb");
    g_CurBase.RemoveAll();
    std::filesystem::permissions(dir.path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(SaveCurrentBase());
    std::filesystem::permissions(dir.path, std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadBytes(dir.File("a.kdb")), before);
}

TEST(FrameTitle, TaskAndCatalogNames)
{
    const std::string untitled = kUntitledTask;
    EXPECT_EQ(BuildFrameTitle(&untitled, false, ""), "Morvel - Задача безымянная.");
    const std::string withExt = "tract.v2.ktf";
    EXPECT_EQ(BuildFrameTitle(&withExt, false, ""), "Morvel - Задача: tract.v2.");
    const std::string noDot = "tract";
    EXPECT_EQ(BuildFrameTitle(&noDot, false, ""), "Morvel - Задача: tract.");
    EXPECT_EQ(BuildFrameTitle(nullptr, true, "/home/u/bases/main.2024.kdb"), "Morvel База: main");
    EXPECT_EQ(BuildFrameTitle(nullptr, true, "C:\\MORVEL\\BASES\\OSN.KDB"), "Morvel База: OSN");
    EXPECT_EQ(BuildFrameTitle(nullptr, true, "basek"), "Morvel База: basek");
    EXPECT_EQ(BuildFrameTitle(&noDot, false, "/x/y.kdb"), "Morvel - Задача: tract.");
}

// The application's recent-catalog command.
struct AppOnly {
    AppOnly(const std::string& profile)
    {
        ResetCurrentBase();
        app.m_profile.LoadFromText(profile);
        app.LoadProfileLists(CKestrinApp::kRecentCount);
    }
    CKestrinApp app;
};

TEST(RecentCatalogs, RefusedWhileEditingExceptAtStartUp)
{
    TempFolder dir;
    WriteCatalog(dir.File("a.kdb"), "A");
    WriteCatalog(dir.File("b.kdb"), "B");
    AppOnly a("[Base File List]\nFile1=" + dir.File("a.kdb") + "\nFile2=" + dir.File("b.kdb") + "\n");
    RecordingFrameHost host;
    CMainFrame frame; // loads File1 with the start-up rules
    frame.OnCreate(&host);
    EXPECT_EQ(a.app.m_bStarting, 0);
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));
    EXPECT_TRUE(host.title.empty()); // start-up leaves the title to the end of start-up

    frame.m_bEditing = 1;
    EXPECT_FALSE(a.app.OnOpenRecentBase(cmd::ID_BASE_MRU_FIRST + 1));
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));

    frame.m_bEditing = 0;
    EXPECT_TRUE(a.app.OnOpenRecentBase(cmd::ID_BASE_MRU_FIRST + 1));
    EXPECT_EQ(g_strBasePath, dir.File("b.kdb"));
    EXPECT_EQ((*a.app.m_pBaseList)[0], dir.File("b.kdb"));
    EXPECT_EQ((*a.app.m_pBaseList)[1], dir.File("a.kdb"));
    EXPECT_EQ(host.title, "Morvel База: b");

    // At start-up the pick is made even in editing mode.
    a.app.m_bStarting = 1;
    frame.m_bEditing = 1;
    EXPECT_TRUE(a.app.OnOpenRecentBase(cmd::ID_BASE_MRU_FIRST + 1));
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));
    EXPECT_EQ(a.app.m_bStarting, 0);
}

TEST(RecentCatalogs, AFailedLoadKeepsTheCurrentCatalog)
{
    TempFolder dir;
    WriteCatalog(dir.File("a.kdb"), "A");
    WriteBytes(dir.File("bad.kdb"), {1, 2, 3});
    AppOnly a("[Base File List]\nFile1=" + dir.File("a.kdb") + "\nFile2=" + dir.File("bad.kdb") + "\n");
    ScriptedMessages msgs;
    RecordingFrameHost host;
    CMainFrame frame;
    frame.OnCreate(&host);
    EXPECT_FALSE(a.app.OnOpenRecentBase(cmd::ID_BASE_MRU_FIRST + 1));
    EXPECT_EQ(g_strBasePath, dir.File("a.kdb"));
    EXPECT_EQ(g_CurBase.phaseWires.at(0)->name, "A");
    EXPECT_EQ((*a.app.m_pBaseList)[0], dir.File("a.kdb"));
    EXPECT_EQ(msgs.messages().size(), 1u);
}

TEST(StartUp, EmptyCatalogListLoadsNothingAndEndsStartUp)
{
    TempFolder dir;
    ResetCurrentBase();
    RecordingAppHost host; // outlives the application's frame
    CKestrinApp app;
    app.m_strProfilePath = dir.File("kestrin.ini");
    ASSERT_TRUE(app.InitInstance({}, host));
    EXPECT_TRUE(host.shown);
    EXPECT_EQ(g_bBaseLoaded, 0);
    EXPECT_EQ(app.m_bStarting, 0);
    EXPECT_EQ(host.frame.title.find("База"), std::string::npos);
    app.ExitInstance();
    EXPECT_TRUE(std::filesystem::exists(dir.File("kestrin.ini")));
}

} // namespace
