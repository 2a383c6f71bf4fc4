#include "dialogs/prisoeddlg.h"

#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/fazirdlg.h"
#include "dialogs/numericfield.h"
#include "dialogs/polarityrule.h"
#include "model/catalogstore.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

void CPrisoedDlg::OnInitDialog()
{
    CElement& e = *m_pElement;
    m_nWires = std::uint8_t(std::min<int>(e.wirePositions, kMaxWires));
    m_pUpr->wires = m_nWires;
    m_slots = WireSlots<CPrisoed, &CPrisoed::wire>(m_nWires);
    // A device whose wire no longer exists on the element is left out.
    m_slots.Load(m_pUpr->devices);
    m_strName = e.name;
    const EditPolicy policy = Policy();
    filterNewEnabled = policy.NewButtonsEnabled() && HasItemEditor(kCatFilters);
    cableNewEnabled = policy.NewButtonsEnabled() && HasItemEditor(kCatHfCables);
    m_nCurWire = 0;
    m_Current = CPrisoed();
    m_strFilterLabel.clear();
    cText = lText = lengthText = rText = FormatNumericField(0.0f);
    FillCombos();
    ShowCurrentWire();
}

std::string CPrisoedDlg::FilterLabelOf(int wire) const
{
    return m_slots.IsSet(wire) ? FilterLabel(m_slots.At(wire).filter) : std::string();
}

void CPrisoedDlg::FillCombos()
{
    filterCombo.FillFilters(g_TaskBase, g_CurBase);
    filterCombo.Sort();
    cableCombo.Fill<CProvod>(g_TaskBase.hfCables, g_CurBase.hfCables);
    cableCombo.Sort();
    filterChoice = m_strFilterLabel.empty() ? -1 : filterCombo.Find(m_strFilterLabel);
    cableChoice = m_Current.cable.name.empty() ? -1 : cableCombo.Find(m_Current.cable.name);
    filterParamsEnabled = !m_Current.filter.name.empty() && HasItemEditor(kCatFilters);
    cableParamsEnabled = !m_Current.cable.name.empty() && HasItemEditor(kCatHfCables);
}

std::vector<std::string> CPrisoedDlg::ShowRow(int i) const
{
    std::vector<std::string> cells(8);
    cells[0] = StrFormat("%d (%s)", i + 1,
                         FormatConductorName(m_pElement->inMap, split, std::uint8_t(i)).c_str());
    if (!m_slots.IsSet(i)) {
        cells[1] = "Нет";
        return cells;
    }
    const CPrisoed& d = m_slots.At(i);
    cells[1] = FilterLabel(d.filter);
    cells[2] = d.cable.name;
    cells[3] = StrFormat("%g", d.cableLength);
    cells[4] = StrFormat("%g", d.r);
    cells[5] = StrFormat("%g", d.l * 1000.0);
    cells[6] = StrFormat("%g", d.c * 1e12);
    cells[7] = FilterHasPolarity(d.filter.type) ? (d.polarity ? "Да" : "Нет") : "";
    return cells;
}

void CPrisoedDlg::LoadControls(const CPrisoed& device)
{
    rText = FormatNumericField(float(device.r));
    lText = FormatNumericField(float(device.l * 1000.0));
    cText = FormatNumericField(float(device.c * 1e12));
    lengthText = FormatNumericField(float(device.cableLength));
    m_bPolarity = device.polarity ? 1 : 0;
}

void CPrisoedDlg::ShowCurrentWire()
{
    groupCaption = StrFormat("Провод N %d", m_nCurWire + 1);
    if (m_slots.IsSet(m_nCurWire)) {
        filterParamsEnabled = HasItemEditor(kCatFilters);
        cableParamsEnabled = HasItemEditor(kCatHfCables);
        m_Current = m_slots.At(m_nCurWire);
        m_strFilterLabel = FilterLabel(m_Current.filter);
        filterChoice = filterCombo.Find(m_strFilterLabel);
        cableChoice = cableCombo.Find(m_Current.cable.name);
        LoadControls(m_Current);
    }
    UpdatePolarityControls();
}

void CPrisoedDlg::UpdatePolarityControls()
{
    bool hasPolarity = true;
    if (filterChoice >= 0 && filterChoice < int(filterCombo.entries.size())) {
        const ComboChoice c = DecodeFilterData(filterCombo.entries[std::size_t(filterChoice)].data);
        hasPolarity = c.source == ComboChoice::OtherBase || FilterHasPolarity(std::uint8_t(c.type));
    }
    polarityShown = hasPolarity;
    if (!hasPolarity)
        m_bPolarity = 0;
}

