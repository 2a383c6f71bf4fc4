// The tract report: header, then the attenuation and group-delay table, the
// input-impedance table and the mismatch-attenuation table as the view mode's
// mask asks, in the screen, Word and Excel layouts.
#include "results/reporttext.h"

#include "model/results.h"
#include "results/quantities.h"
#include "results/reportformat.h"

using L = ReportLayout;

void ReportText::AppendHeader(ReportLayout layout, const TaskHeader& h, bool modal)
{
    const char* path = h.pathName.c_str();
    const char* base = h.basePath.c_str();
    const char* title = h.title.c_str();
    // The three header lines keep their points in every layout: paths and
    // titles are no numbers.
    if (layout == L::Screen) {
        Emit(layout, StrFormat("Файл: %s", path));
        Emit(layout, StrFormat("База данных: %s", base));
        Emit(layout, StrFormat("Задача: \"%s\" ", title));
        return;
    }
    Emit(layout, StrFormat("Файл:\t%s", path));
    Emit(layout, StrFormat("База данных:\t%s", base));
    if (layout == L::Word)
        Emit(layout, StrFormat("Задача: \"%s\" ", title));
    else if (modal)
        Emit(layout, StrFormat("Задача:\t\"%s\"", title));
    else
        Emit(layout, StrFormat("Задача:\t\"%s\" ", title));
}

void ReportText::AppendTractReport(ReportLayout layout, const TaskHeader& header, const ConnectionNames& names,
                                   const CRezGra& result, std::uint8_t viewMode)
{
    AppendHeader(layout, header, false);
    const ResultNameParts when = SplitResultName(result.name);
    switch (layout) {
    case L::Screen:
        Emit(layout, StrFormat("Параметры тракта. Расчет от %s", result.name.c_str()));
        Emit(layout, StrFormat(" Подключение %s", ConnectionText(result.mode, names).c_str()));
        if (result.mode == 3)
            Emit(layout, ReportFormat("Сопротивление заземления нейтрали = %g Ом", result.resistance));
        break;
    case L::Word:
        Emit(layout, StrFormat("Параметры тракта. Расчет от %s", result.name.c_str()));
        Emit(layout, StrFormat(" Подключение %s",
                               WordConnectionText(result.mode, result.txWire1, result.txWire2, result.rxWire1,
                                                  result.rxWire2)
                                   .c_str()));
        if (result.mode == 3)
            Emit(layout, ReportFormat("Сопротивление заземления нейтрали = %g Ом", result.resistance));
        break;
    case L::Excel:
        Emit(layout, StrFormat("Параметры тракта\t\tРасчет от\t%s\t%s", when.date.c_str(), when.time.c_str()));
        Emit(layout, StrFormat("Подключение\t\t%s", ConnectionText(result.mode, names).c_str()));
        if (result.mode == 3)
            EmitNumbers(layout, ReportFormat("Сопротивление заземления нейтрали\t\t\t%g\tОм", result.resistance));
        break;
    }
    if (viewMode & 1)
        AppendAttenuationTable(layout, result);
    if (viewMode & 2)
        AppendImpedanceTable(layout, result);
    if (viewMode & 4)
        AppendMismatchTable(layout, result);
}

void ReportText::AppendAttenuationTable(ReportLayout layout, const CRezGra& result)
{
    Emit(layout, "Затухание и искажение группового времени запаздывания");
    if (layout == L::Screen) {
        Emit(layout, "  Частота     Затухание  Запаздывание");
        Emit(layout, "    кГц          Дб          мсек");
    } else if (layout == L::Word) {
        Emit(layout, " Частота   \tЗатухание \tЗапаздывание");
        Emit(layout, "   кГц         \tДб         \tмсек");
    } else {
        Emit(layout, "Частота\tЗатухание\tЗапаздывание");
        Emit(layout, "кГц\tДб\tмсек");
    }
    // The delay belongs to the interval to the next point: the last row has
    // none, and neither has any row of a result whose frequencies coincide.
    for (std::size_t i = 0; i < result.PointCount(); ++i) {
        const CRezGraPoint& p = result.points[i];
        const double f = p.freq * 0.001;
        double delay = 0.0;
        const bool hasDelay = ResultGroupDelayMs(result, i, delay);
        std::string row;
        switch (layout) {
        case L::Screen:
            row = ReportFormat(" %7.2f%13.5g", f, p.transfer.re);
            if (hasDelay)
                row += ReportFormat("%13.5g", delay);
            break;
        case L::Word:
            row = ReportFormat(" %.2f  \t%.5g", f, p.transfer.re);
            row += hasDelay ? ReportFormat("  \t%.5g", delay) : std::string(" -");
            break;
        case L::Excel:
            row = ReportFormat("%.2f\t%.5g", f, p.transfer.re);
            if (hasDelay)
                row += ReportFormat("\t%.5g", delay);
            break;
        }
        EmitNumbers(layout, std::move(row));
    }
}

void ReportText::AppendImpedanceTable(ReportLayout layout, const CRezGra& result)
{
    Emit(layout, "Входное сопротивление");
    const char* rowFormat = nullptr;
    if (layout == L::Screen) {
        Emit(layout, "  Частота            Слева                     Справа");
        Emit(layout, "    кГц      Модуль(Ом) Аргумент(рад)   Модуль(Ом) Аргумент(рад)");
        rowFormat = " %7.2f%13.5g%13.5g%13.5g%13.5g";
    } else if (layout == L::Word) {
        Emit(layout, " Частота       \tСлева     \t\tСправа");
        Emit(layout, "   кГц  \tМодуль(Ом)\tАргумент(рад)  \tМодуль(Ом)\tАргумент(рад)");
        rowFormat = " %.2f \t%.5g \t%.5g \t%.5g \t%.5g";
    } else {
        Emit(layout, "Частота\tСлева\t\tСправа");
        Emit(layout, "кГц\tМод(Ом)\tАрг(рад)\tМод(Ом)\tАрг(рад)");
        rowFormat = "%.2f\t%.5g\t%.5g\t%.5g\t%.5g";
    }
    for (const CRezGraPoint& p : result.points)
        EmitNumbers(layout, ReportFormat(rowFormat, p.freq * 0.001, Abs(p.zLeft), Arg(p.zLeft), Abs(p.zRight),
                                         Arg(p.zRight)));
}

void ReportText::AppendMismatchTable(ReportLayout layout, const CRezGra& result)
{
    Emit(layout, "Затухание несогласованности");
    Emit(layout, "  Частота       Слева        Справа");
    Emit(layout, "    кГц          Дб            Дб");
    const char* rowFormat = layout == L::Screen ? " %7.2f%13.5g%13.5g"
                            : layout == L::Word ? " %7.2f  \t%.5g  \t%.5g"
                                                : " %7.2f\t%.5g\t%.5g";
    for (std::size_t i = 0; i < result.PointCount(); ++i)
        EmitNumbers(layout, ReportFormat(rowFormat, result.points[i].freq * 0.001, ResultMismatchLeft(result, i),
                                         ResultMismatchRight(result, i)));
}
