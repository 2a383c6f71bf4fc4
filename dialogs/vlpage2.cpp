#include "dialogs/vlpage2.h"

#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"
#include "model/conductors.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cmath>

std::vector<std::pair<std::string, int>> CVLPage2::Columns(int clientWidth)
{
    const int w = clientWidth - 18;
    const int narrow = static_cast<int>(w * 0.125);
    return {{"No", w * 3 / 20},        {"Тип провода", static_cast<int>(w * 0.325)},
            {"Расщепление", w * 3 / 20}, {"Провис,м", narrow},
            {"Dгол,см", narrow},        {"Плотн.", narrow}};
}

std::string CVLPage2::KindName(int c) const
{
    if (IsGroundPosition(c))
        return "трос";
    return IsDC() ? "полюс" : "фаза";
}

int CVLPage2::Category() const
{
    return m_bGroundWire ? kCatGroundWires : kCatPhaseWires;
}

void CVLPage2::OnInitPage()
{
    m_bDrawing = 0;
    m_nCurWire = 0;
    m_nPhaseWires = static_cast<std::uint8_t>(PhaseWires());
    m_nWires = static_cast<std::uint8_t>(std::min(m_nPhaseWires + m_pElement->groundWires, kMaxWires));
    m_strRowLabels.assign(m_nWires, std::string());
    for (int i = 0; i < m_nWires; ++i) {
        const int code = m_pElement->inMap[i];
        const std::string name =
            code >= 0 ? FormatConductorName(m_pElement->inMap, -1, static_cast<std::uint8_t>(i)) : KindName(i);
        m_strRowLabels[static_cast<std::size_t>(i)] = StrFormat("%d (%s)", i + 1, name.c_str());
    }
    m_rows.assign(m_nWires, {});
    m_bNewWireEnabled = m_policy.NewButtonsEnabled();
}

void CVLPage2::OnSetActive()
{
    m_bRefreshing = 1;
    const int code = m_nCurWire < m_nWires ? m_pElement->inMap[m_nCurWire] : -1;
    m_bGroundWire = code >= 0 ? IsGroundCode(code) : IsGroundPosition(m_nCurWire);
    FillWireCombo();
    m_bIceShown = m_pVLine->ice != 0;
    ShowWire();
    for (int i = 0; i < m_nWires; ++i)
        UpdateRow(i);
    m_bRefreshing = 0;
}

void CVLPage2::FillWireCombo()
{
    const bool ground = m_bGroundWire != 0;
    m_wireCombo.Fill<CProvod>(ground ? g_TaskBase.groundWires : g_TaskBase.phaseWires,
                              ground ? g_CurBase.groundWires : g_CurBase.phaseWires);
    m_wireCombo.Sort();
    m_bNewWireEnabled = m_policy.NewButtonsEnabled() && HasItemEditor(Category());
    SelectWireType();
}

// The current wire's type selected by its name; "Параметры" enabled exactly
// while the wire has a type (and an editor can show it).
void CVLPage2::SelectWireType()
{
    const CVLProv* wire = Wire(m_nCurWire);
    const std::string name = wire ? wire->wireType.name : std::string();
    m_nWireChoice = name.empty() ? -1 : m_wireCombo.Find(name);
    m_bWireParamsEnabled = !name.empty() && HasItemEditor(Category());
}

bool CVLPage2::SplitBound(int c) const
{
    const int s = m_pElement->splitConductor;
    if (s < 0)
        return false;
    if (c == s)
        return true;
    // On an AC task the whole circuit of the split phase is bundled alike.
    return !IsDC() && c < m_nPhaseWires && s < m_nPhaseWires && c / 3 == s / 3;
}

void CVLPage2::ShowWire()
{
    const int c = m_nCurWire;
    m_strGroupTitle = StrFormat("Провод N %d - %s", c + 1, KindName(c).c_str());
    SelectWireType();
    const CVLProv* wire = Wire(c);
    // A wire without a type yet starts from the values of the wire shown before.
    if (wire && (!wire->wireType.name.empty() || c == 0)) {
        m_nBundle = wire->bundleCount;
        m_fBundleStep = wire->bundleCount == 1 ? 0.0f : static_cast<float>(wire->bundleStep * 100);
        m_fSag = static_cast<float>(wire->sag);
        m_fIceDensity = static_cast<float>(wire->iceDensity);
        m_fIceWall = static_cast<float>(wire->iceThickness * 100);
    }
    if (SplitBound(c)) {
        m_nBundle = 2;
        m_bBundleEnabled = false;
    } else {
        m_bBundleEnabled = true;
    }
    const COpora& tower = m_pVLine->tower;
    const bool hasPoint = c < tower.count && c < static_cast<int>(tower.y.size());
    m_strHeight = hasPoint ? StrFormat("Высота подвеса %.1f м", tower.Y(c)) : std::string();
    m_bStepShown = m_nBundle > 1;
}

