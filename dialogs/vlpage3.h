// Page "Неоднородности" of the overhead line sheet: which inhomogeneity the
// calculation takes into account (none, tower influence with random span
// lengths, sag of the wires; a transposition within the span comes only from
// files), the tower influence matrix, the mean span, the count of spans or of
// half-span pieces and the spread of the span length.
//
// The model holds the control values and states; the page widget shows them,
// reads the edits back before calling a handler, and calls the handlers.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/vlpagebase.h"
#include "model/base.h"

#include <cstdint>
#include <string>

class CMatrix;

class CVLPage3 : public CVLPageBase {
public:
    // The count is stored as a 16-bit word beside an array of that many bytes.
    static constexpr unsigned kMaxSpanCount = 65535;

    int m_bRegenSpans = 0;     // "Перегенерировать случайные длины пролетов"
    unsigned m_nSpanCount = 0; // spans considered (mode 1) or pieces of a half-span (modes 2, 3)
    float m_fSpanDeviation = 0;  // m
    float m_fMeanSpan = 0;       // m
    int m_nInhomMode = -1;     // 0 none, 1 tower influence, 2 sag, 3 transposition in the span
    std::string m_strOtherBasePath;
    CBase m_OtherBase;

    // Control states.
    std::string m_strCountLabel;
    bool m_bModeEnabled[4] = {true, true, true, true};
    bool m_bMode3Shown = false;  // never: a transposition within the span comes only from files
    bool m_bMatrixGroupEnabled = false;
    bool m_bMatrixComboEnabled = false;
    bool m_bNewMatrixEnabled = false;
    bool m_bMatrixParamsEnabled = false;
    bool m_bSpanEditsEnabled = false;  // mean span and count, with their labels
    bool m_bDeviationLabelEnabled = false;
    bool m_bDeviationEnabled = false;
    bool m_bRegenShown = false;
    bool m_bRegenEnabled = false;
    CatalogCombo m_matrixCombo;
    int m_nMatrixChoice = -1;

    std::string Caption() const override { return "Неоднородности"; }
    void OnInitPage() override;
    bool OnKillActive() override;

    // A count typed into the edit, brought into what the line can store.
    static unsigned ClampSpanCount(unsigned long long typed);

    void OnMode(int mode);
    void OnSpanCountChanged();
    void UpdateInhomControls();
    void FillMatrixCombo();
    void OnSelchangeMatrix(int entry);
    void OnNewMatrix();
    void OnMatrixParams();
    void EditMatrix(CMatrix matrix);

private:
    int Order() const;
    void SelectLineMatrix();
    void TakeMatrix(const CMatrix& matrix, bool spread);
};
