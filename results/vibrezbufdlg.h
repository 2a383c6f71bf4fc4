// The buffer's result-choice dialog ("Выбор результатов" of the comparison
// buffer): which buffered curves the buffer window shows and which quantity,
// deletion of groups and curves, and the addition of a task file's results.
// It works on a deep copy of the buffer and writes it back only on
// "Просмотр"; "Возврат" discards every change.
#pragma once

#include "results/comparebuffer.h"
#include "results/resultchoice.h"

#include <cstdint>
#include <string>
#include <vector>

class CVibRezBufDlg {
public:
    // Control ids.
    enum : int {
        kIdOk = 1,
        kIdCancel = 2,
        kIdDelete = 1005,
        kIdTree = 1008,
        kIdAdd = 1209,
        kIdAttenuation = 1301,  // quantity choice radios 0 to 3
        kIdDelay = 1302,
        kIdImpedance = 1303,
        kIdMismatch = 1306,
        kIdImpedanceLeft = 1304,
        kIdImpedanceRight = 1305,
        kIdImpedanceFrame = 1310,
        kIdMismatchLeft = 1307,
        kIdMismatchRight = 1308,
        kIdMismatchFrame = 1314,
    };

    // Tree item data: a group's position (from 0) * 65536, plus the curve's
    // number in the group (from 1) for a curve item.
    static constexpr std::uint32_t kNoItem = 0xFFFFFFFFu;
    static std::uint32_t GroupItem(std::size_t group) { return std::uint32_t(group) << 16; }
    static std::uint32_t CurveItem(std::size_t group, std::size_t curve)
    {
        return (std::uint32_t(group) << 16) + std::uint32_t(curve + 1);
    }

    struct TreeItem {
        std::uint32_t data = 0;
        std::string text;
        std::vector<TreeItem> children;  // the curves of a group
    };

    // The buffer the dialog edits (the main frame's).
    explicit CVibRezBufDlg(CompareBuffer& buffer);

    // In: the buffer window's quantity 0 to 5 (0 attenuation, 1 delay, 2 and 3
    // input impedance left and right, 4 and 5 mismatch attenuation left and
    // right).  Out after "Просмотр": the chosen quantity.
    int quantity = 0;
    // Out: the number of marked curves.
    int selectedCount = 0;
    // The radios; the window writes them before each step.
    int quantityChoice = 0;  // 0 attenuation, 1 delay, 2 input impedance, 3 mismatch attenuation
    int impedanceSide = 0;
    int mismatchSide = 0;
    // The working copy of the buffer.
    CompareBuffer workList;

    // Opening: the working copy made, the radios set from the quantity, the
    // tree filled.
    void OnInitDialog();

    // The tree: one item per group (its key, or its title when the task was
    // never saved) with one item per curve.  Filling it removes the selection
    // and counts the marked curves.
    const std::vector<TreeItem>& Tree() const { return m_tree; }
    void FillTree();
    // "%c F=%g - %g кГц (шаг %g). Подкл. <label> (<name>)", "+" for a marked curve.
    static std::string DescribeCurve(const CBufGra& curve);
    static std::string GroupText(const CBufZad& group);

    // A click on a quantity radio: the side radios of that quantity appear.
    void OnQuantityChoice(int choice);
    ControlState Control(int id) const;

    // The tree's selection changed (kNoItem: none): a curve item is marked or
    // unmarked.
    void OnSelChanged(std::uint32_t itemData);
    // A click in the tree removes the selection, so that the next click on the
    // same item marks or unmarks it again.
    void OnClickTree();
    std::uint32_t SelectedItem() const { return m_selected; }

    // "Удалить": asks, then deletes the selected curve (the whole group when
    // it is the group's only curve) or group.  True when something went.
    bool OnDelete();
    // "Дополнить" with the file the user chose: its results join the working
    // copy.  True when they did.
    bool OnAddFile(const std::string& path);

    // "Просмотр": true when the buffer took the working copy and quantity and
    // selectedCount are set; false after a refusal (dialog stays open).
    bool OnOK();
    // "Возврат": the working copy is dropped; the buffer stays as it was.
    void OnCancel();

private:
    CBufZad* GroupAt(std::uint32_t itemData) const;
    CBufGra* CurveAt(std::uint32_t itemData) const;
    int CountMarked() const;

    CompareBuffer& m_buffer;
    std::vector<TreeItem> m_tree;
    std::uint32_t m_selected = kNoItem;
    bool m_deleteEnabled = false;
};
