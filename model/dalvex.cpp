// Import of the task files of the sibling noise-calculation program Dalvex
// (dvx): a short header with the conductor configuration, then element
// records without counts or conductor maps.  Every element takes the task's
// counts; the maps come from the conductor order that the end records carry.
#include "model/document.h"
#include "model/shunts.h"
#include "platform/archive.h"
#include "platform/messages.h"

#include <algorithm>
#include <iterator>

namespace {

const char* const kExperimentalSpanMessage =
    "Расчет опытного пролета в программе Kestrin\nне предусмотрен. Задача не импортирована.";

constexpr std::uint8_t kUnset = 127;
constexpr std::size_t kMinDalvexElement = 1 + 1 + 8 + 1 + 1;

}  // namespace

void CKestrinDoc::BuildDalvexMaps(CElement& e, const CElement* previous, int phaseWires, int groundWires) const
{
    int wires = phaseWires + groundWires;
    if (previous) {
        std::copy(std::begin(previous->outMap), std::end(previous->outMap), e.inMap);
    } else if (g_ImportWireOrder[0] != kUnset) {
        // The sibling program numbers the phase wires so that division by 3
        // gives the circuit and the remainder the phase; its ground wires
        // follow the phase wires.  An entry still unset or out of range gives
        // an empty code, which the user fixes when completing the task.
        for (int j = 0; j < wires; ++j) {
            int o = g_ImportWireOrder[j];
            int code = -1;
            if (o != kUnset) {
                if (j < phaseWires && o < phaseWires)
                    code = o % 3 + 4 * (o / 3);
                else if (j >= phaseWires && o >= phaseWires && o < wires)
                    code = 4 * (o - phaseWires) + 3;
            }
            e.inMap[j] = code;
        }
    }
    if (e.type != kTransposition) {
        std::copy(std::begin(e.inMap), std::end(e.inMap), e.outMap);
        return;
    }
    const CTransp* t = e.Data<CTransp>();
    if (!t || !t->permutation || int(t->permutation->size()) < wires)
        throw ArchiveError("транспозиция не переставляет все " + std::to_string(wires) + " проводов");
    for (int j = 0; j < wires; ++j)
        e.outMap[t->Target(j)] = e.inMap[j];  // targets lie below the permutation's count, at most 40
}

int CKestrinDoc::ReadDalvex(ArchiveReader& ar)
{
    ClearAll();
    std::fill(std::begin(g_ImportWireOrder), std::end(g_ImportWireOrder), kUnset);
    // A NaN or an infinity is no value of an element: the file is refused as
    // damaged, naming the value, as the DOS-era catalog import does.
    ar.refuseNonFiniteNumbers();
    basePath = ar.readString("путь к базе данных");
    title = ar.readString("заголовок задачи");
    std::uint16_t count = ar.readWord("число элементов");
    std::uint8_t e = ar.readByte("фазные провода");
    std::uint8_t f = ar.readByte("грозотросы");
    std::uint8_t split = ar.readByte("расщепленный провод");
    std::uint8_t experimentalSpan = ar.readByte("признак опытного пролета");
    std::uint8_t dcFlag = ar.readByte("признак постоянного тока");

    if (experimentalSpan != 0) {
        ShowMessage(kExperimentalSpanMessage, kAppName, MsgIcon::None, MsgButtons::Ok);
        elementCount = 0;
        return 0;
    }
    int wires = e + f + (split != kUnset ? 1 : 0);
    if (wires > kMaxWires)
        ar.fail("задача Dalvex из " + std::to_string(wires) + " проводов (не больше 40)");
    if (split != kUnset && split >= wires)
        ar.fail("расщепленный провод " + std::to_string(split) + " вне проводов задачи");

    splitConductor = split == kUnset ? -1 : split;
    g_nSplitConductor = splitConductor;
    dc = dcFlag;
    circuits = std::uint8_t(dc ? e : e / 3);
    g_nLabelCircuits = g_nCurCircuits = circuits;
    g_bDC = dc;
    groundWires = f;
    g_nLabelGround = g_nCurGround = f;
    conductorCount = std::uint8_t(wires);
    g_nConductors = conductorCount;

    ar.checkCount(count, kMinDalvexElement, "элементы");
    for (std::uint16_t i = 0; i < count; ++i) {
        auto element = std::make_unique<CElement>();
        element->LoadDalvex(ar);
        BuildDalvexMaps(*element, elements.empty() ? nullptr : elements.back().get(), e, f);
        elements.push_back(std::move(element));
    }
    elementCount = count;
    return 1;
}

int CKestrinDoc::ImportDalvexTask(ArchiveReader& ar)
{
    ModelGlobalsGuard guard;
    CKestrinDoc fresh;
    int result = fresh.ReadDalvex(ar);
    Swap(fresh);
    // An imported task must be completed before it is edited, saved or calculated.
    g_nTaskCompletion = result == 1 ? 1 : 0;
    guard.Commit();
    return result;
}
