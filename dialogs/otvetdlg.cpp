#include "dialogs/otvetdlg.h"

#include "dialogs/editpolicy.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

const char* const kChoiceCaption = "Выбор";

} // namespace

bool COtvetDlg::IsBypass() const
{
    return m_nType == kBypass;
}

std::uint8_t* COtvetDlg::Flags() const
{
    if (IsBypass()) {
        CEObhod* b = m_pElement->Data<CEObhod>();
        return b ? b->flags : nullptr;
    }
    COtvet* t = m_pElement->Data<COtvet>();
    return t ? t->flags : nullptr;
}

// A bypass that closes a doubling must list first the wires of the straight
// line (those entering the doubling), then the return line.
void COtvetDlg::FindOrderError()
{
    if (!m_pChain)
        return;
    const int end = m_nElementIndex >= 0 ? std::min(m_nElementIndex, int(m_pChain->size())) : int(m_pChain->size());
    const CElement* doubling = nullptr;
    for (int i = 1; i < end; ++i)
        if ((*m_pChain)[std::size_t(i)] && (*m_pChain)[std::size_t(i)]->type == kDoubling)
            doubling = (*m_pChain)[std::size_t(i)].get();
    if (!doubling)
        return;  // nothing to check the order against
    const CElement& e = *m_pElement;
    const int half = std::min<int>(e.wirePositions, kMaxWires) / 2;
    const int doublingWires = std::min<int>(doubling->wirePositions, kMaxWires);
    for (int i = 0; i < half; ++i) {
        const int* begin = doubling->inMap;
        if (std::find(begin, begin + doublingWires, e.inMap[i]) == begin + doublingWires) {
            m_bOrderError = 1;
            CEObhod* b = e.Data<CEObhod>();
            if (b && b->kind == 0) {
                b->kind = 1;
                b->selectionMode = 0;
            }
            return;
        }
    }
}

void COtvetDlg::EnableBoxes()
{
    const int circuitBoxes = m_buttons.Count(false), groundBoxes = m_buttons.Count(true);
    const int checkedCircuits = m_buttons.CheckedCount(false), checkedGround = m_buttons.CheckedCount(true);
    const bool circuitsFree = !m_bKeepCounts || (checkedCircuits != 0 && checkedCircuits != circuitBoxes);
    const bool groundFree = !m_bKeepCounts || (checkedGround != 0 && checkedGround != groundBoxes);
    for (CircuitButton& b : m_buttons.buttons)
        b.enabled = (b.IsGround() ? groundFree : circuitsFree) && m_nSelective == 1 && editing;
}

void COtvetDlg::OnInitDialog()
{
    CElement& e = *m_pElement;
    m_nType = e.type;
    caption = m_nType == kBypass ? "Обход" : m_nType == kDoubling ? "Удвоение числа проводов" : "Ответвление";
    m_strName = e.name;
    m_bOrderError = 0;
    m_buttons.buttons.clear();
    std::uint8_t* flags = Flags();
    if (!flags)
        return;

    if (IsBypass()) {
        CEObhod& b = *e.Data<CEObhod>();
        if (m_bEndsDoubling)
            FindOrderError();
        m_nSelective = b.selectionMode;
        m_nBypassKind = b.kind;
        if (m_bEndsDoubling && m_nBypassKind == 0)
            m_nSelective = 0;
    } else {
        m_nSelective = e.Data<COtvet>()->selectionMode;
    }
    m_nSelective = m_nSelective ? 1 : 0;

    const int wires = std::min<int>(e.wirePositions, kMaxWires);
    if (e.circuits < 2 || dc) {
        choiceShown = false;
        m_nSelective = 0;
    } else {
        choiceShown = true;
        allEnabled = (editing && !m_bKeepCounts) || m_nSelective == 0;
        selectedEnabled = (editing && !m_bKeepCounts && m_nBypassKind != 1) || m_nSelective == 1;
        if (IsBypass() && m_bEndsDoubling && m_nBypassKind == 0)
            selectedEnabled = false;
        m_buttons.Build(e.inMap, wires, CircuitButtons::Numbering::Wrapped64);
        if (m_nSelective == 0) {
            for (CircuitButton& b : m_buttons.buttons)
                b.checked = true;
        } else {
            m_buttons.CheckFromFlags(e.inMap, flags, wires);
        }
        EnableBoxes();
    }

    if (!IsBypass()) {
        m_nBypassKind = 0;
        kindShown = false;
    } else {
        kindShown = true;
        m_nBypassKind = e.Data<CEObhod>()->kind;
        fieldEnabled = e.circuits >= 2;
    }
}

