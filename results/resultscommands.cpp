#include "results/resultscommands.h"

#include "results/graphmodel.h"

#include <algorithm>

using namespace rescmd;
namespace gc = GraphCommand;

const std::vector<ResultsCommandInfo>& ResultsCommands()
{
    static const std::vector<ResultsCommandInfo> commands = {
        {Print, "&Печать...", "Печать результатов", ""},
        {PrintPreview, "П&росмотр Печати", "Предварительный просмотр печати", ""},
        {PrintSetup, "П&араметры печати", "Выбор принтера и параметров печати", ""},
        {SaveTemplates, "&Сохранить шаблоны", "сохранение шаблонов для прибора AnCom A-7", ""},
        {CloseWindow, "&Закрыть окно", "Закрыть окно результатов", ""},
        {Copy, "&Копировать\tCtrl+C", "Копировать выделенные строки или график в буфер обмена", "Ctrl+C"},
        {CopyExcel, "Копировать для &Excel", "Копировать выделенные строки для Excel", ""},
        {CopyWord, "Копировать для &Word", "Копировать выделенные строки для Word", ""},
        {AddToBuffer, "В &буфер сравнения", "", ""},
        {SelectAll, "&Выделить все\tCtrl+A", "Выделить все строки", "Ctrl+A"},
        {ChooseResults, "&Выбор результатов...", "Выбор результатов для просмотра", ""},
        {Tables, "&Таблицы", "Результаты в виде таблиц", ""},
        {gc::Attenuation, "&Затухание", "График рабочего затухания", ""},
        {gc::GroupDelay, "За&паздывание", "График неравномерности группового времени запаздывания", ""},
        {gc::InputLeft, "Входное сопротивление с&лева", "График входного сопротивления слева", ""},
        {gc::InputRight, "Входное сопротивление с&права", "График входного сопротивления справа", ""},
        {gc::MismatchLeft, "Затухание &несогласованности слева", "График затухания несогласованности слева",
         ""},
        {gc::MismatchRight, "Затухание несо&гласованности справа",
         "График затухания несогласованности справа", ""},
        {gc::ByFrequency, "Просмотр по &частотам", "Значения на выбранной частоте", ""},
        {ViewCompareBuffer, "&Буфер сравнения результатов", "", ""},
        {gc::XChoose, "&Выбор", "Выбор диапазона частот мышью", ""},
        {gc::XFullRange, "&Полный диапазон", "Весь диапазон частот", ""},
        {gc::YChoose, "&Выбор", "Выбор диапазона значений мышью", ""},
        {gc::YFullRange, "&Полный диапазон", "Весь диапазон значений", ""},
        {gc::NotFromZero, "&Не от нуля", "Шкала значений не от нуля", ""},
        {gc::Scale, "&Числовое задание масштабов", "Задание масштабов числами", ""},
        {gc::ResultsShiftLeft, "В&лево", "Сдвиг диапазона частот влево", ""},
        {gc::ResultsShiftRight, "В&право", "Сдвиг диапазона частот вправо", ""},
        {ColourSet, "&Цветные", "Цветные линии графиков", ""},
        {BlackSet, "&Черные", "Черные линии графиков", ""},
        {LineStyle, "&Стиль линий...", "Настройка линий графиков", ""},
        {Font, "Шрифт...", "Шрифт текстового представления", ""},
        {TaskTitle, "&Заголовок задачи", "Показывать заголовок задачи", ""},
        {Legend, "&Информация по линиям", "Показывать подписи линий графиков", ""},
        {ToggleToolbar, "Стандартная &панель", "Показать или скрыть панель инструментов", ""},
        {ToggleStatusBar, "&Строка состояния", "Показать или скрыть строку состояния", ""},
        {HelpContents, "&Содержание", "Справка о результатах расчетов", ""},
    };
    return commands;
}

const ResultsCommandInfo* FindResultsCommand(int id)
{
    const auto& all = ResultsCommands();
    auto it = std::find_if(all.begin(), all.end(), [id](const ResultsCommandInfo& c) { return c.id == id; });
    return it == all.end() ? nullptr : &*it;
}

const std::vector<ResultsMenu>& ResultsMenuLayout()
{
    static const std::vector<ResultsMenu> menus = {
        {"&Файл", {Print, PrintPreview, PrintSetup, 0, SaveTemplates, 0, CloseWindow}, {}},
        {"&Редактирование", {Copy, CopyExcel, CopyWord, 0, SelectAll, 0, AddToBuffer}, {}},
        {"&Просмотр",
         {ChooseResults, 0, Tables, gc::Attenuation, gc::GroupDelay, gc::InputLeft, gc::InputRight,
          gc::MismatchLeft, gc::MismatchRight, 0, gc::ByFrequency, ViewCompareBuffer, 0, Font, TaskTitle, 0,
          ToggleToolbar, ToggleStatusBar},
         {}},
        {"&Масштаб",
         {-2, gc::XChoose, gc::XFullRange, -3, gc::YChoose, gc::YFullRange, gc::NotFromZero, 0, gc::Scale, 0,
          gc::ResultsShiftLeft, gc::ResultsShiftRight},
         {"По оси &частот", "По оси &значений"}},
        {"&Линии", {ColourSet, BlackSet, LineStyle, 0, Legend}, {}},
        {"&Справка", {HelpContents}, {}},
    };
    return menus;
}

