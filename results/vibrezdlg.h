// The result-choice dialog ("Выбор результатов") of the results window: which
// stored results of the open task to see and how (the modal-parameter report
// of one modal result, the tables of one tract result, or a graph of one
// quantity over up to 10 tract results), and the deletion of stored results.
// The window shows the tree and the controls this model describes.
#pragma once

#include "results/resultchoice.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CKestrinDoc;
class CompareBuffer;

class CVibRezDlg {
public:
    // Control ids.
    enum : int {
        kIdOk = 1,
        kIdCancel = 2,
        kIdDelete = 1005,
        kIdTree = 1008,
        kIdTables = 1299,
        kIdGraphs = 1300,
        kIdAttenuation = 1301,  // quantity radios 0 to 3
        kIdDelay = 1302,
        kIdImpedance = 1303,
        kIdMismatch = 1306,
        kIdImpedanceLeft = 1304,
        kIdImpedanceRight = 1305,
        kIdImpedanceFrame = 1310,
        kIdCheckAttenuation = 1307,  // table contents
        kIdCheckImpedance = 1308,
        kIdCheckMismatch = 1309,
        kIdMismatchLeft = 1313,
        kIdMismatchRight = 1316,
        kIdMismatchFrame = 1318,
    };

    // Tree item data: bit 28 marks the root "Расчеты тракта" and its items;
    // the low 16 bits hold a result's list index + 1 (0 for the two roots).
    static constexpr std::uint32_t kTractBit = 1u << 28;
    static constexpr std::uint32_t kModalRoot = 0;
    static constexpr std::uint32_t kTractRoot = kTractBit;
    static constexpr std::uint32_t kNoItem = 0xFFFFFFFFu;
    static constexpr const char* kModalRootText = "Модальные параметры";
    static constexpr const char* kTractRootText = "Расчеты тракта";
    static std::uint32_t ModalItem(std::size_t index) { return std::uint32_t(index + 1); }
    static std::uint32_t TractItem(std::size_t index) { return kTractBit | std::uint32_t(index + 1); }

    explicit CVibRezDlg(CKestrinDoc& doc);

    // In and out: the results window's choice arrays (one flag per stored
    // modal and tract result, in list order; empty when there is no window)
    // and its view mode.
    std::vector<int> chosenModal;
    std::vector<int> chosenTract;
    std::uint8_t viewMode = 0;

    // The controls' values; the window writes them before each step.
    int quantity = 0;        // 0 attenuation, 1 delay, 2 input impedance, 3 mismatch attenuation
    int impedanceSide = 0;   // 0 left, 1 right
    int showGraphs = 0;      // 0 tables, 1 graphs
    int showAttenuation = 1;
    int showImpedance = 1;
    int showMismatch = 1;
    int mismatchSide = 0;    // 0 left, 1 right
    std::uint16_t chosenTractCount = 0;
    std::uint16_t chosenModalCount = 0;

    // What a deletion touches besides the document: the comparison buffer
    // and the path of the task's file (its group is refilled), and the
    // document's modified flag.
    CompareBuffer* buffer = nullptr;
    std::string pathName;
    std::function<void()> setModified;
    // Set once a result was deleted: the results window must rebuild.
    bool deleted = false;

    // Opening: the arrays sized to the document's results (missing flags
    // zeroed), the tree filled, the controls set from the view mode.
    void OnInitDialog();

    // The tree: item texts of the modal and the tract results in list order.
    const std::vector<std::string>& ModalTexts() const { return m_modalTexts; }
    const std::vector<std::string>& TractTexts() const { return m_tractTexts; }
    // Rebuilds the texts and removes the tree's selection.
    void FillTree();
    // The text of a result item: "+" for a chosen result, a blank otherwise,
    // then the result's frequencies, connection and name.  Empty for a root or
    // an index past the list.
    std::string DescribeResult(std::uint32_t itemData) const;

    // The tree's selection changed (kNoItem: none).  A result item toggles its
    // choice: at most one modal result, never together with tract results.
    void OnSelChanged(std::uint32_t itemData);
    // A click in the tree removes the selection first, so that clicking the
    // same item again toggles it again.
    void OnClickTree();
    std::uint32_t SelectedItem() const { return m_selected; }

    // Counts the choices and sets which controls are shown and enabled (also
    // after a click on a view or quantity radio, once the values are written).
    void EnableControls();
    ControlState Control(int id) const;

    // "Просмотр": true when the dialog closes with viewMode set; false after
    // a refusal (message shown, dialog stays open).
    bool OnOK();
    // "Удалить": asks, then deletes the selected result.  True when deleted.
    bool OnDelete();

private:
    void CountChoices();
    void UpdateTexts();
    void DeleteTract(std::size_t index);
    void DeleteModal(std::size_t index);

    CKestrinDoc& m_doc;
    std::vector<std::string> m_modalTexts;
    std::vector<std::string> m_tractTexts;
    std::uint32_t m_selected = kNoItem;
    bool m_deleteEnabled = false;
    std::map<int, ControlState> m_controls;
};
