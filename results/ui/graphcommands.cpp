#include "results/ui/graphcommands.h"

#include "app/linestyles.h"
#include "platform/modal.h"
#include "results/graphmodel.h"
#include "results/linestyleedit.h"
#include "results/resultscommands.h"
#include "results/scaledialog.h"
#include "results/ui/resultswindows.h"

bool RunGraphCommand(int id, GraphModel& m)
{
    namespace gc = GraphCommand;
    if (id == m.kind->shiftLeftCommand) {
        m.ShiftLeft();
        return true;
    }
    if (id == m.kind->shiftRightCommand) {
        m.ShiftRight();
        return true;
    }
    switch (id) {
    case gc::XChoose:
        m.ToggleXChoose();
        return true;
    case gc::YChoose:
        m.ToggleYChoose();
        return true;
    case gc::XFullRange:
        m.XFullRange();
        return true;
    case gc::YFullRange:
        m.YFullRange();
        return true;
    case gc::NotFromZero:
        m.ToggleNotFromZero();
        return true;
    case gc::Scale: {
        ScaleDialogModel dlg = ScaleDialogModel::FromGraph(m);
        if (RunModal(dlg) == IDOK)
            dlg.ApplyTo(m);
        return true;
    }
    case rescmd::ColourSet:
    case rescmd::BlackSet: {
        // Both graph windows draw with the set in use.
        const int mode = id == rescmd::BlackSet ? 1 : 0;
        if (LineStyleTables.colourMode != mode) {
            LineStyleTables.colourMode = mode;
            ReloadGraphPens();
        }
        return true;
    }
    case rescmd::LineStyle: {
        LineStyleEditModel dlg(LineStyleTables);
        if (RunModal(dlg) == IDOK) {
            dlg.Save(LineStyleTables);
            ReloadGraphPens();
        }
        return true;
    }
    default:
        return false;
    }
}
