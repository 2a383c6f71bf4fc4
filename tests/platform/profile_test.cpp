#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::string ReadText(const std::string& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(Profile, ReadsSectionsAndEntriesWithoutRegardToCase)
{
    ProfileFile p;
    p.LoadFromText("; comment\n[Lines List]\nLine1 = 255,0,0,2,16 \n[settings]\nPreviewPages=3\n");
    EXPECT_EQ(p.GetProfileString("lines list", "LINE1"), "255,0,0,2,16");
    EXPECT_EQ(p.GetProfileInt("Settings", "PreviewPages", 0), 3);
    EXPECT_EQ(p.GetProfileString("Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(p.GetProfileString("Nowhere", "Line1", "x"), "x");
    EXPECT_FALSE(p.HasEntry("Lines List", "Line2"));
}

TEST(Profile, MalformedIntegerFallsBackToDefault)
{
    ProfileFile p;
    p.LoadFromText("[Settings]\nA=12abc\nB=\nC=99999999999\nD=-4\nE=x\n");
    EXPECT_EQ(p.GetProfileInt("Settings", "A", 7), 7);
    EXPECT_EQ(p.GetProfileInt("Settings", "B", 7), 7);
    EXPECT_EQ(p.GetProfileInt("Settings", "C", 7), 7);
    EXPECT_EQ(p.GetProfileInt("Settings", "D", 7), -4);
    EXPECT_EQ(p.GetProfileInt("Settings", "E", 7), 7);
}

TEST(Profile, UnchangedWritesKeepTheTextByteForByte)
{
    // CR LF line ends, blanks, comments and an unended last line all survive.
    const std::string text = "[A]\r\nx = 1\r\n; note\r\n\r\n[B]\r\ny=two words  \r\nz=3";
    ProfileFile p;
    p.LoadFromText(text);
    p.WriteProfileString("A", "X", "1");
    p.WriteProfileString("B", "y", "two words");
    EXPECT_FALSE(p.IsModified());
    EXPECT_EQ(p.Text(), text);
}

TEST(Profile, ChangesStayInPlaceAndNewEntriesJoinTheirSection)
{
    ProfileFile p;
    p.LoadFromText("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    p.WriteProfileString("a", "x", "5");
    p.WriteProfileString("A", "w", "6");
    p.WriteProfileString("C", "v", "7");
    p.DeleteEntry("B", "y");
    EXPECT_TRUE(p.IsModified());
    EXPECT_EQ(p.Text(), "[A]\r\nx=5\r\nw=6\r\n\r\n[B]\r\n\r\n[C]\r\nv=7\r\n");
}

TEST(Profile, MixedLineEndsStayAsTheyAreAndNewLinesGetLf)
{
    ProfileFile p;
    p.LoadFromText("[A]\r\nx=1\ny=2\r\n");
    EXPECT_EQ(p.GetProfileString("A", "x"), "1");
    EXPECT_EQ(p.GetProfileString("A", "y"), "2");
    p.WriteProfileString("A", "z", "3");
    const std::string once = p.Text();
    EXPECT_EQ(once, "[A]\r\nx=1\ny=2\r\nz=3\n");
    ProfileFile q;
    q.LoadFromText(once);
    EXPECT_EQ(q.Text(), once);
}

TEST(Profile, NewFileGetsSectionsSeparatedByBlankLines)
{
    ProfileFile p;
    p.LoadFromText("");
    p.WriteProfileString("Lines List", "Line1", "1,2,3,2,16");
    p.WriteProfileInt("Settings", "PreviewPages", 2);
    EXPECT_EQ(p.Text(), "[Lines List]\nLine1=1,2,3,2,16\n\n[Settings]\nPreviewPages=2\n");
}

TEST(Profile, SaveCreatesTheFolderAndLoadsBack)
{
    char tmpl[] = "/tmp/kestrin-profile-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    std::string path = dir + "/kestrin/kestrin.ini";
    ProfileFile p;
    std::string err;
    ASSERT_TRUE(p.Load(path, err)) << err; // missing file: empty profile
    p.WriteProfileString("Recent File List", "File1", "/home/u/Задача.ktf");
    ASSERT_TRUE(p.Save(path, err)) << err;
    ProfileFile q;
    ASSERT_TRUE(q.Load(path, err)) << err;
    EXPECT_EQ(q.GetProfileString("Recent File List", "File1"), "/home/u/Задача.ktf");
    EXPECT_EQ(ReadText(path), p.Text());
    std::filesystem::remove_all(dir);
}

TEST(Profile, PathFromEnvironment)
{
    setenv("KESTRIN_PROFILE", "/tmp/x/test.ini", 1);
    EXPECT_EQ(DefaultProfilePath(), "/tmp/x/test.ini");
    unsetenv("KESTRIN_PROFILE");
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(DefaultProfilePath(), "/tmp/cfg/kestrin/kestrin.ini");
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
