#include "catalog/othercatalogroad.h"

#include "catalog/baseeditdlg.h"
#include "catalog/catalogfiles.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "platform/filedialog.h"

int RunOtherCatalogRoad(COtherCatalogRequest& request)
{
    request.outcome = COtherCatalogRequest::FileCancelled;
    request.result = 0;
    if (!request.ownBase)
        return IDCANCEL;

    FileDialog file(true, "kdb", kOtherBaseFilter, kOtherBaseTitle);
    file.m_bCreatePrompt = true;
    if (file.DoModal() != IDOK || file.GetPathName().empty())
        return IDCANCEL;

    std::string path = file.GetPathName();
    if (request.basePath)
        *request.basePath = path;
    request.ownBase->RemoveAll();
    if (!LoadCatalogFile(nullptr, *request.ownBase, path, file.GetFileName())) {
        request.outcome = COtherCatalogRequest::LoadFailed;
        return IDCANCEL;
    }

    CBaseEditDlg picker;
    picker.m_pBase = request.ownBase;
    picker.m_nMode = std::uint8_t(request.category);
    picker.m_nSelector = std::uint8_t(request.selector);
    picker.m_strBasePath = path;
    if (picker.DoModal() != IDOK || picker.m_nResult == 0) {
        request.outcome = COtherCatalogRequest::PickerCancelled;
        return IDCANCEL;
    }
    request.outcome = COtherCatalogRequest::Picked;
    request.result = int(picker.m_nResult);
    return IDOK;
}

void RegisterOtherCatalogRoad()
{
    ModalRunner<COtherCatalogRequest>::Set(RunOtherCatalogRoad);
}