const std::vector<int>& ResultsToolbarLayout()
{
    static const std::vector<int> bar = {Print,          0,
                                         Copy,           AddToBuffer,
                                         0,              gc::XChoose,
                                         gc::XFullRange, gc::YChoose,
                                         gc::YFullRange, gc::Scale,
                                         gc::ResultsShiftLeft, gc::ResultsShiftRight,
                                         gc::NotFromZero, 0,
                                         Legend,         gc::ByFrequency};
    return bar;
}

bool IsResultsCheckable(int id)
{
    switch (id) {
    case Tables:
    case gc::Attenuation:
    case gc::GroupDelay:
    case gc::InputLeft:
    case gc::InputRight:
    case gc::MismatchLeft:
    case gc::MismatchRight:
    case gc::XChoose:
    case gc::YChoose:
    case gc::NotFromZero:
    case ColourSet:
    case BlackSet:
    case TaskTitle:
    case Legend:
    case ToggleToolbar:
    case ToggleStatusBar:
        return true;
    default:
        return false;
    }
}

int GraphQuantityOfCommand(int id)
{
    static const int kCommands[kQuantityCount] = {gc::Attenuation, gc::GroupDelay,   gc::InputLeft,
                                                  gc::InputRight,  gc::MismatchLeft, gc::MismatchRight};
    for (int q = 0; q < kQuantityCount; ++q)
        if (kCommands[q] == id)
            return q;
    return -1;
}

ResultsCommandState GetResultsCommandState(int id, const ResultsUiState& s)
{
    const bool graph = IsGraphMode(s.viewMode);
    const bool text = !graph;
    // Graph commands need the graph view; without it they stay disabled.
    const bool graphDrawn = graph && s.graph != nullptr;
    ResultsCommandState st;

    if (int q = GraphQuantityOfCommand(id); q >= 0) {
        st.enabled = s.viewMode != 0 && s.tractChosen && s.graph != nullptr;
        st.checked = s.viewMode == 8 + q;
        return st;
    }
    switch (id) {
    case Print:
    case PrintPreview:
    case PrintSetup:
    case CloseWindow:
    case ChooseResults:
    case HelpContents:
        st.enabled = true;
        return st;
    case SaveTemplates:
        // The templates are written from the first chosen tract result.
        st.enabled = s.tractChosen;
        return st;
    case Copy:
        st.enabled = graph ? graphDrawn && s.graph->HasCurves() : s.selectionShown;
        return st;
    case CopyExcel:
    case CopyWord:
        st.enabled = text && s.selectionShown && s.chosenResult;
        return st;
    case AddToBuffer:
        st.enabled = s.addToBufferEnabled;
        return st;
    case ViewCompareBuffer:
        st.enabled = s.compareBufferEnabled;
        return st;
    case SelectAll:
        st.enabled = text && s.lineCount > 0;
        return st;
    case Tables: {
        const int curves = graphDrawn ? s.graph->curveCount : 0;
        st.enabled = s.viewMode != 0 && s.tractChosen && !(graph && curves >= 2);
        st.checked = s.viewMode >= 1 && s.viewMode <= 7;
        return st;
    }
    case ColourSet:
    case BlackSet:
        st.enabled = graphDrawn;
        st.checked = (id == BlackSet) == s.blackSet;
        return st;
    case LineStyle:
        st.enabled = graphDrawn;
        return st;
    case Font:
        st.enabled = text;
        return st;
    case TaskTitle:
        st.enabled = true;
        st.checked = s.showTaskTitle;
        return st;
    case Legend:
        st.enabled = graphDrawn;
        st.checked = s.showLegend;
        return st;
    case ToggleToolbar:
        st.enabled = true;
        st.checked = s.toolbarShown;
        return st;
    case ToggleStatusBar:
        st.enabled = true;
        st.checked = s.statusBarShown;
        return st;
    default:
        break;
    }
    // The graph's own rules: range choice, full ranges, not from zero, scales,
    // shifts and the per-frequency view.
    if (graphDrawn)
        if (auto g = s.graph->CommandState(id)) {
            st.enabled = g->enabled;
            st.checked = g->ticked;
        }
    return st;
}