void COtvetDlg::OnAllCircuits()
{
    m_nSelective = 0;
    for (CircuitButton& b : m_buttons.buttons) {
        b.enabled = false;
        b.checked = true;
    }
}

void COtvetDlg::OnSelectedCircuits()
{
    m_nSelective = 1;
    for (CircuitButton& b : m_buttons.buttons)
        b.enabled = true;
}

void COtvetDlg::OnKindSubstation()
{
    if (m_bOrderError) {
        ShowMessage("На участке с удвоением проводов\nперед обходом промежуточной подстанции\nдолжны сначала "
                    "описываться все провода\nпрямой линии, потом - обратной",
                    "Нарушение структуры тракта!", MsgIcon::Stop);
        m_nBypassKind = 1;
        OnKindField();
    } else if (m_bEndsDoubling) {
        m_nSelective = 0;
        OnAllCircuits();
    }
    selectedEnabled = !m_bEndsDoubling;
}

void COtvetDlg::OnKindField()
{
    m_nBypassKind = 1;
    m_nSelective = 0;
    selectedEnabled = false;
    OnAllCircuits();
}

void COtvetDlg::OnKindCableInsert()
{
    m_nBypassKind = 2;
    selectedEnabled = true;
}

void COtvetDlg::ToggleLine(int k)
{
    if (!m_bKeepCounts)
        return;
    m_buttons.KeepCount(k);
}

bool COtvetDlg::OnOK()
{
    if (!editing)
        return true;
    if (!CheckStoredText(m_strName, kNameField, kChoiceCaption))
        return false;
    CElement& e = *m_pElement;
    std::uint8_t* flags = Flags();
    if (!flags)
        return true;
    const int wires = std::min<int>(e.wirePositions, kMaxWires);
    const int c = m_buttons.CheckedCount(false), g = m_buttons.CheckedCount(true);
    if (m_bKeepCounts && (e.circuitsPart != c || e.groundWiresPart != g)) {
        ShowMessage("При корректировке элемента не должно меняться\nчисло цепей и число тросов!", kChoiceCaption,
                    MsgIcon::Stop);
        return false;
    }
    CEObhod* bypass = IsBypass() ? e.Data<CEObhod>() : nullptr;
    COtvet* tap = IsBypass() ? nullptr : e.Data<COtvet>();
    auto setDataCount = [&](int n) {
        if (bypass)
            bypass->n = std::uint8_t(n);
        else
            tap->count = std::uint8_t(n);
    };
    int w = wires;
    if (m_nSelective == 0) {
        // A correction keeps its counts; then every wire still takes part.
        if (!m_bKeepCounts) {
            e.circuitsPart = e.circuits;
            e.groundWiresPart = e.groundWires;
            std::fill(flags, flags + kMaxWires, std::uint8_t(1));
            if (bypass && m_nBypassKind == 0 && m_bEndsDoubling)
                setDataCount(wires / 2);
            else
                setDataCount(wires);
        }
    } else {
        w = m_buttons.FlagsFromChecked(e.inMap, flags, wires);
        if (!m_bKeepCounts) {
            e.circuitsPart = std::uint8_t(c);
            e.groundWiresPart = std::uint8_t(g);
            setDataCount(w);
        }
    }
    if (w == wires)
        m_nSelective = 0;
    // An element without a circuit (a bypass in an attached circuit of ground
    // wires only) has no circuit to choose.
    if (e.circuitsPart == 0 && e.circuits > 0) {
        ShowMessage("Должна быть выбрана хотя бы одна цепь!", kChoiceCaption, MsgIcon::Stop);
        return false;
    }
    if (m_nType == kDoubling && w > 20) {
        ShowMessage(StrFormat("Число проводов после удвоения\nсоставит %d.\nДопустимо - до 40.\nЗдесь возможно "
                              "удвоение только на части линии\n",
                              2 * w),
                    "Предельные параметры", MsgIcon::Stop);
        return false;
    }
    e.name = m_strName;
    std::copy(std::begin(e.inMap), std::end(e.inMap), e.outMap);
    if (bypass) {
        bypass->selectionMode = std::uint8_t(m_nSelective);
        bypass->kind = std::uint8_t(m_nBypassKind);
    } else {
        tap->selectionMode = std::uint8_t(m_nSelective);
    }
    return true;
}
