// The element-dialog framework: numeric fields, name order, catalog combos,
// property sheets, circuit boxes, per-wire slots and the drawing mapping.
#include "decimalcomma.h"
#include "dialogs/catalogcombo.h"
#include "dialogs/circuitbuttons.h"
#include "dialogs/drawingmap.h"
#include "dialogs/numericfield.h"
#include "dialogs/propertysheet.h"
#include "dialogs/wireslots.h"
#include "model/coupling.h"
#include "platform/messages.h"
#include "platform/namecollation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

namespace {

TEST(NumericField, ParsesLocaleFreeAndRefusesWhatIsNoFloat)
{
    struct Case {
        const char* text;
        bool number;
        float value;
    };
    const Case cases[] = {
        {"12.5", true, 12.5f},   {"12,5", true, 12.5f},  {" -3e2 ", true, -300.0f}, {"+7", true, 7.0f},
        {".25", true, 0.25f},    {"0.1", true, 0.1f},    {"", false, 0},           {"   ", false, 0},
        {"12abc", false, 0},     {"1.2.3", false, 0},    {"inf", false, 0},        {"nan", false, 0},
        {"-Infinity", false, 0}, {"0x10", false, 0},     {"1e39", false, 0},       {"-1e39", false, 0},
        {"3.4e38", true, 3.4e38f}, {"++1", false, 0},     {"+-1", false, 0},
    };
    const DecimalCommaLocale locale;  // a comma locale must change nothing
    ASSERT_TRUE(locale.Active());
    for (const Case& c : cases) {
        const auto parsed = ParseNumericField(c.text);
        EXPECT_EQ(parsed.has_value(), c.number) << c.text;
        if (parsed && c.number) {
            EXPECT_EQ(*parsed, c.value) << c.text;  // the float itself, not a widened double
        }
    }
    EXPECT_EQ(FormatNumericField(0.1f), "0.1");
    EXPECT_EQ(FormatNumericField(1234567.0f), "1.23457e+06");
}

TEST(NumericField, ANonNumberIsRefusedWithTheStopMessageAndKeepsTheValue)
{
    ScriptedMessages messages;
    float value = 5.0f;
    EXPECT_FALSE(ReadNumericField("пять", value));
    EXPECT_EQ(value, 5.0f);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Введите число.");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(ReadNumericField("2,5", value));
    EXPECT_EQ(value, 2.5f);
}

TEST(NameCollation, FoldsLatinAndCyrillicCaseAndYoWithYe)
{
    std::vector<std::string> names = {"провод", "Ёлка", "Берёза", "АС-70", "ас-50", "b", "A", "Елка", "береза", "Я", "1"};
    std::stable_sort(names.begin(), names.end(), NameLess);
    const std::vector<std::string> expected = {"1", "A", "b", "ас-50", "АС-70", "Берёза", "береза", "Ёлка", "Елка", "провод", "Я"};
    EXPECT_EQ(names, expected);  // equal names keep their list order
    EXPECT_EQ(CompareNamesFolded("ЁЖ", "еж"), 0);
    EXPECT_LT(CompareNamesFolded("Ф1", "Ф10"), 0);
}

template <class T>
void AddItem(ObjList<T>& list, const std::string& name)
{
    list.push_back(std::make_unique<T>());
    list.back()->name = name;
}

TEST(CatalogCombo, ListsTaskItemsThenUnlistedCurrentItemsThenTheOtherCatalog)
{
    CBase task, current;
    AddItem(task.traps, "ВЗ-630");
    AddItem(task.traps, "Ф1");
    AddItem(current.traps, "Ф10");
    AddItem(current.traps, "Ф1");
    AddItem(current.traps, "ВЗ-1000");
    CatalogCombo combo;
    combo.Fill<CZagrad>(task.traps, current.traps);
    ASSERT_EQ(combo.entries.size(), 5u);
    EXPECT_EQ(combo.entries[2].text, "Ф10");
    EXPECT_EQ(combo.entries[2].data, 0 | kComboCurrentBit);
    EXPECT_EQ(combo.entries[3].data, 2 | kComboCurrentBit);
    EXPECT_EQ(combo.entries[4].text, "Выбрать из другой базы");
    EXPECT_EQ(combo.entries[4].data, 0x2000000);
    EXPECT_EQ(combo.Find("Ф1"), 1);  // never Ф10 for Ф1
    EXPECT_EQ(combo.Find("Ф"), -1);
    EXPECT_EQ(ChosenItem(task.traps, current.traps, combo.entries[3].data)->name, "ВЗ-1000");
    EXPECT_EQ(ChosenItem(task.traps, current.traps, 7 | kComboCurrentBit), nullptr);
    EXPECT_EQ(ChosenItem(task.traps, current.traps, kComboOtherBase), nullptr);
    combo.Sort();
    EXPECT_EQ(combo.entries[0].text, "ВЗ-1000");
    EXPECT_EQ(combo.entries.back().text, "Выбрать из другой базы");
}

TEST(CatalogCombo, FilterEntriesCarryTheirTypeAndAreToldApartByIt)
{
    CBase task, current;
    AddItem(task.filters[2], "ФП");
    AddItem(current.filters[2], "ФП");
    AddItem(current.filters[4], "ФП");
    current.filters[4].back()->type = 4;
    task.filters[2].back()->type = 2;
    current.filters[2].back()->type = 2;
    CatalogCombo combo;
    combo.FillFilters(task, current);
    ASSERT_EQ(combo.entries.size(), 3u);
    EXPECT_EQ(combo.entries[0].text, "ФП тип 3");
    EXPECT_EQ(combo.entries[0].data, 2 << 24);
    EXPECT_EQ(combo.entries[1].text, "ФП тип 5");
    EXPECT_EQ(combo.entries[1].data, (4 << 24) | 0x10000000);
    EXPECT_EQ(combo.entries[2].data, 0x20000000);
    EXPECT_EQ(ChosenFilter(task, current, combo.entries[1].data), current.filters[4][0].get());
    EXPECT_EQ(DecodeFilterData(combo.entries[2].data).source, ComboChoice::OtherBase);
}

// A page that records what the sheet asks of it.
class RecordingPage : public PropertyPageModel {
public:
    explicit RecordingPage(std::string& log, char id) : m_log(log), m_id(id) {}
    std::string Caption() const override { return std::string(1, m_id); }
    void OnInitPage() override { m_log += std::string("i") + m_id; }
    void OnSetActive() override { m_log += std::string("s") + m_id; }
    bool OnKillActive() override
    {
        m_log += std::string("k") + m_id;
        return !refuse;
    }
    void OnOK() override { m_log += std::string("o") + m_id; }
    bool refuse = false;

private:
    std::string& m_log;
    char m_id;
};

TEST(PropertySheet, PagesStartOnFirstShowAndARefusingPageKeepsItsTab)
{
    std::string log;
    RecordingPage a(log, 'a'), b(log, 'b'), c(log, 'c');
    PropertySheetModel sheet;
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    sheet.AddPage(&c);
    sheet.ownerCheck = [&] { log += "!"; };
    sheet.Start();
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_EQ(log, "iasakaibsbkbsa");  // b initialised once, told each time
    log.clear();
    a.refuse = true;
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.ActivePage(), 0);
    EXPECT_FALSE(sheet.OnOK());
    EXPECT_EQ(log, "kaka");  // nothing was written past the refusal
    log.clear();
    a.refuse = false;
    EXPECT_TRUE(sheet.OnOK());
    EXPECT_EQ(log, "kaoaob!");  // page c was never shown: no OK for it
    EXPECT_FALSE(sheet.IsInitialised(2));
}

