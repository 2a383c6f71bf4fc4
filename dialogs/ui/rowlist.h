// The lists of the element and catalog dialogs (wires, points, positions):
// read-only tables without row numbers whose rows are chosen whole, one at a
// time.
#pragma once

class QTableWidget;

QTableWidget* NewRowList(int rows, int columns);
