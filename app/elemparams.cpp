#include "app/elemparams.h"

#include "dialogs/transpdlg.h"
#include "model/branches.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Selective(const CElement& e)
{
    const COtvet* o = e.Data<COtvet>();
    return o && o->selectionMode != 0;
}

int EndKind(const CElement& e)
{
    const CEndMod* m = e.Data<CEndMod>();
    return m ? m->kind : 0;
}

// The cases where the command only tells the user about the element.
bool MessageOnly(const CElement& e, int previousType)
{
    switch (e.type) {
    case kTapLoad:
        return previousType == kCouplingDevice;
    case kTap:
    case kDoubling:
        return !Selective(e);
    case kWireCountChange:
    case kBranchingEnd:
        return true;
    case kAttachedEnd:
        return EndKind(e) == 0;
    default:
        return false;
    }
}

void ShowParamsMessage(const CElement& r)
{
    switch (r.type) {
    case kTapLoad:
        ShowMessage("Ответвление заканчивается устройством присоединения.\nВЧ кабели всех ФП имеют нагрузку.",
                    "Ответвление тракта", MsgIcon::Information);
        break;
    case kTap:
        ShowMessage("Ответвляются все провода", "Ответвление тракта", MsgIcon::Information);
        break;
    case kWireCountChange:
        ShowMessage(StrFormat("Число проводов до элемента - %d\nЧисло проводов после элемента - %d\n"
                              "Число проводов ответвления - %d\n",
                              r.wirePositions, r.wirePositions2, std::abs(r.wirePositions2 - r.wirePositions)),
                    "Изменение числа проводов", MsgIcon::Information);
        break;
    case kDoubling: {
        const COtvet* o = r.Data<COtvet>();
        std::string text = StrFormat("Начало участка с удвоенным\nчислом проводов - %d", o ? o->count : 0);
        if (r.circuits > 1)
            text += "\nУдвоение во всех цепях";
        ShowMessage(text, "Удвоение числа проводов", MsgIcon::Information);
        break;
    }
    case kAttachedEnd:
        // The spelling of the message is the program's own.
        ShowMessage("В конце участка - устройство просоединения.\nВЧ кабели всех ФП имеют нагрузку.",
                    "Конец присоединенной цепи", MsgIcon::Information);
        break;
    case kBranchingEnd:
        ShowMessage(StrFormat("Конец участка с разветвлением цепей\nДалее - участок\nс числом проводов - %d "
                              "(цепей - %d, тросов - %d)",
                              3 * r.circuitsAfter + r.groundWiresAfter, r.circuitsAfter, r.groundWiresAfter),
                    "Конец разветвления", MsgIcon::None);
        break;
    default:
        break;
    }
}

// What OK adds to the copy before it is written back.
void CompleteCopy(CElement& r)
{
    switch (r.type) {
    case kOverheadLine:
        if (CVLine* v = r.Data<CVLine>(); v && r.entered)
            v->AfterLoad();
        break;
    case kTransposition:
        ApplyTransposition(r);
        break;
    case kTap:
        // The tap's wires: the element's own input codes whose flag is set,
        // over its own wire positions.
        if (COtvet* o = r.Data<COtvet>()) {
            int j = 0;
            for (int k = 0; k < std::min<int>(r.wirePositions, kMaxWires); ++k)
                if (o->flags[k])
                    o->map[j++] = r.inMap[k];
        }
        break;
    case kDoubling:
        NumberConductors(r);
        break;
    default:
        break;
    }
}

} // namespace

ElemParamsRunner FindElemParamsRunner(int type)
{
    for (const ElemParamsRow& row : ElemParamsRows())
        if (row.type == type)
            return row.run;
    return nullptr;
}

bool ElemParamsAvailable(const CKestrinDoc& doc, int index)
{
    if (index < 0 || std::size_t(index) >= doc.elements.size())
        return false;
    const CElement& e = *doc.elements[std::size_t(index)];
    const int previousType = index > 0 ? doc.elements[std::size_t(index) - 1]->type : -1;
    return MessageOnly(e, previousType) || FindElemParamsRunner(e.type) != nullptr;
}

bool RunElemParams(CKestrinDoc& doc, int index, bool editing, bool& replay)
{
    replay = false;
    CElement* e = doc.GetElement(index);
    if (!e)
        return false;
    const int previousType = index > 0 ? doc.elements[std::size_t(index) - 1]->type : -1;
    CElement r(*e);
    // The overhead line's sheet prepares its own data object.
    if (!r.data && r.type != kOverheadLine)
        r.data = CreateElementData(r.type);
    // Elements that carry the nesting: the structure is replayed after them.
    replay = editing && (r.type == kTap || r.type == kWireCountChange || r.type == kBranchingStart ||
                         r.type == kBranchingEnd || (r.type == kDoubling && !Selective(r)));
    if (MessageOnly(r, previousType)) {
        ShowParamsMessage(r);
        return false;
    }
    const ElemParamsRunner run = FindElemParamsRunner(r.type);
    if (!run)
        return false;
    ElemParamsCall call{r, doc, index, previousType, editing};
    // Outside editing mode the dialog is view-only and nothing is written back.
    if (run(call) != IDOK || !editing)
        return false;
    CompleteCopy(r);
    *e = r;
    // Every write-back changes what the later elements see: replay.
    replay = true;
    return true;
}