TEST(CircuitButtons, OneBoxPerCircuitAndGroundWireAndCountsKeptByWrapping)
{
    //               1A 1B 1C T1 2A 2B 2C  -  T2 3A 3B 3C
    const int map[] = {0, 1, 2, 3, 4, 5, 6, -1, 7, 8, 9, 10};
    CircuitButtons boxes;
    boxes.Build(map, 12, CircuitButtons::Numbering::Plain);
    ASSERT_EQ(boxes.buttons.size(), 5u);
    const char* labels[] = {"Цепь 1", "Трос 1", "Цепь 2", "Трос 2", "Цепь 3"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(boxes.buttons[std::size_t(k)].label, labels[k]);
    EXPECT_EQ(boxes.buttons[3].lineCode, 3);
    EXPECT_EQ(boxes.Count(false), 3);
    // Circuits 1 and 3 checked; checking circuit 2 unchecks the next checked
    // circuit after it (3); unchecking circuit 1 then checks the first
    // unchecked circuit after it (3 again).
    boxes.buttons[0].checked = boxes.buttons[4].checked = true;
    boxes.buttons[2].checked = true;
    boxes.KeepCount(2);
    EXPECT_FALSE(boxes.buttons[4].checked);
    EXPECT_EQ(boxes.CheckedCount(false), 2);
    boxes.buttons[0].checked = false;
    boxes.KeepCount(0);
    EXPECT_TRUE(boxes.buttons[4].checked);
    EXPECT_EQ(boxes.CheckedCount(false), 2);
    std::uint8_t flags[kMaxWires];
    EXPECT_EQ(boxes.FlagsFromChecked(map, flags, 12), 6);
    EXPECT_EQ(flags[7], 0);  // the empty code takes no flag

    CircuitButtons wrapped;
    const int far[] = {4 * 64 + 3, 4 * 65};
    wrapped.Build(far, 2, CircuitButtons::Numbering::Wrapped64);
    EXPECT_EQ(wrapped.buttons[0].label, "Трос 1a");
    EXPECT_EQ(wrapped.buttons[1].label, "Цепь 2a");
}

TEST(WireSlots, StoredRecordsOutsideTheElementAreSkippedAndOkRebuildsAscending)
{
    WireSlots<CPrisoed, &CPrisoed::wire> slots(6);
    std::vector<CPrisoed> stored(3);
    stored[0].wire = 4;
    stored[0].r = 40;
    stored[1].wire = 1;
    stored[1].r = 10;
    stored[2].wire = 9;  // outside a six-wire element
    slots.Load(stored);
    EXPECT_EQ(slots.FlaggedCount(), 2);
    CPrisoed added;
    added.r = 20;
    slots.Set(2, added);
    slots.Clear(4);
    const std::vector<CPrisoed> list = slots.Rebuild();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].wire, 1);
    EXPECT_EQ(list[1].wire, 2);
    EXPECT_EQ(list[1].r, 20);
    EXPECT_EQ(slots.Next(5), 0);
}

TEST(DrawingMap, OneScaleForBothAxesAndNoDivisionOnAnEmptyArea)
{
    const DrawingMap map(PixelRect{0, 0, 220, 120}, -10, 0, 10, 40, 10);
    EXPECT_DOUBLE_EQ(map.Scale(), 2.5);  // the height limits the scale
    EXPECT_EQ(map.X(0), 110);
    EXPECT_EQ(map.Y(40), 10);
    EXPECT_EQ(map.Y(0), 110);
    const DrawingMap empty(PixelRect{5, 5, 5, 5}, 0, 0, 0, 0);
    EXPECT_EQ(empty.Scale(), 1.0);
    EXPECT_EQ(empty.X(0), 5);
}

} // namespace
