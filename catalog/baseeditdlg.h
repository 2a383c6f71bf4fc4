// The catalog editor: a tree of the catalog's fifteen categories with the
// context-menu operations "Ввести новый", "Параметры", "Удалить" and
// "Дополнить базу", and "Применить".  Two modes:
//   0      edit mode, on a working copy of the current catalog that the main
//          frame hands in; nothing reaches the current catalog before
//          "Применить" or OK;
//   1..9   choose mode, one category (9: coupling filters of every type) of a
//          catalog loaded from another file, from which the user picks an item.
#pragma once

#include "catalog/catalogtree.h"
#include "platform/modal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CBase;

class CBaseEditDlg {
public:
    // Menu commands.
    static constexpr int kCmdChoose = 1;  // the OK command
    static constexpr int kCmdNew = 1003;
    static constexpr int kCmdParameters = 1004;
    static constexpr int kCmdDelete = 1005;
    static constexpr int kCmdSupplement = 32808;

    struct MenuEntry {
        int id = 0;  // 0: the title or a separator
        std::string text;
        bool enabled = true;
        bool separator = false;
    };

    // Set by the caller.
    CBase* m_pBase = nullptr;
    std::uint8_t m_nMode = 0;
    std::uint8_t m_nSelector = 0;  // towers: the wire count (mode 1); matrices: the order (mode 7)
    std::string m_strBasePath;     // choose mode: the file shown
    // Out: choose mode's pick (modes 1..8 index + 1; mode 9 the leaf's data).
    std::uint32_t m_nResult = 0;

    // Shown.
    std::string m_strPathText;
    std::string m_strBaseLabel;
    CatalogTree m_tree;
    int m_nSelected = -1;  // the selected node
    int m_nVisible = -1;   // the node last made visible
    bool m_bApplyEnabled = false;
    bool m_bOkEnabled = true;
    // Counts rebuilds of the tree, so that a window knows when to show it anew.
    int m_nTreeRevision = 0;
    // Whether "Применить" copied the working catalog into the current one.
    bool m_bApplied = false;

    int DoModal() { return RunModal(*this); }

    bool ChooseMode() const { return m_nMode != 0; }
    std::string Caption() const;
    std::string OkText() const;
    bool ApplyShown() const { return !ChooseMode(); }

    void OnInitDialog();
    void FillTree();
    // The tree's selection changed (-1: none).
    void OnSelChangedTree(int node);
    // Right click: node (the node under the mouse, else the selection) is
    // selected and the menu with its title and enabling is returned; empty
    // for no node.
    std::vector<MenuEntry> OnRClickTree(int node);
    void OnCommand(int id);
    // Double click: "Параметры" on an item, answering true (the tree may
    // have changed); on a section or group nothing, answering false, so that
    // the tree opens or closes it.
    bool OnDblClkTree(int node);

    void OnNewItem();
    void OnItemParameters();
    void OnDeleteItem();
    void OnApply();
    // Choose mode: stores the pick; false (the dialog stays) without a leaf.
    bool OnOK();

    // "Дополнить базу": the file choice, then SupplementBase; "Применить" is
    // enabled after any successful load.
    void OnChooseSupplementBase();
    // Loads a second catalog file, lets the user choose its items and merges
    // them into the working catalog in one piece (or not at all); false when
    // the file could not be loaded.
    bool SupplementBase(const std::string& path, const std::string& name);

    // The category a node stands for: its own for leaves and sections, 0 for
    // the two parents.
    int NodeCategory(int node) const;
    bool IsFilterParent(int node) const { return node >= 0 && node == m_hFilters; }
    bool IsWireParent(int node) const { return node >= 0 && node == m_hWires; }
    int SectionNode(int category) const;

    // What runs after "Применить": the program posts the save of the current
    // catalog to the main frame (it runs after the click has been handled).
    using ApplyPostHook = std::function<void()>;
    static ApplyPostHook SetApplyPostHook(ApplyPostHook hook);

private:
    void AddSection(int category, int parent);
    void ShowSection(int category);
    int SectionFor(int category) const;

    int m_hSections[16] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int m_hWires = -1;
    int m_hFilters = -1;
};
