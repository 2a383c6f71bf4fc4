// "Дополнение базы данных": the items of a second catalog file in one tree,
// the items chosen for the supplement in another; on OK the supplementary
// catalog keeps only the chosen items.  Leaves of the selection tree carry
// bit 31 in their data; the index always refers to the item's place in
// the supplementary catalog.
#pragma once

#include "catalog/baseeditdlg.h"
#include "catalog/catalogtree.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CBase;

class CBaseDopolnDlg {
public:
    static constexpr int kCmdParameters = 1013;
    static constexpr int kCmdSelectItem = 1014;
    static constexpr int kCmdSelectSection = 1201;
    static constexpr int kCmdSelectAll = 1009;
    static constexpr int kCmdDeselectItem = 1010;
    static constexpr int kCmdDeselectSection = 1202;
    static constexpr int kCmdDeselectAll = 1012;
    static constexpr std::uint32_t kSelectedBit = 0x80000000u;

    CBase* m_pBase = nullptr;  // the supplementary catalog
    std::string m_strBasePath;
    std::string m_strPathText;
    CatalogTree m_treeBase;
    CatalogTree m_treeSelection;
    std::uint16_t m_nBaseCount = 0;
    std::uint16_t m_nSelCount = 0;
    std::uint32_t m_nCurData = 0;
    int m_nBaseSelected = -1;
    int m_nSelSelected = -1;
    int m_nBaseVisible = -1;
    int m_nSelVisible = -1;

    int DoModal() { return RunModal(*this); }

    void OnInitDialog();
    void OnSelChangedBase(int node);
    void OnSelChangedSelection(int node);
    // The menus act on the node selected in their tree.
    std::vector<CBaseEditDlg::MenuEntry> BaseMenu() const;
    std::vector<CBaseEditDlg::MenuEntry> SelectionMenu() const;
    void OnCommand(int id);

    void OnSelectItem();
    void OnSelectSection();
    void OnSelectAll();
    void OnDeselectItem();
    void OnDeselectSection();
    void OnDeselectAll();
    void OnParameters();
    // Double clicks move a leaf to the other tree and answer true (the trees
    // changed); on a section node they do nothing and answer false, leaving
    // the tree to open or close it.
    bool OnDblClkBase(int node);
    bool OnDblClkSelection(int node);
    void OnOK();

    static bool SubtreeHasLeaf(const CatalogTree& tree, int node);

private:
    struct Sections {
        int node[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    };
    void AddSections(CatalogTree& tree, Sections& sections);
    // Moves one leaf between the trees; toSelection tells the direction.
    void Move(int leaf, bool toSelection);
    void MoveAllUnder(int node, bool toSelection);
    std::vector<CBaseEditDlg::MenuEntry> Menu(const CatalogTree& tree, int node, bool base) const;

    Sections m_baseSections;
    Sections m_selSections;
};
