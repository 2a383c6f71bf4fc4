#include "catalog/ui/catalogdialogs.h"

#include "catalog/basedopolndlg.h"
#include "catalog/baseeditdlg.h"
#include "catalog/baserestoredlg.h"
#include "catalog/catalogmanagement.h"
#include "catalog/itemeditors.h"
#include "catalog/povtordlg.h"
#include "catalog/provrazndlg.h"

#include "catalog/ui/basedopolndialog.h"
#include "catalog/ui/baseeditdialog.h"
#include "catalog/ui/baserestoredialog.h"
#include "catalog/ui/filtrdialog.h"
#include "catalog/ui/matrixdialogs.h"
#include "catalog/ui/oporadialog.h"
#include "catalog/ui/povtordialog.h"
#include "catalog/ui/provrazndialog.h"
#include "catalog/ui/wiredialogs.h"
#include "catalog/ui/zagraddialog.h"
#include "dialogs/ui/modaldialog.h"


void RegisterCatalogDialogs()
{
    RegisterModalDialog<OporaDialog, COporaDlg>();
    RegisterModalDialog<ProvodDialog, CProvodDlg>();
    RegisterModalDialog<KabTvDialog, CKabTvDlg>();
    RegisterModalDialog<KabTrDialog, CKabTrDlg>();
    RegisterModalDialog<NewMatrixDialog, CNewMatrixDlg>();
    RegisterModalDialog<MatrixDialog, CMatrixDlg>();
    RegisterModalDialog<VchKabDialog, CVchKabDlg>();
    RegisterModalDialog<FiltrDialog, CFiltrDlg>();
    RegisterModalDialog<ZagradDialog, CZagradDlg>();
    RegisterModalDialog<BaseEditDialog, CBaseEditDlg>();
    RegisterModalDialog<BaseDopolnDialog, CBaseDopolnDlg>();
    RegisterModalDialog<PovtorDialog, CPovtorDlg>();
    RegisterModalDialog<BaseRestoreDialog, CBaseRestoreDlg>();
    RegisterModalDialog<ProvRaznDialog, CProvRaznDlg>();
    RegisterItemEditors();
    RegisterCatalogManagement();
}
