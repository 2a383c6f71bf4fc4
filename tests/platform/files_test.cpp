#include "platform/format.h"
#include "platform/messages.h"
#include "platform/savefile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/kestrin-test-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::string path;
};

std::string ReadText(const std::string& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SaveFile, ReplacesTargetAndLeavesNoTemporary)
{
    TempDir dir;
    std::string target = dir.path + "/task.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("first"), err)) << err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("second"), err)) << err;
    EXPECT_EQ(ReadText(target), "second");
    int count = 0;
    for (auto& e : fs::directory_iterator(dir.path)) {
        (void)e;
        ++count;
    }
    EXPECT_EQ(count, 1);
}

TEST(SaveFile, FailureKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    std::string target = dir.path + "/base.kdb";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("old"), err));
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(SaveFileAtomic(target, std::string_view("new"), err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(ReadText(target), "old");
}

TEST(SaveFile, MissingFolderFails)
{
    std::string err;
    EXPECT_FALSE(SaveFileAtomic("/nonexistent-kestrin-dir/x.ktf", std::string_view("x"), err));
    EXPECT_FALSE(err.empty());
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(ReadWholeFile("/nonexistent-kestrin-dir/x.ktf", bytes, err));
}

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save through a symbolic link writes the file the link names, in that
// file's folder, and leaves the link a link.
TEST(SaveFile, ThroughLinksReachesTheRealFile)
{
    TempDir home, tasks;
    const std::string real = tasks.path + "/line.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(real, std::string_view("old"), err)) << err;
    ::chmod(real.c_str(), 0640);
    // A relative link to a link in the same folder, which names the real file.
    ASSERT_EQ(::symlink(real.c_str(), (tasks.path + "/alias.ktf").c_str()), 0);
    ASSERT_EQ(::symlink((tasks.path + "/alias.ktf").c_str(), (home.path + "/link.ktf").c_str()), 0);

    ASSERT_TRUE(SaveFileAtomic(home.path + "/link.ktf", std::string_view("new"), err)) << err;
    EXPECT_TRUE(fs::is_symlink(home.path + "/link.ktf"));
    EXPECT_TRUE(fs::is_symlink(tasks.path + "/alias.ktf"));
    EXPECT_EQ(ReadText(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(home.path), std::vector<std::string>{"link.ktf"});
    EXPECT_EQ(Entries(tasks.path), (std::vector<std::string>{"alias.ktf", "line.ktf"}));

    // A dangling link creates the file it names; one into a missing folder is
    // refused with the reason and stays as it was.
    ASSERT_EQ(::symlink("fresh.ktf", (home.path + "/dangling.ktf").c_str()), 0);
    ASSERT_TRUE(SaveFileAtomic(home.path + "/dangling.ktf", std::string_view("made"), err)) << err;
    EXPECT_TRUE(fs::is_symlink(home.path + "/dangling.ktf"));
    EXPECT_EQ(ReadText(home.path + "/fresh.ktf"), "made");
    ASSERT_EQ(::symlink("/nonexistent-kestrin-dir/x.ktf", (home.path + "/lost.ktf").c_str()), 0);
    err.clear();
    EXPECT_FALSE(SaveFileAtomic(home.path + "/lost.ktf", std::string_view("x"), err));
    EXPECT_NE(err.find("/nonexistent-kestrin-dir/x.ktf: нет такого файла или папки"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_symlink(home.path + "/lost.ktf"));

    // Links in a loop are refused, not followed forever.
    ASSERT_EQ(::symlink("loop2", (home.path + "/loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", (home.path + "/loop2").c_str()), 0);
    EXPECT_FALSE(SaveFileAtomic(home.path + "/loop1", std::string_view("x"), err));
    EXPECT_EQ(Entries(home.path),
              (std::vector<std::string>{"dangling.ktf", "fresh.ktf", "link.ktf", "loop1", "loop2", "lost.ktf"}));
}

// A save that fails after its temporary was written (the link names a folder,
// or a file in a folder the user may not write) is refused with the reason,
// keeps the link and the old file, and leaves no temporary in either folder.
TEST(SaveFile, RefusedSaveThroughALinkLeavesNothingBehind)
{
    TempDir home, tasks;
    std::string err;
    ASSERT_TRUE(fs::create_directory(tasks.path + "/line.ktf"));
    ASSERT_EQ(::symlink((tasks.path + "/line.ktf").c_str(), (home.path + "/link.ktf").c_str()), 0);
    EXPECT_FALSE(SaveFileAtomic(home.path + "/link.ktf", std::string_view("new"), err));
    EXPECT_NE(err.find("не удалось заменить файл " + tasks.path + "/line.ktf"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_symlink(home.path + "/link.ktf"));
    EXPECT_TRUE(fs::is_directory(tasks.path + "/line.ktf"));
    EXPECT_EQ(Entries(home.path), std::vector<std::string>{"link.ktf"});
    EXPECT_EQ(Entries(tasks.path), std::vector<std::string>{"line.ktf"});
    if (geteuid() == 0)
        return;  // root writes into read-only folders

    TempDir locked;
    const std::string real = locked.path + "/old.ktf";
    ASSERT_TRUE(SaveFileAtomic(real, std::string_view("old"), err)) << err;
    ASSERT_EQ(::symlink(real.c_str(), (home.path + "/old.ktf").c_str()), 0);
    fs::permissions(locked.path, fs::perms::owner_read | fs::perms::owner_exec);
    err.clear();
    EXPECT_FALSE(SaveFileAtomic(home.path + "/old.ktf", std::string_view("new"), err));
    EXPECT_NE(err.find("нет прав доступа"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_symlink(home.path + "/old.ktf"));
    EXPECT_EQ(ReadText(real), "old");
    EXPECT_EQ(Entries(locked.path), std::vector<std::string>{"old.ktf"});
    EXPECT_EQ(Entries(home.path), (std::vector<std::string>{"link.ktf", "old.ktf"}));
}

// A name at the 255-byte limit (127 Cyrillic letters and a dot) is saved, replaced and read back.
TEST(SaveFile, NameAtTheLengthLimit)
{
    TempDir dir;
    std::string name;
    for (int i = 0; i < 127; ++i)
        name += "ж";
    name += ".";
    ASSERT_EQ(name.size(), 255u);
    const std::string target = dir.path + "/" + name;
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("first"), err)) << err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("second"), err)) << err;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(target, bytes, err)) << err;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "second");
    EXPECT_EQ(Entries(dir.path), std::vector<std::string>{name});
}

