#include "dialogs/izmprovdlg.h"

#include "dialogs/fazirdlg.h"
#include "model/elementdata.h"
#include "model/branches.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>

namespace {

int MaxGround(bool dc)
{
    return dc ? kMaxGroundAfterChangeDC : kMaxGroundAfterChangeAC;
}

} // namespace

bool CIzmProvDlg::AnyCountCanGrow(int circuits, int ground, int entryPositions, bool dc)
{
    const int free = kMaxWires - entryPositions;
    const bool groundCanGrow = ground < MaxGround(dc) && free >= 1;
    // The circuit spin stays disabled on a DC line.
    const bool circuitsCanGrow = !dc && circuits < kMaxCircuitsAfterChange && free >= 3;
    return groundCanGrow || circuitsCanGrow;
}

int CIzmProvDlg::AddedPositions() const
{
    return (shownNewCircuits - currentCircuits) * wiresPerCircuit + (shownNewGround - currentGround);
}

void CIzmProvDlg::UpdateRanges()
{
    // The map after the element holds the wires here, then the added ones:
    // the spins never offer more than the 40 positions it has.
    const int free = std::max(0, kMaxWires - entryPositions - AddedPositions());
    if (completion) {
        circuitMin = currentCircuits;
        circuitMax = currentCircuits + addedWires / 3;
    } else {
        circuitMin = currentCircuits;
        circuitMax = std::min(kMaxCircuitsAfterChange, shownNewCircuits + free / wiresPerCircuit);
        groundMin = currentGround;
        groundMax = std::min(MaxGround(dc), shownNewGround + free);
    }
    circuitMax = std::max(circuitMax, int(shownNewCircuits));
    groundMax = std::max(groundMax, int(shownNewGround));
    phasingEnabled = currentCircuits < shownNewCircuits;
}

void CIzmProvDlg::OnInitDialog()
{
    const bool spinsEditable = editing && viewOnly == 0;
    circuitSpinEnabled = spinsEditable && !dc;
    groundSpinEnabled = spinsEditable;
    groundSpinShown = true;
    okText = "Сохранить";
    if (completion) {
        groundSpinShown = false;
        circuitSpinEnabled = !dc;
        okText = "Дальше>>";
        elementText = StrFormat("(Элемент № %d)", elementIndex + 1);
    }
    initializing = 0;
    wiresPerCircuit = dc ? 1 : 3;
    currentLabel = dc ? "Текушее число полюсов" : "Текущее число цепей";
    newLabel = dc ? "Новое число полюсов" : "Новое число цепей";
    shownCurrentCircuits = currentCircuits;
    shownNewCircuits = newCircuits;
    shownCurrentGround = currentGround;
    shownNewGround = newGround;
    addedWires = std::uint8_t(newGround + (newCircuits - currentCircuits) * wiresPerCircuit - currentGround);
    UpdateRanges();
}

void CIzmProvDlg::OnCountChanged()
{
    if (initializing)
        return;
    if (completion)
        shownNewGround = std::uint8_t(std::max(0, (currentCircuits - shownNewCircuits) * 3 + addedWires));
    UpdateRanges();
    WriteCodes();
}

void CIzmProvDlg::WriteCodes()
{
    if (!varMod)
        return;
    int j = 0;
    for (int k = 0; k < shownNewCircuits - currentCircuits; ++k)
        for (int p = 0; p < 3 && j < kMaxWires; ++p)
            varMod->map[j++] = 4 * (chainCircuits + k) + p;
    for (int m = 0; m < shownNewGround - currentGround && j < kMaxWires; ++m)
        varMod->map[j++] = 4 * (chainGround + m) + 3;
}

void CIzmProvDlg::OnPhasing()
{
    if (!varMod)
        return;
    CFazirDlg phasing;
    phasing.wireCount = std::uint8_t(std::clamp(
        (shownNewCircuits - currentCircuits) * 3 + shownNewGround - currentGround, 0, kMaxWires));
    phasing.phasingPlace = 2;
    phasing.elementIndex = std::uint8_t(elementIndex);
    phasing.map = varMod->map;
    phasing.editing = editing;
    phasing.completion = completion;
    phasing.dc = dc;
    phasing.DoModal();
}

bool CIzmProvDlg::OnOK()
{
    if (viewOnly)
        return true;
    if (shownNewCircuits == currentCircuits && shownNewGround == currentGround && !completion) {
        ShowMessage("Число проводов не изменено!", kAppName, MsgIcon::Stop);
        return false;
    }
    newCircuits = shownNewCircuits;
    newGround = shownNewGround;
    return true;
}
