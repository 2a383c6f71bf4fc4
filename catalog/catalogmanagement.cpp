#include "catalog/catalogmanagement.h"

#include "app/catalogservices.h"
#include "catalog/baseeditdlg.h"
#include "catalog/othercatalogroad.h"
#include "catalog/reconcile.h"

void RegisterCatalogManagement()
{
    SetReconcileService(ReconcileTaskWithCatalog);
    SetCatalogEditorService([](CBase& working, bool& applied) {
        CBaseEditDlg dlg;
        dlg.m_pBase = &working;
        dlg.m_nMode = 0;
        const int answer = dlg.DoModal();
        applied = dlg.m_bApplied;
        return answer;
    });
    RegisterOtherCatalogRoad();
}