TEST(Format, UsesDecimalPointUnderAnyLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    // Where a decimal-comma locale exists, switch to it; the output must not change.
    for (const char* loc : {"ru_RU.UTF-8", "de_DE.UTF-8", "C"})
        if (std::setlocale(LC_NUMERIC, loc))
            break;
    EXPECT_EQ(StrFormat("%g|%7.2f|%s|%d", 12.5, 3.14159, "ab", 42), "12.5|   3.14|ab|42");
    EXPECT_EQ(StrFormat("%g", 1e30), "1e+30");
    EXPECT_EQ(StrFormat("%s", std::string(1000, 'z').c_str()).size(), 1000u);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Messages, ScriptedSinkRecordsAndAnswers)
{
    EXPECT_EQ(ShowMessage("no sink", kAppName, MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::Yes);
    {
        ScriptedMessages script;
        script.queue(MsgAnswer::No);
        EXPECT_EQ(ShowMessage("Вопрос?", "Caption", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
        EXPECT_EQ(ShowMessage("Файл"), MsgAnswer::Ok);
        ASSERT_EQ(script.messages().size(), 2u);
        EXPECT_EQ(script.messages()[0].caption, "Caption");
        EXPECT_EQ(script.messages()[1].caption, "Kestrin");
        EXPECT_EQ(script.messages()[1].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(GetMessageSink(), nullptr);
}

} // namespace
