#include "results/templates.h"

#include "model/document.h"
#include "model/results.h"
#include "platform/codepage.h"
#include "platform/savefile.h"
#include "results/quantities.h"
#include "results/reportformat.h"

// Radians to degrees for the phase files.
static constexpr double kDegreesPerRadian = 57.29577957855229;

// The last name has a blank after "X_", unlike its right-hand twin; the
// analyser's set has always been named so.
const TemplateFileSpec kTemplateFiles[kTemplateFileCount] = {
    {"АЧХ_раб_затух.7af", "==АЧХ рабочего затухания"},
    {"Анс_затух_несогл_слева.7af", "==Анс - затухание несогласованности слева"},
    {"Анс_затух_несогл_справа.7af", "==Анс - затухание несогласованности справа"},
    {"Анс_затух_несогл_слева.7kf", "==Анс - затухание несогласованности слева"},
    {"Анс_затух_несогл_справа.7kf", "==Анс - затухание несогласованности справа"},
    {"Z_модуль_вх_сопр_справа.7zf", "==Z- модуль входного сопротивления справа"},
    {"Z_модуль_вх_сопр_слева.7zf", "==Z- модуль входного сопротивления слева"},
    {"Фаз_угол_вх_сопр_справа.7pf", "==Фазовый угол входного сопротивления справа"},
    {"Фаз_угол_вх_сопр_слева.7pf", "==Фазовый угол входного сопротивления слева"},
    {"R_действ_вх_сопр_справа.7zf", "==R - действ.часть входного сопр.справа"},
    {"R_действ_вх_сопр_слева.7zf", "==R - действ.часть входного сопр.слева"},
    {"X_мним_вх_сопр_справа.7zf", "==X - мним.часть входного сопр.справа"},
    {"X_ мним_вх_сопр_слева.7zf", "==X - мним.часть входного сопр.слева"},
};

namespace {

// The value file `index` holds for point i.
double TemplateValue(int index, const CRezGra& result, std::size_t i)
{
    const CRezGraPoint& p = result.points[i];
    switch (index) {
    case 0:
        return p.transfer.re;
    case 1:
    case 3:
        return ResultMismatchLeft(result, i);
    case 2:
    case 4:
        return ResultMismatchRight(result, i);
    case 5:
        return Abs(p.zRight);
    case 6:
        return Abs(p.zLeft);
    case 7:
        return Arg(p.zRight) * kDegreesPerRadian;
    case 8:
        return Arg(p.zLeft) * kDegreesPerRadian;
    case 9:
        return p.zRight.re;
    case 10:
        return p.zLeft.re;
    case 11:
        return p.zRight.im;
    default:
        return p.zLeft.im;
    }
}

} // namespace

void WriteTemplateHeader(std::string& out, const TaskHeader& header, const ConnectionNames& names,
                         const CRezGra& result)
{
    const ResultNameParts when = SplitResultName(result.name);
    out += StrFormat("==Файл: %s\n", header.pathName.c_str());
    out += StrFormat("==База данных: %s\n", header.basePath.c_str());
    out += StrFormat("==Задача: \"%s\"\n", header.title.c_str());
    out += StrFormat("==Расчет от %s %s\n", when.date.c_str(), when.time.c_str());
    out += StrFormat("==Подключение  %s\n", ConnectionText(result.mode, names).c_str());
    if (result.mode == 3)
        out += ReportFormat("==Сопротивление заземления нейтрали  %g\tОм\n", result.resistance);
}

std::string TemplateText(int index, const TaskHeader& header, const ConnectionNames& names,
                         const CRezGra& result)
{
    std::string text;
    WriteTemplateHeader(text, header, names, result);
    text += kTemplateFiles[index].title;
    text += '\n';
    // The attenuation file's rows are not padded; the others are in columns.
    const char* rowFormat = index == 0 ? "%.2f %.5g\n" : "%7.2f %13.5g\n";
    for (std::size_t i = 0; i < result.PointCount(); ++i)
        text += ReportFormat(rowFormat, result.points[i].freq * 0.001, TemplateValue(index, result, i));
    return text;
}

std::string TemplateFileBytes(const std::string& utf8Text)
{
    const std::string cp1251 = Utf8ToCp1251(utf8Text);
    std::string bytes;
    bytes.reserve(cp1251.size() + cp1251.size() / 16);
    for (char c : cp1251) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string TemplateFolder(const std::string& chosenPath)
{
    const std::size_t slash = chosenPath.rfind('/');
    return slash == std::string::npos ? std::string() : chosenPath.substr(0, slash + 1);
}

TemplateWriteResult WriteTemplates(const std::string& folder, const TaskHeader& header,
                                   const ConnectionNames& names, const CRezGra& result)
{
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    TemplateWriteResult outcome;
    for (int k = 0; k < kTemplateFileCount; ++k) {
        const std::string bytes = TemplateFileBytes(TemplateText(k, header, names, result));
        std::string error;
        if (!SaveFileAtomic(prefix + kTemplateFiles[k].name, std::string_view(bytes), error)) {
            outcome.ok = false;
            outcome.failedFile = k + 1;
            outcome.fileName = kTemplateFiles[k].name;
            outcome.error = error;
            return outcome;
        }
    }
    return outcome;
}

TemplateWriteResult WriteTemplates(const std::string& folder, const CKestrinDoc& doc, const std::string& pathName,
                                   const CRezGra& result)
{
    return WriteTemplates(folder, MakeTaskHeader(doc, pathName), ResultConnectionNames(result, doc), result);
}
