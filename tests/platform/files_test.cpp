#include "platform/format.h"
#include "platform/messages.h"
#include "platform/savefile.h"

#include <gtest/gtest.h>

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