bool CPrisoedDlg::OnEnter()
{
    const CFiltr* filter = filterChoice >= 0 && filterChoice < int(filterCombo.entries.size())
                               ? ChosenFilter(g_TaskBase, g_CurBase, filterCombo.entries[std::size_t(filterChoice)].data)
                               : nullptr;
    if (!filter) {
        ShowMessage("Вы забыли выбрать фильтр!", kAppName, MsgIcon::Stop);
        return false;
    }
    const CProvod* cable = cableChoice >= 0 && cableChoice < int(cableCombo.entries.size())
                               ? ChosenItem(g_TaskBase.hfCables, g_CurBase.hfCables,
                                            cableCombo.entries[std::size_t(cableChoice)].data)
                               : nullptr;
    if (!cable) {
        ShowMessage("Вы забыли выбрать кабель!", kAppName, MsgIcon::Stop);
        return false;
    }
    float r = 0, l = 0, c = 0, length = 0;
    if (!ReadNumericField(rText, r) || !ReadNumericField(lText, l) || !ReadNumericField(cText, c) ||
        !ReadNumericField(lengthText, length))
        return false;
    if (r < 0 || l < 0 || c < 0 || r + l + c == 0) {
        ShowMessage("Непорядки с нагрузкой кабеля!", kAppName, MsgIcon::Stop);
        return false;
    }
    CPrisoed device;
    device.filter.Copy(*filter);
    device.cable.Copy(*cable);
    device.r = r;
    device.l = double(l) * 0.001;
    device.c = double(c) * 1e-12;
    device.cableLength = length;
    device.polarity = std::uint8_t(FilterHasPolarity(filter->type) && m_bPolarity ? 1 : 0);
    m_slots.Set(m_nCurWire, device);
    m_Current = m_slots.At(m_nCurWire);
    m_strFilterLabel = FilterLabel(m_Current.filter);
    if (m_nCurWire + 1 < m_nWires) {
        ++m_nCurWire;
        ShowCurrentWire();
    }
    return true;
}

void CPrisoedDlg::OnDelete()
{
    m_slots.Clear(m_nCurWire);
}

void CPrisoedDlg::OnStep(int delta)
{
    const int next = m_nCurWire + (delta >= 0 ? 1 : -1);
    if (next < 0 || next >= m_nWires)
        return;
    m_nCurWire = next;
    ShowCurrentWire();
}

void CPrisoedDlg::OnClickList(int row)
{
    if (row < 0 || row >= m_nWires)
        return;
    m_nCurWire = row;
    ShowCurrentWire();
}

void CPrisoedDlg::TakeFilter(const CFiltr& filter)
{
    m_Current.filter.Copy(filter);
    m_strFilterLabel = FilterLabel(filter);
    StoreCatalogItem(filter);
    FillCombos();
    if (chain)
        SpreadFilter(*chain, filter, m_nElementIndex);
    // The devices of this dialog with the same filter take it too.
    for (int w = 0; w < m_nWires; ++w)
        if (m_slots.IsSet(w) && FilterLabel(m_slots.At(w).filter) == m_strFilterLabel)
            m_slots.At(w).filter.Copy(filter);
}

void CPrisoedDlg::TakeCable(const CProvod& cable)
{
    m_Current.cable.Copy(cable);
    StoreCatalogItem(kCatHfCables, cable);
    FillCombos();
    if (chain)
        SpreadHfCable(*chain, cable, m_nElementIndex);
    for (int w = 0; w < m_nWires; ++w)
        if (m_slots.IsSet(w) && m_slots.At(w).cable.name == cable.name)
            m_slots.At(w).cable.Copy(cable);
}

void CPrisoedDlg::RestoreFilterChoice()
{
    filterChoice = m_strFilterLabel.empty() ? -1 : filterCombo.Find(m_strFilterLabel);
    filterParamsEnabled = !m_Current.filter.name.empty() && HasItemEditor(kCatFilters);
}

void CPrisoedDlg::RestoreCableChoice()
{
    cableChoice = m_Current.cable.name.empty() ? -1 : cableCombo.Find(m_Current.cable.name);
    cableParamsEnabled = !m_Current.cable.name.empty() && HasItemEditor(kCatHfCables);
}

