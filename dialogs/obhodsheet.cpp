#include "dialogs/obhodsheet.h"

#include "dialogs/bypassvalidation.h"
#include "model/coupling.h"
#include "model/element.h"

CObhodSheet::CObhodSheet(CElement& element, int elementIndex, ElementChain* chain, bool editing_)
    : editing(editing_)
{
    CEObhod* bypass = element.Data<CEObhod>();
    const int kind = bypass->kind;
    caption = kind == 1 ? "Обход в поле" : kind == 2 ? "Обход кабельной линии" : "Обход промежуточной подстанции";

    m_vib.m_pElement = &element;
    m_vib.m_pEObhod = bypass;
    m_vib.editing = editing;
    m_vib.validateOnOK = false;
    m_obh.m_pElement = &element;
    m_obh.m_pEObhod = bypass;
    m_obh.m_nElementIndex = std::uint16_t(elementIndex);
    m_obh.editing = editing;
    m_obh.chain = chain;
    m_zag.m_pElement = &element;
    m_zag.m_pEObhod = bypass;
    m_zag.m_nElementIndex = std::uint16_t(elementIndex);
    m_zag.editing = editing;
    m_zag.chain = chain;
    m_zag.validateOnOK = false;
    m_mat.m_pElement = &element;
    m_mat.m_pEObhod = bypass;
    m_mat.editing = editing;
    m_kl.m_pElement = &element;
    m_kl.m_nElementIndex = elementIndex;
    m_kl.editing = editing;
    m_kl.chain = chain;

    const bool selective = bypass->selectionMode != 0;
    if (kind != 1 && selective)
        AddPage(&m_vib);
    AddPage(&m_zag);
    AddPage(&m_obh);
    if (kind == 0)
        AddPage(&m_mat);
    else if (kind == 2)
        AddPage(&m_kl);
    if (kind != 1 && !selective)
        AddPage(&m_vib);

    // The whole bypass is checked once on every OK, whichever pages were shown.
    ownerCheck = [this, &element] { ValidateBypassSheet(element, editing); };
}

int RunBypassSheet(CElement& element, int elementIndex, ElementChain* chain, bool editing)
{
    if (!element.Data<CEObhod>())
        element.data = std::make_unique<CEObhod>();
    CObhodSheet sheet(element, elementIndex, chain, editing);
    return sheet.DoModal();
}