void CVLPage2::UpdateRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    auto& r = m_rows[static_cast<std::size_t>(row)];
    r = {};
    r[0] = m_strRowLabels[static_cast<std::size_t>(row)];
    const CVLProv* wire = Wire(row);
    if (!wire || wire->wireType.name.empty())
        return;
    r[1] = wire->wireType.name;
    r[2] = wire->bundleCount == 1 ? std::string("1")
                                  : StrFormat("%d/%g", static_cast<int>(wire->bundleCount), wire->bundleStep * 100);
    r[3] = StrFormat("%g", wire->sag);
    if (m_pVLine->ice) {
        r[4] = StrFormat("%g", wire->iceThickness * 100);
        r[5] = StrFormat("%g", wire->iceDensity);
    }
}

void CVLPage2::TakeWireType(const CProvod& type, bool spread, int skipIndex)
{
    CVLProv* wire = Wire(m_nCurWire);
    if (!wire)
        return;
    wire->wireType.Copy(type);
    if (spread) {
        const int category = Category();
        StoreCatalogItem(category, type);
        FillWireCombo();
        if (m_pDoc)
            SpreadWire(m_pDoc->elements, category, type, skipIndex);
        // The other wires of this kind and type in this line.
        const bool ground = m_bGroundWire != 0;
        for (int i = 0; i < m_nWires; ++i) {
            CVLProv* other = Wire(i);
            if (other && IsGroundPosition(i) == ground && other->wireType.name == type.name)
                other->wireType.Copy(type);
        }
        for (int i = 0; i < m_nWires; ++i)
            UpdateRow(i);
    }
    SelectWireType();
}

void CVLPage2::OnSelchangeWireType(int entry)
{
    CVLProv* wire = Wire(m_nCurWire);
    if (!wire)
        return;
    if (entry < 0 || entry >= static_cast<int>(m_wireCombo.entries.size())) {
        wire->wireType.name.clear();
        m_nWireChoice = -1;
        m_bWireParamsEnabled = false;
        return;
    }
    const int data = m_wireCombo.entries[static_cast<std::size_t>(entry)].data;
    const bool ground = m_bGroundWire != 0;
    if (DecodeItemData(data).source != ComboChoice::OtherBase) {
        const CProvod* type = ChosenItem(ground ? g_TaskBase.groundWires : g_TaskBase.phaseWires,
                                         ground ? g_CurBase.groundWires : g_CurBase.phaseWires, data);
        if (type)
            TakeWireType(*type, false, m_nElementIndex);
        return;
    }
    COtherCatalogRequest road(Category(), m_OtherBase, m_strOtherBasePath);
    road.DoModal();
    const CProvod* picked = road.outcome == COtherCatalogRequest::Picked ? road.PickedWire() : nullptr;
    if (picked) {
        const CProvod type = *picked;
        TakeWireType(type, true, m_nElementIndex);
    } else {
        SelectWireType();
    }
}

// The combo's choice taken as a choice in the combo would be; a wire whose
// type no catalog lists shows no choice and keeps its type.
void CVLPage2::ApplyWireChoice()
{
    if (m_nWireChoice >= 0)
        OnSelchangeWireType(m_nWireChoice);
}

void CVLPage2::OnNewWire()
{
    ApplyWireChoice();
    EditWire(CProvod());
}

void CVLPage2::OnWireParams()
{
    ApplyWireChoice();
    const CVLProv* wire = Wire(m_nCurWire);
    if (wire)
        EditWire(wire->wireType);
}

void CVLPage2::EditWire(CProvod type)
{
    CItemEditRequest request;
    request.category = Category();
    request.item = &type;
    request.mode = static_cast<std::uint8_t>(m_policy.ItemEditorMode(2, 1));
    // An edited wire type reaches every line of the chain, this element's
    // stored original included; a view-only editor changes nothing.
    if (request.DoModal() == IDOK && m_policy.Editing())
        TakeWireType(type, true, -1);
}

