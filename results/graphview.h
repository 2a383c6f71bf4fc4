// What tells the results window's graph from the comparison buffer's: the
// command ids of the two shifts, the caption of the attenuation axis and the
// task-title line.  Everything else of the two graphs is one code.
#pragma once

#include <string>

// The six quantities a graph shows (the results window's view mode minus 8).
enum GraphQuantity {
    kQuantityAttenuation = 0,
    kQuantityGroupDelay = 1,
    kQuantityInputLeft = 2,
    kQuantityInputRight = 3,
    kQuantityMismatchLeft = 4,
    kQuantityMismatchRight = 5,
};
inline constexpr int kQuantityCount = 6;

// Command ids of the graph menus and toolbars.
namespace GraphCommand {
inline constexpr int Attenuation = 32851;
inline constexpr int GroupDelay = 32852;
inline constexpr int InputLeft = 32854;
inline constexpr int InputRight = 32855;
inline constexpr int MismatchLeft = 32886;
inline constexpr int MismatchRight = 32887;
inline constexpr int XChoose = 32856;
inline constexpr int XFullRange = 32857;
inline constexpr int YFullRange = 32858;
inline constexpr int YChoose = 32859;
inline constexpr int NotFromZero = 32863;
inline constexpr int ByFrequency = 32866;
inline constexpr int Scale = 32879;
inline constexpr int ResultsShiftLeft = 32893;
inline constexpr int ResultsShiftRight = 32894;
inline constexpr int BufferShiftLeft = 32897;
inline constexpr int BufferShiftRight = 32898;
} // namespace GraphCommand

struct GraphViewKind {
    int shiftLeftCommand;
    int shiftRightCommand;
    const char* attenuationCaption; // Y caption of quantity 0
    bool showsTaskTitle;            // "Задача: ..." line above the plot
    bool quantityNeedsCurves;       // quantity commands disabled without curves
};

inline constexpr GraphViewKind kResultsGraph{GraphCommand::ResultsShiftLeft,
                                             GraphCommand::ResultsShiftRight, "a,дБ", true, false};
inline constexpr GraphViewKind kBufferGraph{GraphCommand::BufferShiftLeft,
                                            GraphCommand::BufferShiftRight, "A,дБ", false, true};

// Caption above the value axis, e.g. "dT,мсек".
const char* GraphYCaption(const GraphViewKind& kind, int quantity);
// Title of the graph, e.g. "Затухание".
const char* GraphTitle(int quantity);
// Caption of the frequency axis.
inline constexpr const char* kGraphXCaption = "f,кГц";
// Sample text whose height places the legend below the frequency labels.
inline constexpr const char* kLegendSampleText = "8-8-8/8-8-8";

// The task-title line of the results graph ("Задача: \"%s\""); empty when the
// task has no title.
std::string GraphTaskTitleText(const std::string& taskTitle);
