#include "catalog/baseeditdlg.h"

#include "app/currentbase.h"
#include "catalog/catalogcategories.h"
#include "catalog/matrixdlg.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace {

constexpr const char* kSaveCaption = "Сохранение базы данных";
constexpr const char* kDeleteCaption = "Удаление из базы данных";
// "Параметры" renamed an item to the key of another that holds the same values.
constexpr const char* kSameItemText = "\"%s\" с такими же параметрами\nв базе уже есть.\nБаза не изменена.";

CBaseEditDlg::ApplyPostHook& PostHook()
{
    static CBaseEditDlg::ApplyPostHook hook;
    return hook;
}

// The item editors' mode bytes: editable (filters with their type fixed or
// free) and view only.
std::uint8_t EditMode(int category, bool filterTypeFree)
{
    if (IsFilterCategory(category))
        return filterTypeFree ? 0 : 1;
    return 0;
}

std::uint8_t ViewOnlyMode(int category)
{
    return category == kCatTowers || IsFilterCategory(category) ? 2 : 1;
}

template <class T>
int RunEditor(int category, T& item, std::uint8_t mode)
{
    CItemEditRequest request;
    request.category = category;
    request.item = &item;
    request.mode = mode;
    return request.DoModal();
}

// A fresh item of the category, prepared as its editor expects a new one.
// False when the item is not to be edited (a cancelled matrix order).
template <class T>
bool PrepareNew(T&, int)
{
    return true;
}

bool PrepareNew(CFiltr& filter, int category)
{
    filter.type = std::uint8_t(IsFilterCategory(category) ? category - kCatFilters : 0);
    return true;
}

bool PrepareNew(CMatrix& matrix, int)
{
    CNewMatrixDlg order;
    if (order.DoModal() != IDOK)
        return false;
    matrix.n = std::uint8_t(order.m_nOrder);
    return true;
}

// The list a new item goes to: a filter's is that of the type it has now.
template <class T>
ObjList<T>& TargetList(CBase&, ObjList<T>& list, const T&)
{
    return list;
}
ObjList<CFiltr>& TargetList(CBase& base, ObjList<CFiltr>&, const CFiltr& filter)
{
    return base.filters[filter.type < CBase::kFilterLists ? filter.type : 0];
}

int StoredCategory(const CFiltr& filter, int) { return kCatFilters + (filter.type < CBase::kFilterLists ? filter.type : 0); }
template <class T>
int StoredCategory(const T&, int category)
{
    return category;
}

template <class T>
std::unique_ptr<T> CopyOf(const T& item)
{
    auto copy = std::make_unique<T>();
    copy->Copy(item);
    return copy;
}

std::string LeafText(const COpora& tower, bool edit)
{
    return edit ? StrFormat("%s (%d)", tower.name.c_str(), int(tower.count)) : tower.name;
}
std::string LeafText(const CMatrix& matrix, bool edit)
{
    return edit ? StrFormat("%s (%d)", matrix.name.c_str(), int(matrix.n)) : matrix.name;
}
std::string LeafText(const CObj& item, bool) { return item.name; }

bool Listed(const COpora& tower, int mode, int selector) { return mode == 0 || tower.count == selector; }
bool Listed(const CMatrix& matrix, int mode, int selector) { return mode == 0 || matrix.n == selector; }
bool Listed(const CObj&, int, int) { return true; }

} // namespace

CBaseEditDlg::ApplyPostHook CBaseEditDlg::SetApplyPostHook(ApplyPostHook hook)
{
    ApplyPostHook previous = std::move(PostHook());
    PostHook() = std::move(hook);
    return previous;
}

std::string CBaseEditDlg::Caption() const
{
    return ChooseMode() ? "Дополнительная база данных" : "Редактирование базы данных";
}

std::string CBaseEditDlg::OkText() const { return ChooseMode() ? "Выбрать" : "Сохранить"; }

void CBaseEditDlg::OnInitDialog()
{
    m_strBaseLabel = ChooseMode() ? "База выбора" : "Текущая база";
    m_bApplyEnabled = false;
    m_bApplied = false;
    m_bOkEnabled = !ChooseMode();
    m_nSelected = -1;
    FillTree();
}

int CBaseEditDlg::SectionNode(int category) const
{
    return category >= 0 && category < 16 ? m_hSections[category] : -1;
}

void CBaseEditDlg::AddSection(int category, int parent)
{
    const int section = m_tree.Add(parent, CatalogTree::Kind::Section, SectionText(category),
                                   std::uint32_t(category) << 24);
    m_hSections[category] = section;
    if (!m_pBase)
        return;
    const bool edit = !ChooseMode();
    VisitCategoryList(*m_pBase, category, [&](auto& list) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (Listed(*list[i], m_nMode, m_nSelector))
                m_tree.InsertLeafSorted(section, LeafText(*list[i], edit), LeafData(category, int(i)));
    });
}

