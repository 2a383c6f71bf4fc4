#include "dialogs/bypassvalidation.h"

#include "dialogs/cablelayout.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/messages.h"

#include <string>

void ValidateBypassSheet(CElement& element, bool editing)
{
    if (!editing)
        return;
    CEObhod* bypass = element.Data<CEObhod>();
    element.entered = 1;
    std::string fault;
    if (bypass && bypass->kind == 2 && !CheckCableInsert(*bypass, &fault)) {
        element.entered = 0;
        ShowMessage(CableLayoutRefusal(kBadInsertText, fault), kAppName, MsgIcon::Stop);
    }
    if (!bypass || bypass->lines.empty()) {
        element.entered = 0;
        ShowMessage(kNoBypassLinesText, kNoBypassCaption, MsgIcon::Information);
    }
}
