#include "catalog/basedopolndlg.h"

#include "catalog/catalogcategories.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "platform/format.h"

namespace {

std::string LeafText(const COpora& tower) { return StrFormat("%s (%d)", tower.name.c_str(), int(tower.count)); }
std::string LeafText(const CObj& item) { return item.name; }

std::uint8_t ViewOnlyMode(int category)
{
    return category == kCatTowers || IsFilterCategory(category) ? 2 : 1;
}

// The node a tree control selects when the selected one is deleted: the
// next sibling, else the previous one, else the parent.
int NeighbourOf(const CatalogTree& tree, int node)
{
    const std::vector<int>& siblings = tree.Children(tree.At(node).parent);
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i] == node) {
            if (i + 1 < siblings.size())
                return siblings[i + 1];
            if (i > 0)
                return siblings[i - 1];
        }
    return tree.At(node).parent;
}

} // namespace

void CBaseDopolnDlg::AddSections(CatalogTree& tree, Sections& sections)
{
    auto has = [this](int category) { return m_pBase && CategoryCount(*m_pBase, category) > 0; };
    auto add = [&](int category, int parent) {
        if (has(category))
            sections.node[category] =
                tree.Add(parent, CatalogTree::Kind::Section, SectionText(category), std::uint32_t(category) << 24);
    };
    add(kCatTowers, -1);
    if (has(kCatPhaseWires) || has(kCatGroundWires)) {
        const int wires = tree.Add(-1, CatalogTree::Kind::Parent, "Провода", 0);
        add(kCatPhaseWires, wires);
        add(kCatGroundWires, wires);
    }
    add(kCatSolidCables, -1);
    add(kCatPipeCables, -1);
    bool anyFilter = false;
    for (int c = kCatFilters; c <= kCatLast; ++c)
        anyFilter = anyFilter || has(c);
    if (anyFilter) {
        const int filters = tree.Add(-1, CatalogTree::Kind::Parent, "Фильтры присоединения", 0);
        for (int c = kCatFilters; c <= kCatLast; ++c)
            add(c, filters);
    }
    add(kCatTraps, -1);
    add(kCatMatrices, -1);
    add(kCatHfCables, -1);
}

void CBaseDopolnDlg::OnInitDialog()
{
    m_strPathText = m_strBasePath;
    m_nBaseCount = m_nSelCount = 0;
    m_nCurData = 0;
    m_treeBase.Clear();
    m_treeSelection.Clear();
    m_baseSections = Sections();
    m_selSections = Sections();
    m_nBaseSelected = m_nSelSelected = m_nBaseVisible = m_nSelVisible = -1;
    AddSections(m_treeBase, m_baseSections);
    AddSections(m_treeSelection, m_selSections);
    if (!m_pBase)
        return;
    for (int category = kCatTowers; category <= kCatLast; ++category) {
        const int section = m_baseSections.node[category];
        if (section < 0)
            continue;
        VisitCategoryList(*m_pBase, category, [&](auto& list) {
            for (std::size_t i = 0; i < list.size(); ++i) {
                m_treeBase.InsertLeafSorted(section, LeafText(*list[i]), LeafData(category, int(i)));
                ++m_nBaseCount;
            }
        });
    }
}

void CBaseDopolnDlg::OnSelChangedBase(int node)
{
    m_nBaseSelected = m_treeBase.Valid(node) ? node : -1;
    m_nCurData = m_nBaseSelected >= 0 ? m_treeBase.At(node).data : 0;
}

void CBaseDopolnDlg::OnSelChangedSelection(int node)
{
    m_nSelSelected = m_treeSelection.Valid(node) ? node : -1;
    m_nCurData = m_nSelSelected >= 0 ? m_treeSelection.At(node).data : 0;
}

bool CBaseDopolnDlg::SubtreeHasLeaf(const CatalogTree& tree, int node)
{
    return tree.LeafCount(node) > 0;
}

std::vector<CBaseEditDlg::MenuEntry> CBaseDopolnDlg::Menu(const CatalogTree& tree, int node, bool base) const
{
    if (!tree.Valid(node))
        return {};
    const CatalogTree::Node& n = tree.At(node);
    std::string title = n.text;
    if (n.kind == CatalogTree::Kind::Section && IsFilterCategory(DataCategory(n.data)))
        title = "Фильтры присоединения " + title;
    const bool leaf = n.kind == CatalogTree::Kind::Leaf;
    const bool section = SubtreeHasLeaf(tree, node);
    const bool all = (base ? m_nBaseCount : m_nSelCount) != 0;
    std::vector<CBaseEditDlg::MenuEntry> menu;
    menu.push_back({0, title, false, false});
    menu.push_back({0, "", true, true});
    menu.push_back({kCmdParameters, "Параметры", leaf, false});
    if (base) {
        menu.push_back({kCmdSelectItem, "Выбрать для дополнения", leaf, false});
        menu.push_back({kCmdSelectSection, "Выбрать весь раздел", section, false});
        menu.push_back({kCmdSelectAll, "Выбрать всю базу", all, false});
    } else {
        menu.push_back({kCmdDeselectItem, "Отменить выбор элемента", leaf, false});
        menu.push_back({kCmdDeselectSection, "Отменить выбор раздела", section, false});
        menu.push_back({kCmdDeselectAll, "Отменить выбор всей базы", all, false});
    }
    return menu;
}

std::vector<CBaseEditDlg::MenuEntry> CBaseDopolnDlg::BaseMenu() const
{
    return Menu(m_treeBase, m_nBaseSelected, true);
}

std::vector<CBaseEditDlg::MenuEntry> CBaseDopolnDlg::SelectionMenu() const
{
    return Menu(m_treeSelection, m_nSelSelected, false);
}

