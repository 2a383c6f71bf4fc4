#include "catalog/itemeditors.h"

#include "catalog/filtrdlg.h"
#include "catalog/kabdlg.h"
#include "catalog/matrixdlg.h"
#include "catalog/oporadlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/zagraddlg.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogitems.h"
#include "model/catalogstore.h"

namespace {

// Runs the editor Dlg on the request's item of type Item.  The editor's
// mode byte goes back into the request (1 after a successful OK).
template <class Dlg, class Item, std::uint8_t Dlg::*Mode, Item* Dlg::*Target>
ItemEditorFn Editor(void (*prepare)(Dlg&, const CItemEditRequest&) = nullptr)
{
    return [prepare](CItemEditRequest& request) {
        Item* const* item = std::get_if<Item*>(&request.item);
        if (item == nullptr || *item == nullptr)
            return IDCANCEL;
        Dlg dlg;
        dlg.*Target = *item;
        dlg.*Mode = request.mode;
        if (prepare)
            prepare(dlg, request);
        const int answer = dlg.DoModal();
        request.mode = dlg.*Mode;
        return answer;
    };
}

} // namespace

void RegisterItemEditors()
{
    SetItemEditor(kCatTowers, Editor<COporaDlg, COpora, &COporaDlg::m_nMode, &COporaDlg::m_pOpora>());
    for (int category : {kCatPhaseWires, kCatGroundWires})
        SetItemEditor(category, Editor<CProvodDlg, CProvod, &CProvodDlg::m_bViewOnly, &CProvodDlg::m_pItem>(
                                    [](CProvodDlg& dlg, const CItemEditRequest& request) {
                                        dlg.m_nKind = std::uint8_t(request.category);
                                    }));
    SetItemEditor(kCatSolidCables, Editor<CKabTvDlg, CKabTv, &CKabTvDlg::m_bViewOnly, &CKabTvDlg::m_pItem>());
    SetItemEditor(kCatPipeCables, Editor<CKabTrDlg, CKabTr, &CKabTrDlg::m_bViewOnly, &CKabTrDlg::m_pItem>());
    SetItemEditor(kCatMatrices, Editor<CMatrixDlg, CMatrix, &CMatrixDlg::m_bViewOnly, &CMatrixDlg::m_pItem>());
    SetItemEditor(kCatHfCables, Editor<CVchKabDlg, CProvod, &CVchKabDlg::m_bViewOnly, &CVchKabDlg::m_pItem>());
    SetItemEditor(kCatTraps, Editor<CZagradDlg, CZagrad, &CZagradDlg::m_nMode, &CZagradDlg::m_pZagrad>());
    for (int type = 0; type < CFiltr::kTypes; ++type)
        SetItemEditor(kCatFilters + type, Editor<CFiltrDlg, CFiltr, &CFiltrDlg::m_nMode, &CFiltrDlg::m_pFiltr>());
}