void CVLPage2::ClampBundle()
{
    m_nBundle = std::clamp(m_nBundle, 1, kMaxBundle);
}

bool CVLPage2::OnEnter()
{
    ApplyWireChoice();
    ClampBundle();
    CVLProv* wire = Wire(m_nCurWire);
    const bool ice = m_pVLine->ice != 0;
    const bool complete = wire && !wire->wireType.name.empty() && m_fSag >= 0 && m_nBundle >= 1 &&
                          (m_nBundle <= 1 || m_fBundleStep > 0) && (!ice || (m_fIceWall > 0 && m_fIceDensity > 0));
    if (!complete) {
        ShowMessage("Заданы не все параметры провода!", "Ошибка", MsgIcon::Stop);
        return false;
    }
    wire->sag = m_fSag;
    wire->bundleStep = static_cast<double>(m_fBundleStep) * 0.01;
    wire->iceThickness = static_cast<double>(m_fIceWall) * 0.01;
    wire->iceDensity = m_fIceDensity;
    wire->bundleCount = static_cast<std::uint8_t>(m_nBundle);
    UpdateRow(m_nCurWire);
    if (m_nCurWire + 1 < m_nWires) {
        ++m_nCurWire;
        if (m_nCurWire == m_nPhaseWires) {
            // Ground wires start from single conductors and list ground wire types.
            m_nBundle = 1;
            m_bGroundWire = 1;
            FillWireCombo();
        }
    }
    ShowWire();
    return true;
}

void CVLPage2::OnBundleChanged()
{
    if (m_bRefreshing)
        return;
    ClampBundle();
    if (m_nBundle == 1)
        m_fBundleStep = 0;
    m_bStepShown = m_nBundle > 1;
}

void CVLPage2::MoveTo(int wire)
{
    m_nCurWire = wire;
    const int ground = IsGroundPosition(wire) ? 1 : 0;
    if (ground != m_bGroundWire) {
        m_bGroundWire = ground;
        FillWireCombo();
    }
    ShowWire();
}

void CVLPage2::OnListClick(int row)
{
    if (row >= 0 && row < m_nWires)
        MoveTo(row);
}

void CVLPage2::OnStep(int delta)
{
    if (delta < 0 && m_nCurWire > 0)
        MoveTo(m_nCurWire - 1);
    else if (delta > 0 && m_nCurWire + 1 < m_nWires)
        MoveTo(m_nCurWire + 1);
}

void CVLPage2::OnToggleDrawing()
{
    m_bDrawing = m_bDrawing ? 0 : 1;
}

TowerDrawing CVLPage2::Drawing(const PixelRect& rect) const
{
    TowerDrawing d;
    // The drawing keeps room on the right for the wires' labels.
    const PixelRect area{rect.left + 10, rect.top + 20, rect.right - 50, rect.bottom - 20};
    const COpora& tower = m_pVLine->tower;
    const int points = std::min({m_nWires + 0, static_cast<int>(tower.count), static_cast<int>(tower.x.size()),
                                 static_cast<int>(tower.y.size())});
    double minX = 1000, minY = 1000, maxX = -1000, maxY = -1000;
    for (int i = 0; i < points; ++i) {
        minX = std::min(minX, tower.X(i));
        maxX = std::max(maxX, tower.X(i));
        minY = std::min(minY, tower.Y(i));
        maxY = std::max(maxY, tower.Y(i));
    }
    if (points == 0)
        minX = maxX = minY = maxY = 0;
    // A tower with all points on one vertical (or one level) still gets a 1 m range.
    if (maxX < minX + 1)
        maxX = minX + 1;
    if (minY + 1 > maxY)
        minY = maxY - 1;
    const DrawingMap map(area, minX, minY, maxX, maxY, 0);
    const int axisX = map.X(0);
    if (axisX >= area.left && axisX <= area.right) {
        d.axisShown = true;
        d.axisX = axisX;
        d.axisTop = area.top;
        d.axisBottom = area.bottom;
    }
    const int groundY = map.Y(0);
    if (groundY >= area.top && groundY <= area.bottom) {
        d.groundShown = true;
        d.groundY = groundY;
        d.groundLeft = area.left;
        d.groundRight = area.right;
    }
    for (int i = 0; i < points; ++i)
        d.points.push_back({map.X(tower.X(i)), map.Y(tower.Y(i)), m_strRowLabels[static_cast<std::size_t>(i)]});
    return d;
}
