// The details a damaged task or catalog is reported with: Russian, naming the
// field and the offset where reading stopped.
#include "model/base.h"
#include "model/document.h"
#include "modeltest.h"
#include "platform/savefile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define KESTRIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRIN_ASAN 1
#endif
#endif

namespace {

namespace fs = std::filesystem;

struct TempFolder {
    TempFolder()
    {
        char tmpl[] = "/tmp/kestrin-read-XXXXXX";
        path = ::mkdtemp(tmpl);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

class ReaderErrors : public ModelTest {};

template <class Load>
std::string ErrorOf(const Bytes& bytes, Load load)
{
    try {
        ArchiveReader ar(bytes);
        load(ar);
    } catch (const ArchiveError& e) {
        return e.what();
    }
    return "(read without an error)";
}

TEST_F(ReaderErrors, TruncatedOrDamagedFilesNameTheFieldInRussian)
{
    struct Case {
        bool task;
        Bytes bytes;
        const char* message;
    };
    const Case cases[] = {
        {true, {}, "файл обрывается в поле «путь к базе данных»: нужно 1 байт, осталось 0 (смещение 0)"},
        {true, {4, 'a', 'b'}, "файл обрывается в поле «путь к базе данных»: нужно 4 байт, осталось 2 (смещение 1)"},
        {true, {0, 0, 210}, "число проводов 210 больше 40 (смещение 3)"},
        {true, {0, 0, 2, 1}, "файл обрывается в поле «число элементов»: нужно 2 байт, осталось 1 (смещение 3)"},
        {false, {}, "файл обрывается в поле «опоры»: нужно 2 байт, осталось 0 (смещение 0)"},
        {false, {5, 0}, "число записей в поле «опоры» (5) больше, чем помещается в остатке файла (смещение 2)"},
        {false, {0, 0, 0, 0, 0, 0, 0, 0, 9}, "число списков фильтров 9 больше семи (смещение 9)"},
    };
    for (const Case& c : cases) {
        std::string got = c.task ? ErrorOf(c.bytes, [](ArchiveReader& ar) { CKestrinDoc().Serialize(ar); })
                                 : ErrorOf(c.bytes, [](ArchiveReader& ar) { CBase().Load(ar); });
        EXPECT_EQ(got, c.message) << (c.task ? "task" : "catalog") << " of " << c.bytes.size() << " bytes";
    }
}

// What could never be read to its end is refused before a byte is read: a
// pipe (whose open would wait for a writer for ever), a link to an endless
// device, a file longer than any task or catalog can be.  The open task stays.
TEST_F(ReaderErrors, FilesThatNeverEndAreRefusedBeforeReading)
{
    TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.File("f.ktf").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.ktf").c_str()), 0);
    { std::ofstream create(dir.File("long.ktf")); }
    fs::resize_file(dir.File("long.ktf"), kMaxFileBytes + 1);  // sparse: no disk used
    const struct {
        std::string path, error;
    } cases[] = {
        {dir.File("f.ktf"), "не удалось открыть файл " + dir.File("f.ktf") + ": это не обычный файл"},
        {dir.File("zero.ktf"), "не удалось открыть файл " + dir.File("zero.ktf") + ": это не обычный файл"},
        {dir.File("long.ktf"), "не удалось прочитать файл " + dir.File("long.ktf") +
                                   ": файл длиннее, чем может быть файл программы (4294967296 байт, а наибольшая "
                                   "длина 4294967295 байт)"},
    };
    CKestrinDoc doc;
    doc.title = "Открытая";
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(doc.OpenTaskFile(c.path, error));
        EXPECT_EQ(error, c.error);
        CBase base;
        EXPECT_THROW(LoadBaseFile(c.path, base), FileReadError) << c.path;
    }
    EXPECT_EQ(doc.title, "Открытая");
}

// Not memory enough to read a task is a message, never the end of the program.
TEST_F(ReaderErrors, MemoryFailureWhileReadingIsReported)
{
#ifdef KESTRIN_ASAN
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#else
    TempFolder dir;
    const std::string path = dir.File("big.ktf");
    { std::ofstream create(path); }
    fs::resize_file(path, std::uintmax_t(1) << 30);
    const auto inChild = [&] {
        struct rlimit limit = {512u << 20, 512u << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        CKestrinDoc doc;
        std::string error;
        const bool reported = !doc.OpenTaskFile(path, error) &&
                              error == "не удалось прочитать файл " + path + ": недостаточно памяти";
        std::fprintf(stderr, "%s\n", error.c_str());
        std::_Exit(reported ? 0 : 1);
    };
    EXPECT_EXIT(inChild(), ::testing::ExitedWithCode(0), "");
#endif
}

} // namespace
