#include "app/ui/printer.h"

#include <QPrinter>

QPrinter& AppPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
