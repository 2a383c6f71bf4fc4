#include "dialogs/transpdlg.h"

#include "dialogs/editpolicy.h"
#include "model/conductors.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

// A stored order is taken over only when it is a permutation of 0 .. n-1;
// anything else (another count, a repeated or outside entry) gives way to
// the identity.
bool IsPermutation(const std::vector<std::uint8_t>& p, int n)
{
    if (int(p.size()) != n)
        return false;
    std::vector<bool> seen(std::size_t(n), false);
    for (std::uint8_t v : p) {
        if (v >= n || seen[v])
            return false;
        seen[v] = true;
    }
    return true;
}

} // namespace

void CTranspDlg::OnInitDialog()
{
    initializing = 1;
    name = element ? element->name : std::string();
    const int n = element ? std::clamp(element->groundWires + (dc ? 1 : 3) * element->circuits, 0, kMaxWires) : 0;
    wireCount = n;
    if (transp)
        transp->count = std::uint8_t(n);
    for (int i = 0; i < n; ++i)
        wireNames[i] = FormatConductorName(element->inMap, -1, std::uint8_t(i));
    if (transp && transp->permutation && IsPermutation(*transp->permutation, n)) {
        order = *transp->permutation;
    } else {
        order.resize(std::size_t(n));
        for (int i = 0; i < n; ++i)
            order[std::size_t(i)] = std::uint8_t(i);
    }
    wireItems.clear();
    positionItems.clear();
    for (int i = 0; i < n; ++i) {
        wireItems.push_back(RowWire(i));
        positionItems.push_back(StrFormat("%d", i + 1));
    }
    wireChoice = 0;
    positionChoice = n > 0 ? order[0] : -1;
    initializing = 0;
}

std::string CTranspDlg::RowWire(int i) const
{
    return StrFormat("%d (%s)", i + 1, wireNames[i].c_str());
}

std::string CTranspDlg::RowPosition(int i) const
{
    return StrFormat("%d", order[std::size_t(i)] + 1);
}

void CTranspDlg::OnWireChosen(int wire)
{
    if (initializing || wire < 0 || wire >= wireCount)
        return;
    wireChoice = wire;
    positionChoice = order[std::size_t(wire)];
}

void CTranspDlg::OnPositionChosen(int position)
{
    if (initializing || position < 0 || position >= wireCount || wireChoice < 0 || wireChoice >= wireCount)
        return;
    const std::uint8_t old = order[std::size_t(wireChoice)];
    for (std::uint8_t& o : order)
        if (o == position)
            o = old;
    order[std::size_t(wireChoice)] = std::uint8_t(position);
    positionChoice = position;
}

int CTranspDlg::OnOK()
{
    if (!editing || !element || !transp)
        return IDCANCEL;
    if (!CheckStoredText(name, kNameField, kAppName))
        return 0;
    element->name = name;
    transp->count = std::uint8_t(wireCount);
    transp->permutation = order;
    element->entered = 1;
    return IDOK;
}

void ApplyTransposition(CElement& element)
{
    const CTransp* t = element.Data<CTransp>();
    if (!t || !t->permutation)
        return;
    const std::vector<std::uint8_t>& order = *t->permutation;
    for (std::size_t i = 0; i < order.size() && i < std::size_t(kMaxWires); ++i)
        if (order[i] < kMaxWires)
            element.outMap[order[i]] = element.inMap[i];
}
