#include "app/displayfont.h"
#include "app/linestyles.h"
#include "app/profilelists.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

std::string ReadText(const std::string& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Start-up and exit on one profile text: read the lists, take the styles and
// the font, write everything back.
std::string StartAndExit(const std::string& text, ProfileLists& lists)
{
    lists.m_profile.LoadFromText(text);
    lists.LoadProfileLists(8);
    lists.ApplyLineStyles();
    lists.ApplyDisplayFont();
    lists.SaveProfileLists();
    return lists.m_profile.Text();
}

TEST(ProfileLists, CanonicalProfileIsWrittenBackByteIdentical)
{
    std::string text = ReadText(KESTRIN_TEST_DATA "/profile/canonical.ini");
    ASSERT_FALSE(text.empty());
    ProfileLists lists;
    EXPECT_EQ(StartAndExit(text, lists), text);
    EXPECT_FALSE(lists.m_profile.IsModified());
    EXPECT_EQ(lists.m_nNumPreviewPages, 2);
    EXPECT_EQ((*lists.m_pBaseList)[0], "/home/engineer/Базы/catalog1.kdb");
    EXPECT_EQ((*lists.m_pBaseDopList)[7], "/home/engineer/Базы/extra8.kdb");
    EXPECT_EQ((*lists.m_pRecentFileList)[2], "/home/engineer/Задачи/task3.ktf");
    EXPECT_EQ(LineStyleTables.colours[1], MakeColour(0, 200, 0));
    EXPECT_EQ(LineStyleTables.widths[9], 10);
    EXPECT_EQ(LineStyleTables.markers[19], 65);
    EXPECT_EQ(g_LogFont.lfHeight, -13);
    EXPECT_EQ(g_LogFont.lfWeight, 700);
    EXPECT_EQ(g_LogFont.lfPitchAndFamily, 49);
    EXPECT_EQ(g_LogFont.lfFaceName, "DejaVu Sans Mono");
}

// Settings written at exit read back at the next start and write the same
// text again, whatever the profile held before.
TEST(ProfileLists, WrittenSettingsReadAndWriteToTheSameText)
{
    const std::vector<std::string> texts = {
        // A face name of blanks before a NUL: no face at all.
        std::string("[Fonts List]\nFont1=1,0,0,0,0,1,0,0,0,3,2,1,9,\x0c\x00", 47),
        // An entry twice: emptied, both lines go.
        "[Base Dop List]\nFile4=\nFile4=",
        "[Fonts List]\nFont1=12,0,0,0,400,0,0,0,204,1,2,1,17,Arial \t\n",
        "[Recent File List]\nFile1=/a.ktf\nfile1=/b.ktf\nFile2=\n",
    };
    for (const std::string& text : texts) {
        ProfileLists first, second;
        const std::string saved = StartAndExit(text, first);
        EXPECT_EQ(StartAndExit(saved, second), saved) << text;
        EXPECT_EQ(second.m_profile.IsModified(), false) << text;
    }
}

TEST(ProfileLists, FirstStartGivesTheDefaults)
{
    ProfileLists lists;
    std::string written = StartAndExit("", lists);
    const std::uint32_t coloured[10] = {0xFF,     0xC800, 0xFF0000, 0xC3C3,   0xFF00FF,
                                        0xC3C300, 0x7F,   0x6400,   0x7F0000, 0x6464};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(LineStyleTables.colours[i], i < 10 ? coloured[i] : 0u) << i;
        EXPECT_EQ(LineStyleTables.widths[i], 2);
        EXPECT_EQ(LineStyleTables.markers[i], 16);
    }
    EXPECT_EQ(g_LogFont.lfFaceName, "Courier New Cyr");
    EXPECT_EQ(g_LogFont.lfHeight, 12);
    EXPECT_EQ(g_LogFont.lfCharSet, 204);
    EXPECT_EQ(g_LogFont.lfPitchAndFamily, 17);
    EXPECT_EQ(g_LogFont.lfWeight, 400);
    // The first exit writes the styles and the font; nothing for empty lists
    // and no preview page count of 0.
    EXPECT_NE(written.find("[Lines List]\nLine1=255,0,0,2,16\nLine2=0,200,0,2,16\n"), std::string::npos);
    EXPECT_NE(written.find("Line20=0,0,0,2,16\n"), std::string::npos);
    EXPECT_NE(written.find("[Fonts List]\nFont1=12,0,0,0,400,0,0,0,204,1,2,1,17,Courier New Cyr\n"),
              std::string::npos);
    EXPECT_EQ(written.find("Base File List"), std::string::npos);
    EXPECT_EQ(written.find("PreviewPages"), std::string::npos);
}

