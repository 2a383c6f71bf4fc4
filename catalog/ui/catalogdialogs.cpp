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

#include <QApplication>

namespace {

// Runs Dialog over its model as a modal window of the active window.
template <class Dialog, class Model>
void Register()
{
    ModalRunner<Model>::Set([](Model& model) {
        Dialog dlg(model, QApplication::activeWindow());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}

} // namespace

void RegisterCatalogDialogs()
{
    Register<OporaDialog, COporaDlg>();
    Register<ProvodDialog, CProvodDlg>();
    Register<KabTvDialog, CKabTvDlg>();
    Register<KabTrDialog, CKabTrDlg>();
    Register<NewMatrixDialog, CNewMatrixDlg>();
    Register<MatrixDialog, CMatrixDlg>();
    Register<VchKabDialog, CVchKabDlg>();
    Register<FiltrDialog, CFiltrDlg>();
    Register<ZagradDialog, CZagradDlg>();
    Register<BaseEditDialog, CBaseEditDlg>();
    Register<BaseDopolnDialog, CBaseDopolnDlg>();
    Register<PovtorDialog, CPovtorDlg>();
    Register<BaseRestoreDialog, CBaseRestoreDlg>();
    Register<ProvRaznDialog, CProvRaznDlg>();
    RegisterItemEditors();
    RegisterCatalogManagement();
}