void CBaseEditDlg::FillTree()
{
    m_strPathText = ChooseMode() ? m_strBasePath : g_strBasePath;
    m_tree.Clear();
    for (int& h : m_hSections)
        h = -1;
    m_hWires = m_hFilters = -1;
    m_nSelected = m_nVisible = -1;
    ++m_nTreeRevision;

    const int mode = m_nMode;
    auto shown = [mode](std::initializer_list<int> modes) {
        for (int m : modes)
            if (m == mode)
                return true;
        return false;
    };
    if (shown({0, 1}))
        AddSection(kCatTowers, -1);
    if (shown({0, 2, 3})) {
        m_hWires = m_tree.Add(-1, CatalogTree::Kind::Parent, "Провода", 0);
        if (shown({0, 2}))
            AddSection(kCatPhaseWires, m_hWires);
        if (shown({0, 3}))
            AddSection(kCatGroundWires, m_hWires);
    }
    if (shown({0, 4}))
        AddSection(kCatSolidCables, -1);
    if (shown({0, 5}))
        AddSection(kCatPipeCables, -1);
    if (shown({0, 9})) {
        m_hFilters = m_tree.Add(-1, CatalogTree::Kind::Parent, "Фильтры присоединения", 0);
        for (int type = 0; type < CFiltr::kTypes; ++type)
            AddSection(kCatFilters + type, m_hFilters);
    }
    if (shown({0, 6}))
        AddSection(kCatTraps, -1);
    if (shown({0, 7}))
        AddSection(kCatMatrices, -1);
    if (shown({0, 8}))
        AddSection(kCatHfCables, -1);

    if (ChooseMode()) {
        // The first item of the category's section is brought into view
        // (phase wires lie one level deeper).
        int node = m_tree.FirstChild(-1);
        if (node >= 0 && m_tree.FirstChild(node) >= 0)
            node = m_tree.FirstChild(node);
        if (mode == 2 && node >= 0 && m_tree.FirstChild(node) >= 0)
            node = m_tree.FirstChild(node);
        m_nVisible = node;
    }
}

int CBaseEditDlg::NodeCategory(int node) const
{
    if (!m_tree.Valid(node))
        return 0;
    return DataCategory(m_tree.At(node).data);
}

void CBaseEditDlg::OnSelChangedTree(int node)
{
    m_nSelected = m_tree.Valid(node) ? node : -1;
    if (ChooseMode())
        m_bOkEnabled = m_tree.IsLeaf(m_nSelected) && (m_tree.At(m_nSelected).data & 0xFFFFFF) != 0;
}

bool CBaseEditDlg::OnDblClkTree(int node)
{
    OnSelChangedTree(node);
    if (!m_tree.IsLeaf(m_nSelected))
        return false;
    OnItemParameters();
    return true;
}

std::vector<CBaseEditDlg::MenuEntry> CBaseEditDlg::OnRClickTree(int node)
{
    if (!m_tree.Valid(node))
        return {};
    OnSelChangedTree(node);
    const CatalogTree::Node& n = m_tree.At(node);
    const bool leaf = n.kind == CatalogTree::Kind::Leaf;
    std::string title = n.text;
    if (n.kind == CatalogTree::Kind::Section && IsFilterCategory(DataCategory(n.data)))
        title = "Фильтры присоединения " + title;

    std::vector<MenuEntry> menu;
    menu.push_back({0, title, false, false});
    menu.push_back({0, "", true, true});
    menu.push_back({kCmdParameters, "Параметры", leaf, false});
    if (ChooseMode()) {
        menu.push_back({kCmdChoose, "Выбрать", leaf, false});
    } else {
        menu.push_back({kCmdNew, "Ввести новый", !IsWireParent(node), false});
        menu.push_back({kCmdDelete, "Удалить", leaf, false});
        menu.push_back({0, "", true, true});
        menu.push_back({kCmdSupplement, "Дополнить базу", true, false});
    }
    return menu;
}

void CBaseEditDlg::OnCommand(int id)
{
    switch (id) {
    case kCmdNew: OnNewItem(); break;
    case kCmdParameters: OnItemParameters(); break;
    case kCmdDelete: OnDeleteItem(); break;
    case kCmdSupplement: OnChooseSupplementBase(); break;
    default: break;
    }
}

void CBaseEditDlg::ShowSection(int category)
{
    const int section = SectionNode(category);
    const int first = m_tree.FirstChild(section);
    m_nVisible = first >= 0 ? first : section;
}

