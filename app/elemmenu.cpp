#include "app/elemmenu.h"

#include "app/commandids.h"
#include "app/elemparams.h"
#include "model/coupling.h"
#include "model/document.h"

using namespace cmd;

namespace {

// Whether the selected element may be deleted on its own.
bool Deletable(const CKestrinDoc& doc, int index)
{
    const CElement& e = *doc.elements[std::size_t(index)];
    if (index == int(doc.elements.size()) - 1)
        return true;
    switch (e.type) {
    case 0: case 1: case 2: case 3: case 5: case 6: case 14:
        return true;
    case kBypass: {
        const CEObhod* b = e.Data<CEObhod>();
        return !b || !b->insideDoubling || b->kind != 0;
    }
    default:
        return false;
    }
}

} // namespace

std::vector<ElemMenuItem> ElemMenuItems(const ElemMenuState& s)
{
    const int count = s.doc ? int(s.doc->elements.size()) : 0;
    const bool selected = s.selectedIndex >= 0 && s.selectedIndex < count;
    const bool calm = !s.gapOpen && !s.moving;
    const bool onElement = s.editing && selected && !s.range && count >= 2 && calm;
    const bool notFirst = onElement && s.selectedIndex != 0;
    const bool line = s.templateType == kOverheadLine || s.templateType == kCableLine;

    std::vector<ElemMenuItem> items = {
        {ID_ELEM_PARAMS, "Параметры", selected && !s.range && !s.moving && ElemParamsAvailable(*s.doc, s.selectedIndex)},
        {},
        {ID_ELEM_DELETE, "Удалить",
         s.editing && selected && calm && count >= 2 &&
             (s.range || (s.selectedIndex != 0 && Deletable(*s.doc, s.selectedIndex)))},
        {ID_ELEM_INSERT, "Вставить", notFirst},
        {ID_ELEM_CANCEL_INSERT, "Отменить вставку", s.editing && s.gapOpen && !s.moving},
        {},
        {ID_ELEM_SHIFT, "Сместить", notFirst},
        {ID_ELEM_ROTATE, "Повернуть", notFirst},
    };
    if (line)
        items.push_back({ID_CALC_MODAL, "Рассчитать модальные параметры", !s.editing && s.templateEntered});
    if (s.templateType == kEndLoad)
        items.push_back({ID_REPLACE_BY_COUPLING, "Заменить на УПР", onElement});
    if (s.templateType == kCouplingDevice && !s.range && selected &&
        (s.selectedIndex == 0 || s.selectedIndex == count - 1))
        items.push_back({ID_REPLACE_BY_END_LOAD, "Заменить на КН", onElement});
    return items;
}
