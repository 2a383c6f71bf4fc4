// Helpers of the windows that pick line traps and list rows of texts: a
// trap combo shown from its TrapChoice, a report table filled from columns
// and rows of the model.
#pragma once

#include "dialogs/listcolumn.h"
#include "dialogs/trapchoice.h"

#include <QComboBox>
#include <string>
#include <vector>

class QTableWidget;

// Refills the combo from the choice's entries and selects its choice, without signals.
void ShowTrapCombo(QComboBox* combo, const TrapChoice& choice);

// A report table: single row selection, no editing, no row header.
QTableWidget* NewReportTable(int minWidth, int minHeight);
// Sets the columns (titles and widths) and the rows (centred texts).
void ShowTable(QTableWidget* table, const std::vector<ListColumn>& columns,
               const std::vector<std::vector<std::string>>& rows);
