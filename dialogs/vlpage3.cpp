#include "dialogs/vlpage3.h"

#include "calc/calcglobals.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"

#include <algorithm>
#include <vector>

unsigned CVLPage3::ClampSpanCount(unsigned long long typed)
{
    return static_cast<unsigned>(std::min<unsigned long long>(typed, kMaxSpanCount));
}

// The matrix order the line needs: one mode per wire position of the element.
int CVLPage3::Order() const
{
    return m_pElement->wirePositions;
}

void CVLPage3::OnInitPage()
{
    const CVLine& line = *m_pVLine;
    m_nInhomMode = line.inhomogeneity;
    m_fMeanSpan = static_cast<float>(line.spanMean);
    m_nSpanCount = line.pieces;
    m_fSpanDeviation = static_cast<float>(line.spanDeviation);
    // A stored tower-influence line with its spans draws new ones when the
    // page is left, unless the box is cleared first.
    m_bRegenShown = m_policy.Editing() && line.inhomogeneity == 1 && line.spanValues.has_value();
    m_bRegenSpans = m_bRegenShown ? 1 : 0;
    UpdateInhomControls();
    FillMatrixCombo();
}

void CVLPage3::OnMode(int mode)
{
    m_nInhomMode = mode;
    UpdateInhomControls();
}

void CVLPage3::OnSpanCountChanged()
{
    m_nSpanCount = ClampSpanCount(m_nSpanCount);
    UpdateInhomControls();
}

void CVLPage3::UpdateInhomControls()
{
    const bool active = m_nInhomMode != 0;
    for (int k = 0; k < 4; ++k)
        m_bModeEnabled[k] = m_policy.RadioEnabled(m_nInhomMode == k);
    m_bMode3Shown = false;
    m_bMatrixGroupEnabled = active;
    m_bMatrixComboEnabled = active && m_policy.CombosEnabled();
    m_bNewMatrixEnabled = m_bMatrixComboEnabled && HasItemEditor(kCatMatrices);
    m_bMatrixParamsEnabled = active && !m_pVLine->matrix.name.empty() && HasItemEditor(kCatMatrices);
    m_bSpanEditsEnabled = active;
    m_strCountLabel = m_nInhomMode <= 1 ? "Число рассматриваемых пролетов" : "Число участков разбиения полупролета";
    m_bDeviationLabelEnabled = m_nInhomMode == 1;
    m_bDeviationEnabled = m_nInhomMode == 1 && m_nSpanCount > 1;
    m_bRegenEnabled = m_nInhomMode == 1;
}

void CVLPage3::FillMatrixCombo()
{
    const int order = Order();
    m_matrixCombo.Fill<CMatrix>(g_TaskBase.matrices, g_CurBase.matrices,
                                [order](const CMatrix& m) { return m.n == order; });
    m_matrixCombo.Sort();
    SelectLineMatrix();
}

void CVLPage3::SelectLineMatrix()
{
    const std::string& name = m_pVLine->matrix.name;
    m_nMatrixChoice = name.empty() ? -1 : m_matrixCombo.Find(name);
    m_bMatrixParamsEnabled = m_nInhomMode != 0 && !name.empty() && HasItemEditor(kCatMatrices);
}

void CVLPage3::TakeMatrix(const CMatrix& matrix, bool spread)
{
    m_pVLine->matrix.Copy(matrix);
    if (spread) {
        StoreCatalogItem(matrix);
        FillMatrixCombo();
        if (m_pDoc)
            SpreadMatrix(m_pDoc->elements, matrix, m_nElementIndex);
    }
    SelectLineMatrix();
}

void CVLPage3::OnSelchangeMatrix(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(m_matrixCombo.entries.size())) {
        m_pVLine->matrix.Clear();
        m_nMatrixChoice = -1;
        m_bMatrixParamsEnabled = false;
        return;
    }
    const int data = m_matrixCombo.entries[static_cast<std::size_t>(entry)].data;
    if (DecodeItemData(data).source != ComboChoice::OtherBase) {
        if (const CMatrix* matrix = ChosenItem(g_TaskBase.matrices, g_CurBase.matrices, data))
            TakeMatrix(*matrix, false);
        return;
    }
    COtherCatalogRequest road(kCatMatrices, m_OtherBase, m_strOtherBasePath, Order());
    road.DoModal();
    const CMatrix* picked = road.outcome == COtherCatalogRequest::Picked ? road.PickedMatrix() : nullptr;
    if (picked && picked->n == Order()) {
        const CMatrix matrix = *picked;
        TakeMatrix(matrix, true);
    } else {
        SelectLineMatrix();
    }
}

void CVLPage3::OnNewMatrix()
{
    EditMatrix(CMatrix());
}

void CVLPage3::OnMatrixParams()
{
    CMatrix matrix;
    matrix.Copy(m_pVLine->matrix);
    EditMatrix(matrix);
}

void CVLPage3::EditMatrix(CMatrix matrix)
{
    matrix.n = static_cast<std::uint8_t>(Order());
    CItemEditRequest request;
    request.category = kCatMatrices;
    request.item = &matrix;
    request.mode = static_cast<std::uint8_t>(m_policy.ItemEditorMode(2, 1));
    if (request.DoModal() == IDOK && m_policy.Editing())
        TakeMatrix(matrix, true);
}

bool CVLPage3::OnKillActive()
{
    if (m_bControlsInvalid)
        return false;
    CVLine& line = *m_pVLine;
    m_nSpanCount = ClampSpanCount(m_nSpanCount);
    // Spans drawn for another mode or count no longer belong to the line.
    if (line.inhomogeneity != m_nInhomMode || line.pieces != m_nSpanCount)
        line.spanValues.reset();
    const bool needSpans = !line.spanValues && m_nSpanCount > 0;
    line.inhomogeneity = static_cast<std::uint8_t>(m_nInhomMode);
    if (m_nInhomMode == 1 && m_nSpanCount > 0 && (needSpans || m_bRegenSpans)) {
        // The calculation's own generator: one span byte 0..255 per span.
        std::vector<std::uint8_t> spans(m_nSpanCount);
        for (auto& v : spans)
            v = DrawSpanValue();
        line.spanValues = std::move(spans);
    }
    line.spanMean = m_fMeanSpan;
    line.pieces = static_cast<std::uint16_t>(m_nSpanCount);
    line.spanDeviation = m_fSpanDeviation;
    return true;
}
