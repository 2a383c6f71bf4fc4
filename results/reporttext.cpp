#include "results/reporttext.h"

#include "platform/format.h"
#include "results/reportformat.h"

#include <algorithm>
#include <cstdarg>

void ReportText::AddLineF(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    AddLine(StrFormatV(fmt, args));
    va_end(args);
}

void ReportText::AddCopyLineF(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string line = StrFormatV(fmt, args);
    va_end(args);
    ApplyDecimalComma(line);
    AddCopyLine(std::move(line));
}

bool ReportText::DecimalCommaOn() const
{
    return decimalComma != nullptr && *decimalComma != 0;
}

void ReportText::ApplyDecimalComma(std::string& text) const
{
    if (DecimalCommaOn())
        std::replace(text.begin(), text.end(), '.', ',');
}

void ReportText::Emit(ReportLayout layout, std::string line)
{
    if (layout == ReportLayout::Screen)
        AddLine(std::move(line));
    else
        AddCopyLine(std::move(line));
}

void ReportText::EmitNumbers(ReportLayout layout, std::string line)
{
    if (layout == ReportLayout::Excel)
        ApplyDecimalComma(line);
    Emit(layout, std::move(line));
}

std::string ReportText::Number(ReportLayout layout, const char* fmt, double value) const
{
    std::string s = ReportFormat(fmt, value);
    if (layout == ReportLayout::Excel)
        ApplyDecimalComma(s);
    return s;
}

// ---- complex values and matrices ------------------------------------------

std::string ReportText::FormatComplex(const CComplex& v, int polar)
{
    if (polar)
        return ReportFormat("(%10.5g,%7.4f) ", Abs(v), Arg(v));
    return ReportFormat("(%10.5g,%10.5g) ", v.re, v.im);
}

std::string ReportText::FormatComplexWord(const CComplex& v, int polar)
{
    if (polar)
        return ReportFormat("(%10.5g \t%7.4f)", Abs(v), Arg(v));
    return ReportFormat("(%10.5g \t%10.5g)", v.re, v.im);
}

std::string ReportText::FormatComplexExcel(const CComplex& v, int polar)
{
    if (polar)
        return ReportFormat("%.5g\t%.4f", Abs(v), Arg(v));
    return ReportFormat("%.5g\t%.5g", v.re, v.im);
}

void ReportText::PrintMatrix(ReportLayout layout, const std::string& caption, const CComplex* data,
                             std::uint8_t rows, std::uint8_t cols, int polar)
{
    if (cols == 0 || data == nullptr)
        return;
    const char* continuation = layout == ReportLayout::Word ? " (continuation)" : " (продолжение)";
    const char* separator = layout == ReportLayout::Screen ? "" : layout == ReportLayout::Word ? " \t" : "\t";
    auto format = layout == ReportLayout::Screen ? &FormatComplex
                  : layout == ReportLayout::Word ? &FormatComplexWord
                                                 : &FormatComplexExcel;
    // Columns in blocks of three, each block under its caption.
    for (int s = 0; s < cols; s += 3) {
        Emit(layout, s > 0 ? caption + continuation : caption);
        const int e = std::min(s + 3, int(cols));
        for (int r = 0; r < rows; ++r) {
            std::string line;
            for (int c = s; c < e; ++c) {
                if (c > s)
                    line += separator;
                line += format(data[std::size_t(r) * cols + std::size_t(c)], polar);
            }
            EmitNumbers(layout, std::move(line));
        }
    }
}

void ReportText::PrintMatrix(const std::string& caption, const CComplex* data, std::uint8_t rows,
                             std::uint8_t cols, int polar)
{
    PrintMatrix(ReportLayout::Screen, caption, data, rows, cols, polar);
}

void ReportText::PrintMatrixWord(const std::string& caption, const CComplex* data, std::uint8_t rows,
                                 std::uint8_t cols, int polar)
{
    PrintMatrix(ReportLayout::Word, caption, data, rows, cols, polar);
}

void ReportText::PrintMatrixExcel(const std::string& caption, const CComplex* data, std::uint8_t rows,
                                  std::uint8_t cols, int polar)
{
    PrintMatrix(ReportLayout::Excel, caption, data, rows, cols, polar);
}

void ReportText::PrintSingular(ReportLayout layout, const std::string& caption)
{
    Emit(layout, caption);
    Emit(layout, "  Матрица вырождена");
}

int FirstChosen(std::span<const int> flags, std::size_t count)
{
    const std::size_t n = std::min(flags.size(), count);
    for (std::size_t i = 0; i < n; ++i)
        if (flags[i] != 0)
            return int(i);
    return -1;
}
