#include "catalog/catalogcategories.h"

#include "platform/format.h"

namespace {

struct CategoryTexts {
    const char* section;
    const char* deleteWord;
    const char* newItemQuestion;
    const char* renameQuestion;
};

constexpr CategoryTexts kTexts[] = {
    {"", "", "", ""},
    {"Опоры", "опоры",
     "Опора с таким именем и числом мод,\nно с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
     "Основные параметры опоры изменены.\nВвести ее в базу как новый?"},
    {"Фазные провода", "провода",
     "Провод такого типа,\nно с другими параметрами\nв базе уже есть.\nВвести исправления в базу?",
     "Тип провода изменен.\nВвести его в базу как новый?"},
    {"Тросы", "троса",
     "Трос такого типа,\nно с другими параметрами\nв базе уже есть.\nВвести исправления в базу?",
     "Тип троса изменен.\nВвести его в базу как новый?"},
    {"Кабели в твердой изоляции", "кабеля",
     "Кабель такого типа\nно с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
     "Тип кабеля изменен.\nВвести его в базу как новый?"},
    {"Кабели в трубе", "кабеля",
     "Кабель такого типа\nно с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
     "Тип кабеля изменен.\nВвести его в базу как новый?"},
    {"Заградители", "заградителя",
     "Заградитель такого типа\nно с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
     "Тип заградителя изменен.\nВвести его в базу как новый?"},
    {"Матрицы", "матрицы",
     "Матрица такого типа\nно с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
     "Тип матрицы изменен.\nВвести ее в базу как новую?"},
    {"Кабели высокочастотные", "ВЧ кабеля",
     "ВЧ кабель такого типа,\nно с другими параметрами\nв базе уже есть.\nВвести исправления в базу?",
     "Тип ВЧ кабеля изменен.\nВвести его в базу как новый?"},
};

constexpr CategoryTexts kFilterTexts = {
    "Типа %d", "фильтра присоединения",
    "Такой фильтр, но с другими параметрами\nв базе уже есть.\nВвести изменения в базу?",
    "Наименование фильтра изменено.\nВвести его в базу как новый?"};

const CategoryTexts& TextsOf(int category)
{
    if (IsFilterCategory(category))
        return kFilterTexts;
    return kTexts[category >= kCatTowers && category < kCatFilters ? category : 0];
}

} // namespace

int CategoryCount(CBase& base, int category)
{
    if (!IsCatalogCategory(category))
        return 0;
    return VisitCategoryList(base, category, [](auto& list) { return int(list.size()); });
}

std::string SectionText(int category)
{
    if (IsFilterCategory(category))
        return StrFormat("Типа %d", category - kCatFilters + 1);
    return TextsOf(category).section;
}

const char* DeleteWord(int category) { return TextsOf(category).deleteWord; }
std::string NewItemQuestion(int category) { return TextsOf(category).newItemQuestion; }
std::string RenameQuestion(int category) { return TextsOf(category).renameQuestion; }

std::uint8_t EditorCompare(const CFiltr& item, const CFiltr& other)
{
    std::uint8_t result = item.Compare(other);
    if (result == 2 && !CatalogRelEqual(item.ratio, other.ratio))
        return 1;
    return result;
}

std::uint8_t EditorCompare(const CKabTr& item, const CKabTr& other)
{
    std::uint8_t result = item.Compare(other);
    if (result == 2 && !CatalogRelEqual(item.coreRadius, other.coreRadius))
        return 1;
    return result;
}

int ReconcileKindCategory(int kind)
{
    static constexpr int kCategories[] = {kCatTowers,      kCatPhaseWires, kCatGroundWires,
                                          kCatHfCables,    kCatSolidCables, kCatPipeCables,
                                          kCatTraps,       kCatMatrices,    kCatFilters};
    return kind >= 0 && kind < kReconcileKinds ? kCategories[kind] : 0;
}
