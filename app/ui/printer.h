#pragma once

class QPrinter;

// The printer the program prints on; print setup changes its page.
QPrinter& AppPrinter();