void CBaseEditDlg::OnNewItem()
{
    if (ChooseMode() || !m_pBase || !m_tree.Valid(m_nSelected) || IsWireParent(m_nSelected))
        return;
    const bool filterParent = IsFilterParent(m_nSelected);
    const int category = filterParent ? int(kCatFilters) : NodeCategory(m_nSelected);
    if (!IsCatalogCategory(category))
        return;

    VisitCategoryList(*m_pBase, category, [&](auto& anyList) {
        using Item = typename std::decay_t<decltype(anyList)>::value_type::element_type;
        Item item;
        if (!PrepareNew(item, category))
            return;
        if (RunEditor(category, item, EditMode(category, filterParent)) != IDOK)
            return;
        // A filter goes to the list of the type it has now.
        const int stored = StoredCategory(item, category);
        auto& list = TargetList(*m_pBase, anyList, item);
        for (auto& existing : list) {
            const std::uint8_t same = EditorCompare(*existing, item);
            if (same == 0)
                continue;
            if (same == 1 && ShowMessage(NewItemQuestion(stored), kSaveCaption, MsgIcon::Question,
                                         MsgButtons::YesNo) == MsgAnswer::Yes) {
                existing->Copy(item);
                m_bApplyEnabled = true;
            }
            return;
        }
        m_bApplyEnabled = true;
        list.push_back(CopyOf(item));
        FillTree();
        ShowSection(stored);
    });
}

void CBaseEditDlg::OnItemParameters()
{
    if (!m_pBase || !m_tree.IsLeaf(m_nSelected))
        return;
    const std::uint32_t data = m_tree.At(m_nSelected).data;
    const int category = DataCategory(data);
    const int index = DataIndex(data);
    if (!IsCatalogCategory(category))
        return;

    VisitCategoryList(*m_pBase, category, [&](auto& list) {
        if (index < 0 || index >= int(list.size()))
            return;
        auto& item = *list[std::size_t(index)];
        auto copy = CopyOf(item);
        if (ChooseMode()) {
            // View only: the editor's OK acts as Cancel.
            RunEditor(category, *copy, ViewOnlyMode(category));
            return;
        }
        if (RunEditor(category, *copy, EditMode(category, false)) != IDOK)
            return;
        const std::uint8_t same = EditorCompare(item, *copy);
        if (same == 2)
            return;
        if (same == 1) {
            item.Copy(*copy);
            m_bApplyEnabled = true;
            return;
        }
        // The key changed: a new item beside the old one (Yes), the old one
        // renamed (No), or nothing (Cancel).
        const MsgAnswer answer =
            ShowMessage(RenameQuestion(category), kSaveCaption, MsgIcon::Question, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel)
            return;
        // Either way no two items may share a key.  When the new key is
        // another item's, the user decides whether that item takes the edited
        // values; when it holds them already, the user is told so.  The
        // edited item stays as it was.
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (int(i) == index)
                continue;
            const std::uint8_t other = EditorCompare(*list[i], *copy);
            if (other == 0)
                continue;
            if (other == 2) {
                ShowMessage(StrFormat(kSameItemText, copy->name.c_str()), kSaveCaption, MsgIcon::Information);
            } else if (ShowMessage(NewItemQuestion(category), kSaveCaption, MsgIcon::Question, MsgButtons::YesNo) ==
                       MsgAnswer::Yes) {
                list[i]->Copy(*copy);
                m_bApplyEnabled = true;
            }
            return;
        }
        if (answer == MsgAnswer::Yes)
            list.push_back(std::move(copy));
        else
            item.Copy(*copy);
        FillTree();
        ShowSection(category);
        m_bApplyEnabled = true;
    });
}

void CBaseEditDlg::OnDeleteItem()
{
    if (ChooseMode() || !m_pBase || !m_tree.IsLeaf(m_nSelected))
        return;
    const int node = m_nSelected;
    const std::uint32_t data = m_tree.At(node).data;
    const int category = DataCategory(data);
    const int index = DataIndex(data);
    if (!IsCatalogCategory(category) || index < 0 || index >= CategoryCount(*m_pBase, category))
        return;
    if (ShowMessage(StrFormat("Подтвердите удаление %s \n\"%s\".", DeleteWord(category),
                              m_tree.At(node).text.c_str()),
                    kDeleteCaption, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;

    VisitCategoryList(*m_pBase, category,
                      [index](auto& list) { list.erase(list.begin() + std::ptrdiff_t(index)); });
    m_bApplyEnabled = true;
    // The later leaves of the section move up one place in the list: their
    // data follow without a refill of the tree.
    const int parent = m_tree.At(node).parent;
    m_tree.Remove(node);
    m_nSelected = -1;
    for (int sibling : m_tree.Children(parent)) {
        std::uint32_t& d = m_tree.At(sibling).data;
        if (m_tree.IsLeaf(sibling) && (d & 0xFFFFFF) > (data & 0xFFFFFF))
            --d;
    }
}

void CBaseEditDlg::OnApply()
{
    if (ChooseMode() || !m_pBase)
        return;
    g_CurBase.CopyFrom(*m_pBase);
    m_bApplyEnabled = false;
    m_bApplied = true;
    if (PostHook())
        PostHook()();
}

bool CBaseEditDlg::OnOK()
{
    if (!ChooseMode())
        return true;
    if (!m_tree.IsLeaf(m_nSelected))
        return false;
    const std::uint32_t data = m_tree.At(m_nSelected).data;
    m_nResult = m_nMode == 9 ? data : data & 0xFFFFFF;
    return true;
}