void CBaseDopolnDlg::OnCommand(int id)
{
    switch (id) {
    case kCmdParameters: OnParameters(); break;
    case kCmdSelectItem: OnSelectItem(); break;
    case kCmdSelectSection: OnSelectSection(); break;
    case kCmdSelectAll: OnSelectAll(); break;
    case kCmdDeselectItem: OnDeselectItem(); break;
    case kCmdDeselectSection: OnDeselectSection(); break;
    case kCmdDeselectAll: OnDeselectAll(); break;
    default: break;
    }
}

void CBaseDopolnDlg::Move(int leaf, bool toSelection)
{
    CatalogTree& from = toSelection ? m_treeBase : m_treeSelection;
    CatalogTree& to = toSelection ? m_treeSelection : m_treeBase;
    if (!from.IsLeaf(leaf))
        return;
    const std::uint32_t data = from.At(leaf).data;
    const std::string text = from.At(leaf).text;
    const int category = DataCategory(data);
    const int section = (toSelection ? m_selSections : m_baseSections).node[category];
    if (section < 0)
        return;
    int& selected = toSelection ? m_nBaseSelected : m_nSelSelected;
    if (selected == leaf)
        selected = NeighbourOf(from, leaf);
    from.Remove(leaf);
    const int added =
        to.InsertLeafSorted(section, text, toSelection ? data | kSelectedBit : data & ~kSelectedBit);
    (toSelection ? m_nSelVisible : m_nBaseVisible) = added;
    m_nCurData = from.Valid(selected) ? from.At(selected).data : 0;
    if (toSelection) {
        --m_nBaseCount;
        ++m_nSelCount;
    } else {
        ++m_nBaseCount;
        --m_nSelCount;
    }
}

void CBaseDopolnDlg::MoveAllUnder(int node, bool toSelection)
{
    CatalogTree& from = toSelection ? m_treeBase : m_treeSelection;
    if (!from.Valid(node))
        return;
    if (from.IsLeaf(node)) {
        Move(node, toSelection);
        return;
    }
    for (int child : std::vector<int>(from.At(node).children))
        MoveAllUnder(child, toSelection);
}

void CBaseDopolnDlg::OnSelectItem() { Move(m_nBaseSelected, true); }
void CBaseDopolnDlg::OnDeselectItem() { Move(m_nSelSelected, false); }

void CBaseDopolnDlg::OnSelectSection()
{
    int node = m_nBaseSelected;
    if (m_treeBase.IsLeaf(node))
        node = m_treeBase.At(node).parent;
    MoveAllUnder(node, true);
}

void CBaseDopolnDlg::OnDeselectSection()
{
    int node = m_nSelSelected;
    if (m_treeSelection.IsLeaf(node))
        node = m_treeSelection.At(node).parent;
    MoveAllUnder(node, false);
}

void CBaseDopolnDlg::OnSelectAll()
{
    for (int root : std::vector<int>(m_treeBase.Children(-1)))
        MoveAllUnder(root, true);
}

void CBaseDopolnDlg::OnDeselectAll()
{
    for (int root : std::vector<int>(m_treeSelection.Children(-1)))
        MoveAllUnder(root, false);
}

bool CBaseDopolnDlg::OnDblClkBase(int node)
{
    OnSelChangedBase(node);
    if (!m_treeBase.IsLeaf(node))
        return false;
    Move(node, true);
    return true;
}

bool CBaseDopolnDlg::OnDblClkSelection(int node)
{
    OnSelChangedSelection(node);
    if (!m_treeSelection.IsLeaf(node))
        return false;
    Move(node, false);
    return true;
}

void CBaseDopolnDlg::OnParameters()
{
    const std::uint32_t data = m_nCurData & ~kSelectedBit;
    const int category = DataCategory(data);
    const int index = DataIndex(data);
    if (!m_pBase || !IsCatalogCategory(category) || index < 0 || index >= CategoryCount(*m_pBase, category))
        return;
    VisitCategoryList(*m_pBase, category, [&](auto& list) {
        CItemEditRequest request;
        request.category = category;
        request.item = list[std::size_t(index)].get();
        request.mode = ViewOnlyMode(category);
        request.DoModal();
    });
}

void CBaseDopolnDlg::OnOK()
{
    if (!m_pBase)
        return;
    static constexpr int kOrder[] = {kCatTowers, kCatPhaseWires, kCatGroundWires, kCatHfCables, kCatSolidCables,
                                     kCatPipeCables, kCatTraps, 9, 10, 11, 12, 13, 14, 15, kCatMatrices};
    CBase chosen;
    for (int category : kOrder) {
        const int section = m_selSections.node[category];
        if (section < 0)
            continue;
        while (!m_treeSelection.Children(section).empty()) {
            const int leaf = m_treeSelection.Children(section).front();
            const int index = DataIndex(m_treeSelection.At(leaf).data & ~kSelectedBit);
            m_treeSelection.Remove(leaf);
            VisitCategoryList(*m_pBase, category, [&](auto& from) {
                if (index < 0 || index >= int(from.size()))
                    return;
                VisitCategoryList(chosen, category, [&](auto& to) {
                    if constexpr (std::is_same_v<decltype(&from), decltype(&to)>) {
                        using Item = typename std::decay_t<decltype(from)>::value_type::element_type;
                        auto copy = std::make_unique<Item>();
                        copy->Copy(*from[std::size_t(index)]);
                        to.push_back(std::move(copy));
                    }
                });
            });
        }
    }
    m_nSelCount = 0;
    m_pBase->CopyFrom(chosen);
}
