// The modal-parameter report of one line element: its mode matrices, the
// propagation constants, the modal wave impedances and the wave impedance and
// admittance matrices in phase coordinates, in the screen, Word and Excel
// layouts.
#include "results/reporttext.h"

#include "math/matrix.h"
#include "model/results.h"
#include "results/reportformat.h"

#include <vector>

using L = ReportLayout;

void ReportText::AppendModalReport(ReportLayout layout, const TaskHeader& header, bool overheadLine,
                                   const std::string& elementName, const CRezMod& result)
{
    AppendHeader(layout, header, true);
    Emit(layout, "Модальные параметры");
    const int number = result.position + 1;
    if (layout == L::Excel)
        Emit(layout, overheadLine ? StrFormat("Воздушная линия\t\t(ВЛ%d)", number)
                                  : StrFormat("Кабельная линия\t\t(КЛ%d)", number));
    else
        Emit(layout, overheadLine ? StrFormat("Воздушная линия (ВЛ%d)", number)
                                  : StrFormat("Кабельная линия (КЛ%d)", number));
    Emit(layout, elementName);
    if (layout == L::Excel) {
        const ResultNameParts when = SplitResultName(result.name);
        Emit(layout, StrFormat("Расчетная частота\t\t%s\tкГц\tРасчет от\t%s\t%s",
                               Number(layout, "%g", result.freq * 0.001).c_str(), when.date.c_str(),
                               when.time.c_str()));
    } else {
        Emit(layout, ReportFormat("Расчетная частота %g кГц. Расчет от %s", result.freq * 0.001,
                                  result.name.c_str()));
    }
    AppendModalMatrices(layout, result);
}

void ReportText::AppendModalMatrices(ReportLayout layout, const CRezMod& result)
{
    // A record whose arrays do not hold its order (only a damaged file has
    // one) prints no matrices rather than reading past them.
    const std::size_t m = result.m;
    if (m == 0 || result.V.size() < m * m || result.U.size() < m * m || result.gamma.size() < m ||
        result.y.size() < m)
        return;
    const std::uint8_t n = result.m;
    const int order = int(m);
    PrintMatrix(layout, "Lambda", result.V.data(), n, n, 1);
    PrintMatrix(layout, "Delta", result.U.data(), n, n, 1);
    PrintMatrix(layout, "Gamma", result.gamma.data(), 1, n, 0);

    std::vector<CComplex> waveZ(m);
    VecReciprocal(result.y.data(), waveZ.data(), order);
    PrintMatrix(layout, "Z волновое", waveZ.data(), 1, n, 1);

    // Zc = Lambda * diag(1 / y) * Delta^-1 and Yc = Zc^-1.  A singular Delta or
    // Zc is said as such instead of printing the remains of an elimination;
    // the calculation's matrix error flag is left as it was found.
    static const std::string kZcCaption = "Z волновое в фазных координатах";
    static const std::string kYcCaption = "Y волновое в фазных координатах";
    const unsigned char savedError = g_MatError;
    std::vector<CComplex> deltaInv(m * m), product(m * m), zc(m * m);
    g_MatError = 0;
    MatInverse(result.U.data(), deltaInv.data(), order);
    if (g_MatError != 0) {
        PrintSingular(layout, kZcCaption);
        PrintSingular(layout, kYcCaption);
    } else {
        MatMulDiagRight(result.V.data(), waveZ.data(), product.data(), order);
        MatMul(product.data(), deltaInv.data(), zc.data(), order, order, order);
        PrintMatrix(layout, kZcCaption, zc.data(), n, n, 1);
        g_MatError = 0;
        MatInverse(zc.data(), zc.data(), order);
        if (g_MatError != 0)
            PrintSingular(layout, kYcCaption);
        else
            PrintMatrix(layout, kYcCaption, zc.data(), n, n, 1);
    }
    g_MatError = savedError;
}
