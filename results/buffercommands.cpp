#include "results/buffercommands.h"

#include "results/comparebuffer.h"
#include "results/resulttext.h"


using namespace rescmd;
namespace gc = GraphCommand;

const std::vector<ResultsCommandInfo>& BufferCommands()
{
    static const std::vector<ResultsCommandInfo> commands = {
        {Print, "&Печать...", "Печать графиков", ""},
        {PrintPreview, "П&росмотр Печати", "Предварительный просмотр печати", ""},
        {PrintSetup, "П&араметры печати", "Выбор принтера и параметров печати", ""},
        {CloseWindow, "&Закрыть окно", "Закрыть окно сравнения результатов", ""},
        {Copy, "&Копировать\tCtrl+C", "Копировать график в буфер обмена", "Ctrl+C"},
        {ChooseResults, "&Выбор результатов...", "Выбор результатов из буфера сравнения", ""},
        {gc::Attenuation, "&Затухание", "График рабочего затухания", ""},
        {gc::GroupDelay, "За&паздывание", "График неравномерности группового времени запаздывания", ""},
        {gc::InputLeft, "Входное сопротивление с&лева", "График входного сопротивления слева", ""},
        {gc::InputRight, "Входное сопротивление с&права", "График входного сопротивления справа", ""},
        {gc::MismatchLeft, "Затухание &несогласованности с&лева", "График затухания несогласованности слева",
         ""},
        {gc::MismatchRight, "Зат&ухание несогласованности с&права",
         "График затухания несогласованности справа", ""},
        {gc::ByFrequency, "Просмотр по частотам", "Значения на выбранной частоте", ""},
        {gc::XChoose, "&Выбор", "Выбор диапазона частот мышью", ""},
        {gc::XFullRange, "&Полный диапазон", "Весь диапазон частот", ""},
        {gc::YChoose, "&Выбор", "Выбор диапазона значений мышью", ""},
        {gc::YFullRange, "&Полный диапазон", "Весь диапазон значений", ""},
        {gc::NotFromZero, "Не от нуля", "Шкала значений не от нуля", ""},
        {gc::Scale, "&Числовое задание масштабов", "Задание масштабов числами", ""},
        {gc::BufferShiftLeft, "В&лево", "Сдвиг диапазона частот влево", ""},
        {gc::BufferShiftRight, "В&право", "Сдвиг диапазона частот вправо", ""},
        {ColourSet, "&Цветные", "Цветные линии графиков", ""},
        {BlackSet, "&Черные", "Черные линии графиков", ""},
        {LineStyle, "&Стиль линий", "Настройка линий графиков", ""},
        {Legend, "&Информация по линиям", "Показывать подписи линий графиков", ""},
        {ToggleToolbar, "Стандартная &панель", "Показать или скрыть панель инструментов", ""},
        {ToggleStatusBar, "&Строка состояния", "Показать или скрыть строку состояния", ""},
        {HelpContents, "&Содержание", "Справка о результатах расчетов", ""},
    };
    return commands;
}

const std::vector<ResultsMenu>& BufferMenuLayout()
{
    static const std::vector<ResultsMenu> menus = {
        {"&Файл", {Print, PrintPreview, PrintSetup, 0, CloseWindow}, {}},
        {"&Редактирование", {Copy}, {}},
        {"&Просмотр",
         {ChooseResults, 0, gc::Attenuation, gc::GroupDelay, gc::InputLeft, gc::InputRight, gc::MismatchLeft,
          gc::MismatchRight, 0, gc::ByFrequency, 0, ToggleToolbar, ToggleStatusBar},
         {}},
        {"&Масштаб",
         {-2, gc::XChoose, gc::XFullRange, -3, gc::YChoose, gc::YFullRange, gc::NotFromZero, 0, gc::Scale, 0,
          gc::BufferShiftLeft, gc::BufferShiftRight},
         {"По оси &частот", "По оси &значений"}},
        {"&Линии", {ColourSet, BlackSet, LineStyle, 0, Legend}, {}},
        {"&Справка", {HelpContents}, {}},
    };
    return menus;
}

const std::vector<int>& BufferToolbarLayout()
{
    static const std::vector<int> bar = {Print,          0,           Copy,        0,
                                         gc::XChoose,    gc::XFullRange, gc::YChoose, gc::YFullRange,
                                         gc::Scale,      gc::NotFromZero, gc::BufferShiftLeft,
                                         gc::BufferShiftRight, 0, Legend, gc::ByFrequency};
    return bar;
}

bool IsBufferCheckable(int id)
{
    return IsResultsCheckable(id) && id != Tables && id != TaskTitle;
}

ResultsCommandState GetBufferCommandState(int id, const BufferUiState& s)
{
    ResultsCommandState st;
    switch (id) {
    case Print:
    case PrintPreview:
    case PrintSetup:
    case CloseWindow:
    case Copy:
    case ChooseResults:
    case LineStyle:
    case HelpContents:
        st.enabled = true;
        return st;
    case ColourSet:
    case BlackSet:
        st.enabled = true;
        st.checked = (id == BlackSet) == s.blackSet;
        return st;
    case Legend:
        st.enabled = true;
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
    // The rows that need curves: the graph's own rules (the quantities too,
    // under the buffer's kind).
    if (s.graph)
        if (auto g = s.graph->CommandState(id)) {
            st.enabled = g->enabled;
            st.checked = g->ticked;
        }
    return st;
}

std::vector<CurveSource> BufferCurveSources(const CompareBuffer& buffer)
{
    std::vector<CurveSource> sources;
    for (const auto& group : buffer.groups)
        for (const auto& curve : group->curves)
            if (curve->selected)
                sources.push_back({BufferCurveLabel(group->title, curve->result.label), &curve->result});
    return sources;
}
