#include "dialogs/ui/elementdialogs.h"

void RegisterElementDialogs()
{
}
