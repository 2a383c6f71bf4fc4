// CObhObh ("Схемы обхода"): the bypass lines of a bypass element, each from a
// wire before the obstacle through a coupling filter and an HF cable,
// optionally the carrier equipment of the substation, and an HF cable and a
// coupling filter to a wire after it.  One line is composed in the controls
// and stored with "Ввести"; the lines stay in ascending order of their wire
// before.  In the field and around a cable insert a line has one HF cable.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/editpolicy.h"
#include "dialogs/listcolumn.h"
#include "dialogs/propertysheet.h"
#include "model/coupling.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;

inline constexpr const char* kFieldSameWireText =
    "При организации обхода в поле\nдва конца обхода не могут\nбыть присоединены к одному проводу";
inline constexpr const char* kInputErrorCaption = "Ошибка ввода";
inline constexpr const char* kNoCableLengthText = "Не задана длина кабеля";
inline constexpr const char* kNoEquipmentText = "Не заданы параметры аппаратуры уплотнения";
inline constexpr const char* kNoCableText2 = "Не выбран кабель";
inline constexpr const char* kNoFilterText = "Не выбран фильтр присоединения";
inline constexpr const char* kWireBeforeUsedText = "Провод № %s до подстанции\nуже используется для обхода!";
inline constexpr const char* kWireAfterUsedText = "Провод № %s после подстанции\nуже используется для обхода!";

class CObhObh : public PropertyPageModel {
public:
    // Set by the sheet's owner.
    CElement* m_pElement = nullptr;
    CEObhod* m_pEObhod = nullptr;
    std::uint16_t m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;

    // Control values (units shown: pF, mH, ohm, m).
    std::string cText, lText, rText, lengthText[2];
    int m_bPolarity[2] = {0, 0};
    int m_bEquipment = 0;
    int m_nWireBefore = 0;
    int m_nWireAfter = 0;

    // Working state.
    CObhod m_Current;
    std::string m_strFilterLabels[2];
    int m_nWires = 0;  // positions listed on both sides
    std::vector<std::string> m_WireLabels[2];
    int m_bInField = 0;
    int m_nKind = 0;
    CBase m_OtherBase;
    std::string m_strOtherBasePath;
    CatalogCombo filterCombo, cableCombo;  // both sides list the same entries
    int filterChoice[2] = {-1, -1}, cableChoice[2] = {-1, -1};
    bool filterParamsEnabled[2] = {false, false}, cableParamsEnabled[2] = {false, false};
    bool polarityShown[2] = {true, true};
    bool deleteEnabled = false;

    std::string Caption() const override { return "Схемы обхода"; }
    void OnInitPage() override;
    void OnSetActive() override;

    // Captions of the two groups by kind.
    std::string GroupCaption(int side) const;
    // The after cable and the carrier equipment exist at a substation only.
    bool HasSecondCable() const { return m_nKind == 0; }
    std::vector<ListColumn> Columns(int width) const;
    // Three rows per line.
    std::vector<std::vector<std::string>> Rows() const;

    void FillCombos();
    void OnSelchangeWireBefore(int k);
    void OnSelchangeWireAfter(int k);
    void OnSelchangeFilter(int side, int entry);
    void OnSelchangeCable(int side, int entry);
    void OnNewFilter(int side);
    void OnFilterParams(int side);
    void OnNewCable(int side);
    void OnCableParams(int side);
    void OnEquipment(bool on);
    // "Ввести": false when refused (a message was shown).
    bool OnEnter();
    void OnDelete();
    // A click on any of the three rows of a line.
    void OnClickList(int row);
    void ShowLine(int line);
    bool EquipmentEnabled() const { return m_bEquipment != 0; }

    EditPolicy Policy() const { return EditPolicy(editing); }

private:
    void BuildLabels();
    void ShowCurrent();
    void PolarityRule(int side);
    void TakeFilter(int side, const CFiltr& filter);
    void TakeCable(int side, const CProvod& cable);
    std::string WireLabel(int side, int k) const;
};
