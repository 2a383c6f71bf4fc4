// The text of the results window: the screen lines of the tract and modal
// reports and, line for line beside them, the lines of the copies laid out for
// Word and for Excel.  The results view owns one and paints, selects, prints
// and copies its lines; nothing here knows of windows.
#pragma once

#include "math/complex.h"
#include "results/resulttext.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

class CKestrinDoc;
class CRezGra;
class CRezMod;

// What every report and template header names: the task file, the catalog
// file the task was built with, and the task's title.
struct TaskHeader {
    std::string pathName;
    std::string basePath;
    std::string title;
};

// The three layouts of one report.  The copies hold exactly the lines of the
// screen report in the same order, so the selection of screen lines picks the
// same report lines from a copy.
enum class ReportLayout { Screen, Word, Excel };

// What a report is built from: the open task and the results window's choice.
struct ReportSource {
    const CKestrinDoc* doc = nullptr;
    std::string pathName;          // full path of the task file
    std::uint8_t viewMode = 0;     // 0 modal report, 1 to 7 tract tables, 8 and on graphs
    std::span<const int> chosenModal;  // one flag per stored modal result, in list order
    std::span<const int> chosenTract;  // one flag per stored tract result
};

class ReportText {
public:
    std::vector<std::string> screenLines;  // shown, printed and selected
    std::vector<std::string> copyLines;    // the Word or Excel copy, emptied after each copy

    // The results frame's separator choice for the Excel copy (non-zero: a
    // decimal comma); null reads as a point.
    const int* decimalComma = nullptr;

    void AddLine(std::string line) { screenLines.push_back(std::move(line)); }
    void AddCopyLine(std::string line) { copyLines.push_back(std::move(line)); }
    void AddLineF(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // Formats, turns the points into commas when the decimal comma is chosen,
    // and appends to the copy lines.
    void AddCopyLineF(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // Every "." becomes "," when the decimal comma is chosen.
    void ApplyDecimalComma(std::string& text) const;
    bool DecimalCommaOn() const;

    void FreeLines() { screenLines.clear(); }
    void FreeCopyLines() { copyLines.clear(); }

    // The report of the view mode on screen: the screen lines are emptied and
    // refilled.  Graph modes, and a choice without a set flag, leave no lines.
    void BuildReport(const ReportSource& source);
    // The Word and Excel layouts of the same report, appended to the copy
    // lines.  The Word copy never has decimal commas.
    void BuildWordReport(const ReportSource& source);
    void BuildExcelReport(const ReportSource& source);

    // The tract report (view modes 1 to 7: a mask of 1 attenuation and group
    // delay, 2 input impedances, 4 mismatch attenuation) of one result.
    void AppendTractReport(ReportLayout layout, const TaskHeader& header, const ConnectionNames& names,
                           const CRezGra& result, std::uint8_t viewMode);
    // The modal-parameter report of one result, for the line element at the
    // result's position in the chain: an overhead line, or else a cable line
    // (also when the chain is shorter than the position), and its name.
    void AppendModalReport(ReportLayout layout, const TaskHeader& header, bool overheadLine,
                           const std::string& elementName, const CRezMod& result);

    // A complex matrix of rows x cols (row-major) in blocks of three columns,
    // each block under its caption; polar prints modulus and argument (rad),
    // otherwise real and imaginary part.  Nothing for zero columns.
    void PrintMatrix(const std::string& caption, const CComplex* data, std::uint8_t rows, std::uint8_t cols,
                     int polar);
    void PrintMatrixWord(const std::string& caption, const CComplex* data, std::uint8_t rows,
                         std::uint8_t cols, int polar);
    void PrintMatrixExcel(const std::string& caption, const CComplex* data, std::uint8_t rows,
                          std::uint8_t cols, int polar);
    void PrintMatrix(ReportLayout layout, const std::string& caption, const CComplex* data, std::uint8_t rows,
                     std::uint8_t cols, int polar);

    static std::string FormatComplex(const CComplex& value, int polar);
    static std::string FormatComplexWord(const CComplex& value, int polar);
    static std::string FormatComplexExcel(const CComplex& value, int polar);

private:
    // Appends a line to the list of the layout.
    void Emit(ReportLayout layout, std::string line);
    // A line made of numbers and fixed words: in the Excel layout through the
    // decimal comma (the Word layout always keeps its points).
    void EmitNumbers(ReportLayout layout, std::string line);
    // A number for a line that also holds names or dates: only the number
    // takes the decimal comma.
    std::string Number(ReportLayout layout, const char* fmt, double value) const;
    void AppendHeader(ReportLayout layout, const TaskHeader& header, bool modal);
    void AppendAttenuationTable(ReportLayout layout, const CRezGra& result);
    void AppendImpedanceTable(ReportLayout layout, const CRezGra& result);
    void AppendMismatchTable(ReportLayout layout, const CRezGra& result);
    void AppendModalMatrices(ReportLayout layout, const CRezMod& result);
    void PrintSingular(ReportLayout layout, const std::string& caption);
    void Build(ReportLayout layout, const ReportSource& source);
};

// The header of the open task, whose file is pathName.
TaskHeader MakeTaskHeader(const CKestrinDoc& doc, const std::string& pathName);

// The first result whose flag is set, among the first min(flags, count)
// entries; -1 when none is.
int FirstChosen(std::span<const int> flags, std::size_t count);
