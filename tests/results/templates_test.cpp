#include "model/results.h"
#include "platform/codepage.h"
#include "results/templates.h"
#include "resultstest.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const TaskHeader kHeader{"/home/u/tasks/line.1.ktf", "/bases/main.kdb", "Тракт 1"};
const ConnectionNames kNames{"1A", "1B", "B", "C"};

CRezGra OnePointResult(int mode)
{
    CRezGra r = MakeResult(10500, 10500, 1, [](CRezGraPoint& p, int) {
        p.transfer = CComplex(-3.25, 1.0);
        p.zLeft = CComplex(100, 50);
        p.zRight = CComplex(75, 0);  // matched: mismatch attenuation 1e30
    });
    r.name = "07.12.26 23:05";
    r.mode = std::uint8_t(mode);
    r.resistance = 8.5;
    r.zEndLeft = r.zEndRight = 75;
    return r;
}

std::string LastLine(const std::string& text)
{
    const std::string body = text.substr(0, text.size() - 1);  // without the final "\n"
    return body.substr(body.rfind('\n') + 1);
}

class TempFolder {
public:
    TempFolder()
    {
        char tmpl[] = "/tmp/kestrin-templates-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(path))
            names.insert(e.path().filename().string());
        return names;
    }
    std::string path;
};

TEST(Templates, HeaderAndRows)
{
    const std::string text = TemplateText(0, kHeader, kNames, OnePointResult(1));
    EXPECT_EQ(text, "==Файл: /home/u/tasks/line.1.ktf\n"
                    "==База данных: /bases/main.kdb\n"
                    "==Задача: \"Тракт 1\"\n"
                    "==Расчет от 07\\12\\26 23:05\n"
                    "==Подключение  1A-1B/B-C\n"
                    "==АЧХ рабочего затухания\n"
                    "10.50 -3.25\n");
    // Every file but the attenuation file pads its rows into columns.
    EXPECT_EQ(LastLine(TemplateText(1, kHeader, kNames, OnePointResult(1))), "  10.50        10.253");
    EXPECT_EQ(LastLine(TemplateText(4, kHeader, kNames, OnePointResult(1))), "  10.50         1e+30");
    EXPECT_EQ(LastLine(TemplateText(6, kHeader, kNames, OnePointResult(1))), "  10.50         111.8");
    EXPECT_EQ(LastLine(TemplateText(8, kHeader, kNames, OnePointResult(1))), "  10.50        26.565");
    EXPECT_EQ(LastLine(TemplateText(12, kHeader, kNames, OnePointResult(1))), "  10.50            50");

    // A name without a blank is all date.
    CRezGra undated = OnePointResult(0);
    undated.name = "07.12.26";
    const std::string u = TemplateText(0, kHeader, kNames, undated);
    EXPECT_NE(u.find("==Расчет от 07\\12\\26 \n==Подключение  1A-0/B-0\n"), std::string::npos);
}

TEST(Templates, NeutralResistanceInEveryFileOfModeThree)
{
    const std::string line = "==Сопротивление заземления нейтрали  8.5\tОм\n";
    for (int k = 0; k < kTemplateFileCount; ++k) {
        const std::string three = TemplateText(k, kHeader, kNames, OnePointResult(3));
        const std::size_t at = three.find(line);
        ASSERT_NE(at, std::string::npos) << k;
        EXPECT_EQ(three.compare(at + line.size(), 2, "=="), 0) << k;  // the title follows
        EXPECT_EQ(TemplateText(k, kHeader, kNames, OnePointResult(2)).find("нейтрали"), std::string::npos);
    }
}

TEST(Templates, WrittenAsCp1251WithCrLf)
{
    TempFolder dir;
    const TemplateWriteResult r = WriteTemplates(dir.path, kHeader, kNames, OnePointResult(3));
    ASSERT_TRUE(r.ok) << r.error;
    std::set<std::string> expected;
    for (const TemplateFileSpec& f : kTemplateFiles)
        expected.insert(f.name);
    EXPECT_EQ(dir.Names(), expected);
    EXPECT_EQ(expected.count("X_ мним_вх_сопр_слева.7zf"), 1u);

    for (int k = 0; k < kTemplateFileCount; ++k) {
        std::ifstream in(dir.path + "/" + kTemplateFiles[k].name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes.compare(0, 7, "==\xD4\xE0\xE9\xEB:"), 0) << k;  // "==Файл:" in CP1251
        std::string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n')
                ADD_FAILURE() << "a line end without CR in file " << k;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            text += bytes[i];
        }
        EXPECT_EQ(Cp1251ToUtf8(text), TemplateText(k, kHeader, kNames, OnePointResult(3))) << k;
    }
}

TEST(Templates, StopsAtTheFirstFileThatCannotBeWritten)
{
    TemplateWriteResult missing = WriteTemplates("/nonexistent-kestrin-folder", kHeader, kNames, OnePointResult(0));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failedFile, 1);
    EXPECT_EQ(missing.fileName, "АЧХ_раб_затух.7af");
    EXPECT_FALSE(missing.error.empty());

    // A folder standing where the fifth file should go: four files are
    // written, the rest are not, and no temporary is left behind.
    TempFolder dir;
    fs::create_directory(fs::path(dir.path) / kTemplateFiles[4].name);
    const TemplateWriteResult r = WriteTemplates(dir.path + "/", kHeader, kNames, OnePointResult(0));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedFile, 5);
    std::set<std::string> expected;
    for (int k = 0; k < 5; ++k)
        expected.insert(kTemplateFiles[k].name);
    EXPECT_EQ(dir.Names(), expected);
}

TEST(Templates, FolderOfTheChosenPath)
{
    EXPECT_EQ(TemplateFolder("/home/u/Шаблоны"), "/home/u/");
    EXPECT_EQ(TemplateFolder("Шаблоны"), "");
}

} // namespace
