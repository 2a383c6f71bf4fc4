#include "app/commands.h"

#include "app/commandids.h"

#include <algorithm>

using namespace cmd;

std::string CommandStatusText(const CommandInfo& info)
{
    std::string prompt = info.prompt;
    return prompt.substr(0, prompt.find('\n'));
}

std::string CommandToolTip(const CommandInfo& info)
{
    std::string prompt = info.prompt;
    std::size_t nl = prompt.find('\n');
    return nl == std::string::npos ? prompt : prompt.substr(nl + 1);
}

const std::vector<CommandInfo>& AllCommands()
{
    static const std::vector<CommandInfo> commands = {
        {ID_FILE_NEW, "&Новый\tCtrl+N", "Новая задача", "Ctrl+N"},
        {ID_FILE_OPEN, "&Открыть...\tCtrl+O", "Открыть задачу", "Ctrl+O"},
        {ID_FILE_SAVE, "&Сохранить\tCtrl+S", "Сохранить задачу", "Ctrl+S"},
        {ID_FILE_SAVE_AS, "Сохранить &Как", "Сохранить задачу под другим именем", ""},
        {ID_FILE_IMPORT, "&Импорт", "Импорт задачи программы Dalvex", ""},
        {ID_FILE_PRINT, "&Печать...\tCtrl+P", "Печать", "Ctrl+P"},
        {ID_FILE_PRINT_PREVIEW, "Пред&варительный просмотр", "Предварительный просмотр печати", ""},
        {ID_FILE_PRINT_SETUP, "П&араметры печати", "Выбор принтера и параметров печати", ""},
        {ID_APP_EXIT, "В&ыход", "Завершение работы программы", ""},

        {ID_EDIT_COPY, "&Копировать\tCtrl+C", "Копировать в буфер обмена", "Ctrl+C"},
        {ID_EDIT_SELECT_ALL, "Выделить &все\tCtrl+A", "Выделить все строки", "Ctrl+A"},

        {ID_TASK_EDIT, "&Редактирование", "Формирование или редактирование тракта", ""},
        {ID_TASK_BASE_DATA, "&Базовые данные...", "Изменение базовых данных задачи", ""},
        {ID_TOGGLE_WARNINGS, "&Предупреждения", "Показывать подсказки при описании структуры", ""},
        {ID_SAVE_INTERMEDIATE, "Сохранить &промежуточные результаты",
         "Запомнить текущее состояние редактируемого тракта", ""},
        {ID_FINISH_EDIT, "&Завершить редактирование", "Завершить редактирование с сохранением изменений", ""},
        {ID_CANCEL_EDIT, "&Отменить редактирование", "Отменить все изменения редактирования", ""},
        {ID_CALC_TRACT, "Расчет тракта", "Расчет тракта", ""},
        {ID_ADD_TO_BUFFER, "В &буфер сравнения",
         "Поместить результаты расчета в буфер сравнения\nПоместить результаты в буфер сравнения", ""},
        {ID_COMPLETE_DATA, "Дополнить данные", "Дополнить данные задачи", ""},

        {ID_BASE_SELECT, "&Выбрать", "Выбор базы данных", ""},
        {ID_BASE_EDIT, "&Редактировать", "Редактирование базы данных", ""},
        {ID_BASE_SAVE_AS, "&Сохранить Как", "Сохранить базу данных под другим именем", ""},

        {ID_VIEW_SCHEME, "Графическое представление", "Схема тракта", ""},
        {ID_VIEW_TEXT, "&Текстовое представление", "Описание задачи в текстовом виде", ""},
        {ID_VIEW_TASK_BASE, "&Задачи", "Элементы базы данных, используемые в задаче", ""},
        {ID_VIEW_CURRENT_BASE, "&Текущая", "Текущая база данных", ""},
        {ID_ZOOM_NORMAL, "Обычный", "Обычный масштаб", ""},
        {ID_ZOOM_FIT, "Общий вид", "Схема целиком в окне", ""},
        {ID_VIEW_TASK_BASE_DATA, "Ба&зовые данные задачи", "Просмотр базовых данных задачи", ""},
        {ID_FONT, "Шрифт...", "Шрифт текстового представления", ""},
        {ID_TOGGLE_ELEMENT_BAR, "Панель &элементов", "Показать или скрыть панель элементов", ""},
        {ID_VIEW_RESULTS, "&Результаты расчетов...", "Просмотр результатов расчетов", ""},
        {ID_VIEW_COMPARE_BUFFER, "Б&уфер сравнения результатов",
         "Просмотр буфера сравнения результатов расчетов разных задач\nСравнение результатов расчетов", ""},

        {ID_APP_ABOUT, "&О программе Kestrin ...", "Сведения о программе", ""},

        // The element toolbar: the element names of the task listing.
        {ID_ELEM_END_LOAD, "", "Концевая нагрузка", ""},
        {ID_ELEM_COUPLING, "", "Устройство присоединения", ""},
        {ID_ELEM_VLINE, "", "Воздушная линия электропередачи", ""},
        {ID_ELEM_KLINE, "", "Кабельная линия электропередачи", ""},
        {ID_ELEM_TRANSP, "", "Транспозиция", ""},
        {ID_ELEM_SHUNT, "", "Шунтирующее сопротивление", ""},
        {ID_ELEM_SERIES_Z, "", "Последовательное сопротивление", ""},
        {ID_ELEM_TAP_LOAD, "", "Конец ответвления", ""},
        {ID_ELEM_BYPASS, "", "Обход", ""},
        {ID_ELEM_TAP, "", "Ответвление", ""},
        {ID_ELEM_DOUBLING, "", "Удвоение числа проводов", ""},
        {ID_ELEM_WIRE_CHANGE, "", "Изменение числа проводов", ""},
        {ID_ELEM_CIRCUIT_END, "", "Конец присоединенной цепи", ""},
        {ID_ELEM_BRANCH_START, "", "Разветвление цепей", ""},
        {ID_ELEM_BRANCH_END, "", "Конец разветвления цепей", ""},
    };
    return commands;
}