TEST(ProfileLists, SmallMarkerCodesReadAs16AndMalformedEntriesTakeTheirDefault)
{
    ProfileLists lists;
    lists.m_profile.LoadFromText("[Lines List]\n"
                                 "Line1=1,2,3,4,0\n"
                                 "Line2=1,2,3,4,7\n"
                                 "Line3=1;2;3;4;-5\n"     // any separator; negative marker -> 16
                                 "Line4=300,0,0,2,16\n"   // colour out of range
                                 "Line5=1,2,3\n"          // too few fields
                                 "Line6=a,b,c,d,e\n"
                                 "Line7=1,2,3,0,16\n"     // width 0
                                 "Line8=1,2,3,2,200\n"    // marker size 25
                                 "Line12=9,9,9,3,27\n");  // missing entries between stay default
    lists.LoadProfileLists(8);
    lists.ApplyLineStyles();
    EXPECT_EQ(LineStyleTables.markers[0], 16);
    EXPECT_EQ(LineStyleTables.markers[1], 16);
    EXPECT_EQ(LineStyleTables.colours[0], MakeColour(1, 2, 3));
    EXPECT_EQ(LineStyleTables.widths[0], 4);
    EXPECT_EQ(LineStyleTables.markers[2], 16);
    EXPECT_EQ(LineStyleTables.colours[2], MakeColour(1, 2, 3));
    for (int i : {3, 4, 5, 6, 7, 8}) {
        EXPECT_EQ(LineStyleTables.colours[i], DefaultLineColour(i)) << i;
        EXPECT_EQ(LineStyleTables.widths[i], 2) << i;
        EXPECT_EQ(LineStyleTables.markers[i], 16) << i;
    }
    EXPECT_EQ(LineStyleTables.colours[11], MakeColour(9, 9, 9));
    EXPECT_EQ(LineStyleTables.markers[11], 27);
}

TEST(ProfileLists, FontFaceWithSpacesSurvivesAndMalformedFontGivesDefault)
{
    LogFont f = DefaultDisplayFont();
    f.lfFaceName = "Courier New Cyr Bold Italic";
    f.lfHeight = -16;
    f.lfItalic = 1;
    std::string entry = FormatFontEntry(f);
    LogFont back;
    ASSERT_TRUE(ParseFontEntry(entry, back));
    EXPECT_EQ(back, f);

    // A face name ends at a NUL byte, as it is written back.
    ASSERT_TRUE(ParseFontEntry(std::string("12,0,0,0,400,0,0,0,204,1,2,1,17,Arial\0x", 39), back));
    EXPECT_EQ(back.lfFaceName, "Arial");

    for (const std::string& bad : std::vector<std::string>{"", "12,0,0,0,400", "12,0,0,0,400,0,0,0,204,1,2,1,17,",
                                  "12,0,0,0,400,0,0,0,999,1,2,1,17,Arial", "x,0,0,0,400,0,0,0,204,1,2,1,17,Arial",
                                  std::string("12,0,0,0,400,0,0,0,204,1,2,1,17,\0Arial", 38),
                                  "12,0,0,0,400,0,0,0,204,1,2,1,17,\r,Arial"}) {
        ProfileLists lists;
        lists.m_profile.LoadFromText("[Fonts List]\nFont1=" + bad + "\n");
        lists.LoadProfileLists(8);
        g_LogFont.lfFaceName = "changed";
        lists.ApplyDisplayFont();
        EXPECT_EQ(g_LogFont, DefaultDisplayFont()) << bad;
    }
}

// File names the profile cannot give back as they are (a line break would
// write lines of its own, blanks at the ends are trimmed on reading) are not
// kept: after a write and a read every list holds what it held before.
TEST(ProfileLists, PathsTheProfileCannotHoldLeaveEveryListAsItWas)
{
    const std::string text = ReadText(KESTRIN_TEST_DATA "/profile/canonical.ini");
    ProfileLists before, after;
    StartAndExit(text, before);
    const std::vector<std::string> paths = {
        "/tmp/x\n[Base File List]\nFile1=/tmp/other.kdb\n.ktf",
        "/tmp/x\r\n[Recent File List]\r\nFile1=/tmp/other.ktf",
        " /tmp/lead.ktf",
        "/tmp/trail.ktf\t",
    };
    ProfileLists lists;
    StartAndExit(text, lists);
    for (const std::string& path : paths) {
        lists.m_pRecentFileList->Add(path);
        lists.m_pBaseList->Add(path);
        lists.m_pBaseDopList->Add(path);
    }
    // The writer itself refuses a line break, whatever setting the value is for.
    const std::string unchanged = lists.m_profile.Text();
    EXPECT_FALSE(lists.m_profile.WriteProfileString("Settings", "Note", paths[1]));
    EXPECT_EQ(lists.m_profile.Text(), unchanged);
    lists.SaveProfileLists();
    StartAndExit(lists.m_profile.Text(), after);
    for (auto list : {&ProfileLists::m_pRecentFileList, &ProfileLists::m_pBaseList, &ProfileLists::m_pBaseDopList})
        for (int i = 0; i < (before.*list)->GetSize(); ++i)
            EXPECT_EQ((*(after.*list))[i], (*(before.*list))[i]) << (before.*list)->Section() << i;
    EXPECT_EQ(after.m_profile.Text(), text);
    EXPECT_EQ((*after.m_pFontsList)[0], (*before.m_pFontsList)[0]);
    EXPECT_EQ(after.m_nNumPreviewPages, before.m_nNumPreviewPages);
}

