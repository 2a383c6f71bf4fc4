#include "decimalcomma.h"
#include "platform/filedialog.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/savefile.h"
#include "platform/syserror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
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

// A link under /proc reports a length of 64 whatever its text: a save
// through it reaches the file the link names instead of looping for ever.
TEST(SaveFile, ThroughAProcLinkLongerThanItsReportedSize)
{
    TempDir dir;
    const std::string folder = dir.path + "/" + std::string(120, 'd');
    ASSERT_TRUE(fs::create_directory(folder));
    const std::string real = folder + "/task.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(real, std::string_view("old"), err)) << err;
    const int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(SaveFileAtomic("/proc/self/fd/" + std::to_string(fd), std::string_view("new"), err)) << err;
    ::close(fd);
    EXPECT_EQ(ReadText(real), "new");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"task.ktf"});
}

// Whatever the system reports goes into a Russian message: the usual file
// errors in their own words, any other code as a Russian sentence with its number.
TEST(SystemErrors, EveryCodeHasARussianText)
{
    for (int err = 1; err < 200; ++err) {
        const std::string text = SystemErrorText(err);
        EXPECT_FALSE(text.empty()) << err;
        EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
            << err << ": " << text;
    }
    EXPECT_EQ(SystemErrorText(ENXIO), "нет такого устройства или оно не подключено");
    EXPECT_EQ(SystemErrorText(4321), "системная ошибка с кодом 4321");

    // A socket named like a task is refused as what it is.
    TempDir dir;
    const std::string socketPath = dir.path + "/x.ktf";
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    struct sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof addr.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), addr.sun_path);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
    std::vector<std::uint8_t> bytes;
    std::string err;
    EXPECT_FALSE(ReadWholeFile(socketPath, bytes, err));
    EXPECT_EQ(err, "не удалось открыть файл " + socketPath + ": это не обычный файл");
    ::close(sock);
}

// Permission checks need an ordinary user: as root they run in a child that
// became nobody (uid 65534); false when that cannot be done here.
bool OrdinaryUserAvailable()
{
    if (::geteuid() != 0)
        return true;
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? 0 : 1);
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BecomeOrdinaryUser()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        std::_Exit(2);
}

// Hands a folder and what is in it to the ordinary user the checks run as.
void HandToOrdinaryUser(const std::string& folder)
{
    if (::geteuid() != 0)
        return;
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    for (auto& e : fs::recursive_directory_iterator(folder))
        ASSERT_EQ(::lchown(e.path().c_str(), 65534, 65534), 0);
}

// As an ordinary user: a read-only file is not replaced behind its
// permissions, and a folder that refuses the temporary is named with what to
// do; both files stay as they were.
TEST(SaveFile, RespectsWhatTheUserMayNotWrite)
{
    if (!OrdinaryUserAvailable())
        GTEST_SKIP() << "no ordinary user to run the save as";
    TempDir dir;
    const std::string readOnly = dir.path + "/readonly.ktf";
    const std::string closed = dir.path + "/closed";
    const std::string inClosed = closed + "/task.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(readOnly, std::string_view("old"), err)) << err;
    ASSERT_TRUE(fs::create_directory(closed));
    ASSERT_TRUE(SaveFileAtomic(inClosed, std::string_view("old"), err)) << err;
    HandToOrdinaryUser(dir.path);
    ::chmod(readOnly.c_str(), 0444);
    ::chmod(closed.c_str(), 0555);
    const auto inChild = [&] {
        BecomeOrdinaryUser();
        std::string first, second;
        const bool refused = !SaveFileAtomic(readOnly, std::string_view("new"), first) &&
                             first == "не удалось сохранить файл " + readOnly + ": нет прав доступа";
        const bool told = !SaveFileAtomic(inClosed, std::string_view("new"), second) &&
                          second == "не удалось создать временный файл для " + inClosed +
                                        ": нет прав доступа.\nПапка " + closed +
                                        " закрыта для записи: сохраните файл в другой папке.";
        std::fprintf(stderr, "%s\n%s\n", first.c_str(), second.c_str());
        std::_Exit(refused && told ? 0 : 1);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
    ::chmod(closed.c_str(), 0755);
    EXPECT_EQ(ReadText(readOnly), "old");
    EXPECT_EQ(ReadText(inClosed), "old");
    EXPECT_EQ(Entries(dir.path), (std::vector<std::string>{"closed", "readonly.ktf"}));
    EXPECT_EQ(Entries(closed), std::vector<std::string>{"task.ktf"});
}

// Another user's file saved by root stays that user's, with its mode.
TEST(SaveFile, KeepsTheOwnerAndGroupWhereTheSystemAllows)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const std::string target = dir.path + "/theirs.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("old"), err)) << err;
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("new"), err)) << err;
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadText(target), "new");
}

