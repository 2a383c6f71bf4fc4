#include "dialogs/ui/elementdialogs.h"

#include "dialogs/ui/endmoddialog.h"
#include "dialogs/ui/fazirdialog.h"
#include "dialogs/ui/izmprovdialog.h"
#include "dialogs/ui/klinedialog.h"
#include "dialogs/ui/nagrotvdialog.h"
#include "dialogs/ui/nagruzdialog.h"
#include "dialogs/ui/obhodsheetdialog.h"
#include "dialogs/ui/otvetdialog.h"
#include "dialogs/ui/prisoeddialog.h"
#include "dialogs/ui/razvetvdialog.h"
#include "dialogs/ui/shuntdialog.h"
#include "dialogs/ui/transpdialog.h"
#include "dialogs/ui/vlinesheetdialog.h"

void RegisterElementDialogs()
{
    RegisterIzmProvDialog();
    RegisterFazirDialog();
    RegisterTranspDialog();
    RegisterOtvetDialog();
    RegisterRazvetvDialog();
    RegisterVLineSheet();
    RegisterCableLineDialog();
    RegisterPrisoedDialog();
    RegisterNagrOtvDialog();
    RegisterNagruzDialog();
    RegisterEndModDialog();
    RegisterImpedanceDialogs();
    RegisterBypassSheet();
}