TEST(ProfileLists, ZeroCountCreatesNoCatalogLists)
{
    ProfileLists lists;
    lists.m_profile.LoadFromText("[Base File List]\nFile1=/a.kdb\n");
    lists.LoadProfileLists(0);
    EXPECT_EQ(lists.m_pBaseList, nullptr);
    EXPECT_EQ(lists.m_pBaseDopList, nullptr);
    lists.SaveProfileLists();
    EXPECT_EQ(lists.m_profile.GetProfileString("Base File List", "File1"), "/a.kdb");
}

TEST(RecentFileList, AddMovesToTopAndDropsTheOldest)
{
    RecentFileList list("Recent File List", "File%d", 4);
    list.Add("/a.ktf");
    list.Add("/b.ktf");
    list.Add("/c.ktf");
    EXPECT_EQ(list.CountShown(), 3);
    list.Add("/a.ktf"); // present: moves up, no duplicate
    EXPECT_EQ(list[0], "/a.ktf");
    EXPECT_EQ(list[1], "/c.ktf");
    EXPECT_EQ(list[2], "/b.ktf");
    EXPECT_EQ(list[3], "");
    list.Add("/d.ktf");
    list.Add("/e.ktf"); // full: the oldest (/b) falls off
    EXPECT_EQ(list[0], "/e.ktf");
    EXPECT_EQ(list[3], "/c.ktf");
    list.Add("");
    EXPECT_EQ(list[0], "/e.ktf");
    list.Add("//./d.ktf"); // another name of a listed file takes its entry
    EXPECT_EQ(list[0], "//./d.ktf");
    EXPECT_EQ(list[1], "/e.ktf");
    EXPECT_EQ(list[3], "/c.ktf");
    list.Remove(0);
    EXPECT_EQ(list[0], "/e.ktf");
    EXPECT_EQ(list[3], "");
}

// Only the file added is looked up on disk, never an entry (one on a slow or
// dead mount would hold up every open and save): an entry read from the
// settings that names the file through a linked folder keeps its place, while
// a link to the file added in this session gives way to the file.
TEST(RecentFileList, OnlyTheFileAddedIsLookedUp)
{
    namespace fs = std::filesystem;
    TempFolder dir;
    fs::create_directory(dir.File("real"));
    std::ofstream(dir.File("real/a.ktf")) << "task";
    fs::create_directory_symlink(dir.File("real"), dir.File("linked"));
    fs::create_symlink(dir.File("real/a.ktf"), dir.File("link.ktf"));
    ProfileFile p;
    p.LoadFromText("[Recent File List]\nFile1=" + dir.File("linked/a.ktf") + "\n");
    RecentFileList list("Recent File List", "File%d", 4);
    list.ReadList(p);
    list.Add(dir.File("link.ktf"));
    list.Add(dir.File("real/a.ktf"));
    EXPECT_EQ(list[0], dir.File("real/a.ktf"));
    EXPECT_EQ(list[1], dir.File("linked/a.ktf"));
    EXPECT_EQ(list.CountShown(), 2);
}

TEST(RecentFileList, WriteListRemovesEmptiedEntries)
{
    ProfileFile p;
    p.LoadFromText("[Recent File List]\nFile1=/a.ktf\nFile2=/b.ktf\n");
    RecentFileList list("Recent File List", "File%d", 8);
    list.ReadList(p);
    list.Remove(0);
    list.WriteList(p);
    EXPECT_EQ(p.Text(), "[Recent File List]\nFile1=/b.ktf\n");
}

TEST(RecentFileList, MenuTextsAreShortenedToThirtyCharacters)
{
    RecentFileList list("Base File List", "File%d", 10);
    list.Add("/short.kdb");
    list.Add("/home/engineer/projects/kestrin/каталоги/основной.kdb");
    EXPECT_EQ(list.GetDisplayName(1), "/short.kdb");
    std::string shown = list.GetDisplayName(0);
    EXPECT_EQ(shown, "/home/.../основной.kdb");
    EXPECT_EQ(list.MenuText(0), "&1 /home/.../основной.kdb");
    EXPECT_EQ(AbbreviatePath("/a/b/a_file_name_that_is_much_longer_than_thirty.kdb", 30),
              "a_file_name_that_is_much_longer_than_thirty.kdb");
    EXPECT_EQ(AbbreviatePath("C:\\Work\\Bases\\Deep\\Folder\\main.kdb", 24), "C:\\...\\Folder\\main.kdb");
    list.Add("/x&y.kdb");
    EXPECT_EQ(list.MenuText(0), "&1 /x&&y.kdb");
}

} // namespace