// Past the file-size limit the save fails with a message, instead of the
// program being ended in the middle of it; the temporary is gone.
TEST(SaveFile, FileSizeLimitFailsTheSaveInsteadOfEndingTheProgram)
{
    TempDir dir;
    const std::string target = dir.path + "/big.ktf";
    std::string err;
    ASSERT_TRUE(SaveFileAtomic(target, std::string_view("old"), err)) << err;
    const auto inChild = [&] {
        struct rlimit limit = {1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool failed = !SaveFileAtomic(target, std::string(5000, 'x'), error) &&
                            error == "не удалось записать файл " + target + ": файл слишком велик";
        std::fprintf(stderr, "%s\n", error.c_str());
        std::_Exit(failed ? 0 : 1);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(Entries(dir.path), std::vector<std::string>{"big.ktf"});
}

TEST(Format, UsesDecimalPointUnderAnyLocale)
{
    // Under a decimal-comma locale the output must not change.
    const DecimalCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(StrFormat("%g|%7.2f|%s|%d", 12.5, 3.14159, "ab", 42), "12.5|   3.14|ab|42");
    EXPECT_EQ(StrFormat("%g", 1e30), "1e+30");
    EXPECT_EQ(StrFormat("%s", std::string(1000, 'z').c_str()).size(), 1000u);
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

// A name that came as text is refused where U+FFFD stands in it for bytes
// the text could not hold; any other name, UTF-8 or not, is used as it is.
TEST(FileNames, TextStandingForUnreadableBytesIsRefused)
{
    const std::string lost = "/home/u/\xEF\xBF\xBD\xEF\xBF\xBD.ktf";
    const struct {
        std::string path;
        FileUse use;
        std::string message; // empty: accepted
    } rows[] = {
        {"/home/u/Линия 110.ktf", FileUse::Open, ""},
        {"/home/u/\xff\xfe.ktf", FileUse::Save, ""},
        {lost, FileUse::Open,
         "Невозможно открыть файл " + lost +
             ".\nВ имени файла или его папки есть символы, которые программа не может прочитать. Переименуйте "
             "файл или папку."},
        {"/home/\xEF\xBF\xBD/a.kdb", FileUse::Save,
         "Невозможно сохранить файл /home/\xEF\xBF\xBD/a.kdb.\nВ имени файла или его папки есть символы, которые "
         "программа не может прочитать. Выберите другое имя или другую папку."},
    };
    for (const auto& row : rows) {
        ScriptedMessages msgs;
        EXPECT_EQ(AcceptNameFromText(row.path, row.use), row.message.empty()) << row.path;
        if (row.message.empty()) {
            EXPECT_TRUE(msgs.messages().empty()) << row.path;
        } else {
            ASSERT_EQ(msgs.messages().size(), 1u) << row.path;
            EXPECT_EQ(msgs.messages()[0].text, row.message);
            EXPECT_EQ(msgs.messages()[0].caption, kAppName);
        }
    }
}

} // namespace