void CPrisoedDlg::OnSelchangeFilter(int entry)
{
    if (entry < 0 || entry >= int(filterCombo.entries.size())) {
        filterChoice = -1;
        m_Current.filter.Clear();
        m_strFilterLabel.clear();
        filterParamsEnabled = false;
    } else if (filterCombo.entries[std::size_t(entry)].data == kFilterComboOtherBase) {
        COtherCatalogRequest road(kCatFilters, m_OtherBase, m_strOtherBasePath);
        road.DoModal();
        if (const CFiltr* picked = road.PickedFilter()) {
            const CFiltr filter = *picked;
            TakeFilter(filter);
        } else {
            RestoreFilterChoice();
        }
    } else if (const CFiltr* filter =
                   ChosenFilter(g_TaskBase, g_CurBase, filterCombo.entries[std::size_t(entry)].data)) {
        filterChoice = entry;
        m_Current.filter.Copy(*filter);
        m_strFilterLabel = FilterLabel(*filter);
        filterParamsEnabled = HasItemEditor(kCatFilters);
    }
    UpdatePolarityControls();
}

void CPrisoedDlg::OnSelchangeCable(int entry)
{
    if (entry < 0 || entry >= int(cableCombo.entries.size())) {
        cableChoice = -1;
        m_Current.cable.name.clear();
        cableParamsEnabled = false;
    } else if (cableCombo.entries[std::size_t(entry)].data == kComboOtherBase) {
        COtherCatalogRequest road(kCatHfCables, m_OtherBase, m_strOtherBasePath);
        road.DoModal();
        if (const CProvod* picked = road.PickedWire()) {
            const CProvod cable = *picked;
            TakeCable(cable);
        } else {
            RestoreCableChoice();
        }
    } else if (const CProvod* cable = ChosenItem(g_TaskBase.hfCables, g_CurBase.hfCables,
                                                 cableCombo.entries[std::size_t(entry)].data)) {
        cableChoice = entry;
        m_Current.cable.Copy(*cable);
        cableParamsEnabled = HasItemEditor(kCatHfCables);
    }
}

void CPrisoedDlg::EditFilter(CFiltr item)
{
    CItemEditRequest request;
    request.category = kCatFilters;
    request.item = &item;
    // The filter editor's modes: 3 type and name free, 2 view only.
    request.mode = std::uint8_t(Policy().ItemEditorMode(3, 2));
    // A view-only editor changes nothing, whatever it answers.
    if (request.DoModal() == IDOK && editing)
        TakeFilter(item);
}

void CPrisoedDlg::EditCable(CProvod item)
{
    CItemEditRequest request;
    request.category = kCatHfCables;
    request.item = &item;
    request.mode = std::uint8_t(Policy().ItemEditorMode(2, 1));
    if (request.DoModal() == IDOK && editing)
        TakeCable(item);
}

void CPrisoedDlg::OnNewFilter()
{
    EditFilter(CFiltr());
    UpdatePolarityControls();
}

void CPrisoedDlg::OnFilterParams()
{
    EditFilter(m_Current.filter);
    UpdatePolarityControls();
}

void CPrisoedDlg::OnNewCable()
{
    EditCable(CProvod());
}

void CPrisoedDlg::OnCableParams()
{
    EditCable(m_Current.cable);
}

bool CPrisoedDlg::OnPhasing()
{
    CFazirDlg phasing;
    const int wires = m_nWires - (split >= 0 ? 1 : 0);
    phasing.wireCount = std::uint8_t(std::clamp(wires, 0, kMaxWires));
    phasing.phasingPlace = 0;
    phasing.map = m_pElement->inMap;
    phasing.editing = editing;
    phasing.dc = dc;
    return phasing.DoModal() == IDOK;
}

int CPrisoedDlg::OnOK()
{
    if (!editing)
        return IDCANCEL;
    if (!CheckStoredText(m_strName, kNameField, kAppName))
        return 0;
    CElement& e = *m_pElement;
    e.name = m_strName;
    e.entered = 1;
    const std::uint8_t wires = m_pUpr->wires;
    m_pUpr->Clear();
    m_pUpr->wires = wires;
    m_pUpr->devices = m_slots.Rebuild();
    m_pUpr->count = std::uint8_t(m_pUpr->devices.size());
    return IDOK;
}

int RunPrisoedDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain)
{
    if (!element.Data<CUpr>())
        element.data = std::make_unique<CUpr>();
    CPrisoedDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_pUpr = element.Data<CUpr>();
    dlg.m_nElementIndex = std::uint16_t(elementIndex);
    dlg.m_bFirstElement = elementIndex == 0;
    dlg.editing = editing;
    dlg.chain = chain;
    dlg.split = element.splitConductor;
    dlg.dc = IsDCTask();
    return dlg.DoModal();
}
