// What the two result-choice dialogs (of the results window and of the
// comparison buffer) share: the state of one control as their models describe
// it, and the messages of their "Просмотр" button.
#pragma once

struct ControlState {
    bool shown = true;
    bool enabled = true;
    bool checked = false;  // radio buttons and check boxes
};

// A graph shows at most this many curves.
inline constexpr int kMaxGraphCurves = 10;

inline constexpr const char* kNotDrawableMessage =
    "Не все выбранные результаты представимы в графическом виде!\nСписок откорректирован\nСм.справку";
inline constexpr const char* kNotDrawableCaption = "Проблема";
inline constexpr const char* kNothingChosenMessage = "Так нельзя - Вы не выбрали, что смотреть!";
inline constexpr const char* kForgotCaption = "Вы что-то забыли!";
inline constexpr const char* kTooManyGraphsMessage = "Возможен просмотр не более 10 графиков!";
inline constexpr const char* kTooManyGraphsCaption = "Многовато будет!";
inline constexpr const char* kDeleteResultsCaption = "Удаление результатов расчетов";