const CommandInfo* FindCommand(int id)
{
    const auto& all = AllCommands();
    auto it = std::find_if(all.begin(), all.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it == all.end() ? nullptr : &*it;
}

namespace {

MenuItem C(int id)
{
    MenuItem m;
    m.id = id;
    return m;
}

MenuItem Sep()
{
    MenuItem m;
    m.kind = MenuItem::Separator;
    return m;
}

MenuItem Sub(std::string text, std::vector<MenuItem> items)
{
    MenuItem m;
    m.kind = MenuItem::Submenu;
    m.text = std::move(text);
    m.items = std::move(items);
    return m;
}

MenuItem Recent(MenuItem::Kind kind)
{
    MenuItem m;
    m.kind = kind;
    return m;
}

} // namespace

const std::vector<MenuItem>& MainMenuLayout()
{
    static const std::vector<MenuItem> menu = {
        Sub("&Файл", {C(ID_FILE_NEW), C(ID_FILE_OPEN), C(ID_FILE_SAVE), C(ID_FILE_SAVE_AS), Sep(),
                      C(ID_FILE_IMPORT), Sep(), C(ID_FILE_PRINT), C(ID_FILE_PRINT_PREVIEW),
                      C(ID_FILE_PRINT_SETUP), Sep(), Recent(MenuItem::RecentTasks), Sep(), C(ID_APP_EXIT)}),
        Sub("&Редактирование", {C(ID_EDIT_COPY), C(ID_EDIT_SELECT_ALL), Sep(), C(ID_ADD_TO_BUFFER)}),
        Sub("&Задача", {C(ID_TASK_EDIT), Sep(), C(ID_TASK_BASE_DATA), C(ID_TOGGLE_WARNINGS),
                        C(ID_SAVE_INTERMEDIATE), C(ID_FINISH_EDIT), C(ID_CANCEL_EDIT), Sep(),
                        C(ID_COMPLETE_DATA), Sep(), C(ID_CALC_TRACT)}),
        Sub("&База данных", {C(ID_BASE_SELECT), C(ID_BASE_EDIT), C(ID_BASE_SAVE_AS), Sep(),
                             Recent(MenuItem::RecentBases)}),
        Sub("&Просмотр", {C(ID_VIEW_SCHEME), C(ID_VIEW_TEXT),
                     Sub("&Базы данных", {C(ID_VIEW_TASK_BASE), C(ID_VIEW_CURRENT_BASE)}),
                     Sub("&Масштаб", {C(ID_ZOOM_NORMAL), C(ID_ZOOM_FIT)}), Sep(), C(ID_VIEW_TASK_BASE_DATA),
                     C(ID_FONT), C(ID_TOGGLE_ELEMENT_BAR), Sep(), C(ID_VIEW_RESULTS),
                     C(ID_VIEW_COMPARE_BUFFER)}),
        Sub("&Справка", {C(ID_APP_ABOUT)}),
    };
    return menu;
}

const std::vector<int>& StandardToolbarLayout()
{
    static const std::vector<int> bar = {ID_FILE_NEW, ID_FILE_OPEN,     ID_FILE_SAVE, ID_FILE_PRINT,
                                         0,           ID_EDIT_COPY,     ID_ADD_TO_BUFFER, 0,
                                         ID_ZOOM_NORMAL, ID_ZOOM_FIT};
    return bar;
}

const std::vector<int>& ElementToolbarLayout()
{
    static const std::vector<int> bar = {
        ID_ELEM_END_LOAD, ID_ELEM_COUPLING, 0, ID_ELEM_VLINE, ID_ELEM_KLINE, 0, ID_ELEM_TRANSP,
        ID_ELEM_SHUNT, ID_ELEM_SERIES_Z, ID_ELEM_TAP_LOAD, ID_ELEM_BYPASS, ID_ELEM_TAP, 0,
        ID_ELEM_DOUBLING, ID_ELEM_WIRE_CHANGE, ID_ELEM_CIRCUIT_END, 0, ID_ELEM_BRANCH_START,
        ID_ELEM_BRANCH_END, 0, ID_TOGGLE_WARNINGS, ID_TASK_BASE_DATA, 0, ID_SAVE_INTERMEDIATE,
        ID_FINISH_EDIT, ID_CANCEL_EDIT};
    return bar;
}

std::vector<std::string> ExtraShortcuts(int id)
{
    if (id == ID_EDIT_COPY)
        return {"Ctrl+Ins"};
    return {};
}
