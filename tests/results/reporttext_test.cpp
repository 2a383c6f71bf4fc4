#include "decimalcomma.h"
#include "math/matrix.h"
#include "model/results.h"
#include "results/reporttext.h"
#include "resultstest.h"

#include <clocale>
#include <cmath>
#include <limits>

namespace {

using Lines = std::vector<std::string>;

const TaskHeader kHeader{"/home/u/tasks/line.1.ktf", "/bases/main.kdb", "Тракт 1.5"};
const ConnectionNames kNames{"1A", "1B", "B", "C"};

// Two points at 10 and 20 kHz; the left end is mismatched, the right end is
// matched at the first point (Z = R) and short of -R at the second (Z = -R).
CRezGra TwoPointResult(int mode)
{
    CRezGra r = MakeResult(10000, 20000, 2, [](CRezGraPoint& p, int j) {
        p.transfer = j == 0 ? CComplex(12.5, 0.0) : CComplex(20.25, 3.0);
        p.zLeft = CComplex(100, 50);
        p.zRight = j == 0 ? CComplex(75, 0) : CComplex(-75, 0);
    });
    r.name = "07.12.26 23:05";
    r.mode = std::uint8_t(mode);
    r.resistance = 12.5;
    r.zEndLeft = r.zEndRight = 75;
    r.txWire1 = 0;
    r.txWire2 = 1;
    r.rxWire1 = 0;
    r.rxWire2 = 1;
    return r;
}

Lines Tract(ReportLayout layout, const CRezGra& r, int viewMode, int comma = 0)
{
    ReportText t;
    t.decimalComma = &comma;
    t.AppendTractReport(layout, kHeader, kNames, r, std::uint8_t(viewMode));
    return layout == ReportLayout::Screen ? t.screenLines : t.copyLines;
}

// A modal result of order m: Lambda = 2 I, Delta = I / 2 (or zero), gamma and
// the wave admittances 0.004 on every mode.
CRezMod ModalResult(int m, bool singularDelta = false)
{
    CRezMod r;
    r.name = "07.12.26 23:05";
    r.position = 2;
    r.freq = 100000;
    r.m = std::uint8_t(m);
    r.AllocArrays();
    for (int i = 0; i < m; ++i) {
        r.V[std::size_t(i * m + i)] = CComplex(2, 0);
        r.U[std::size_t(i * m + i)] = singularDelta ? CComplex() : CComplex(0.5, 0);
        r.gamma[std::size_t(i)] = CComplex(0.001, 0.2);
        r.y[std::size_t(i)] = CComplex(0.004, 0);
    }
    return r;
}

Lines Modal(ReportLayout layout, const CRezMod& r)
{
    ReportText t;
    t.AppendModalReport(layout, kHeader, true, "ВЛ 110 кВ", r);
    return layout == ReportLayout::Screen ? t.screenLines : t.copyLines;
}

TEST(TractReport, ScreenGoldenLinesOfModeThree)
{
    const Lines expected = {
        "Файл: /home/u/tasks/line.1.ktf",
        "База данных: /bases/main.kdb",
        "Задача: \"Тракт 1.5\" ",
        "Параметры тракта. Расчет от 07.12.26 23:05",
        " Подключение 1A-1B/B-C",
        "Сопротивление заземления нейтрали = 12.5 Ом",
        "Затухание и искажение группового времени запаздывания",
        "  Частота     Затухание  Запаздывание",
        "    кГц          Дб          мсек",
        "   10.00         12.5     0.047746",
        "   20.00        20.25",
        "Входное сопротивление",
        "  Частота            Слева                     Справа",
        "    кГц      Модуль(Ом) Аргумент(рад)   Модуль(Ом) Аргумент(рад)",
        "   10.00        111.8      0.46365           75            0",
        "   20.00        111.8      0.46365           75       3.1416",
        "Затухание несогласованности",
        "  Частота       Слева        Справа",
        "    кГц          Дб            Дб",
        // Z = R and Z = -R: the calculation's infinite quantities, not "nan".
        "   10.00       10.253        1e+30",
        "   20.00       10.253       -1e+30",
    };
    EXPECT_EQ(Tract(ReportLayout::Screen, TwoPointResult(3), 7), expected);
}

TEST(TractReport, TablesOfTheMaskAndConnectionOfModeZero)
{
    const Lines all = Tract(ReportLayout::Screen, TwoPointResult(0), 7);
    const Lines some = Tract(ReportLayout::Screen, TwoPointResult(0), 5);
    ASSERT_EQ(all.size(), 5u + 5 + 5 + 5);  // no neutral line outside mode 3
    EXPECT_EQ(all[4], " Подключение 1A-0/B-0");
    // Mode 5: attenuation and mismatch, the impedance table left out.
    Lines expected(all.begin(), all.begin() + 10);
    expected.insert(expected.end(), all.begin() + 15, all.end());
    EXPECT_EQ(some, expected);
}

TEST(TractReport, DelayCorrectsOneTurnBeyondHalfATurn)
{
    // Phases 0, 3.0, 6.5, 3.0: steps of 3.0, 3.5 and -3.5 rad, 62.83 rad/ms
    // apart; the last two are wraps of the phase.
    const double phase[] = {0.0, 3.0, 6.5, 3.0};
    CRezGra r = MakeResult(10000, 40000, 4, [&](CRezGraPoint& p, int j) { p.transfer.im = phase[j]; });
    const Lines screen = Tract(ReportLayout::Screen, r, 1);
    ASSERT_EQ(screen.size(), 5u + 3 + 4);
    EXPECT_EQ(screen[8], "   10.00            0     0.047746");
    EXPECT_EQ(screen[9], "   20.00            0    -0.044296");
    EXPECT_EQ(screen[10], "   30.00            0     0.044296");
    EXPECT_EQ(screen[11], "   40.00            0");
    const Lines word = Tract(ReportLayout::Word, r, 1);
    EXPECT_EQ(word[8], " 10.00  \t0  \t0.047746");
    EXPECT_EQ(word[11], " 40.00  \t0 -");
    const Lines excel = Tract(ReportLayout::Excel, r, 1);
    EXPECT_EQ(excel[9], "20.00\t0\t-0.044296");
    EXPECT_EQ(excel[11], "40.00\t0");
}

TEST(TractReport, NoDelayWithoutAFrequencyStep)
{
    // One point, and several points at one frequency: no row has a delay.
    CRezGra one = MakeResult(10500, 10500, 1);
    EXPECT_EQ(Tract(ReportLayout::Screen, one, 7).size(), 5u + 4 + 4 + 4);
    EXPECT_EQ(Tract(ReportLayout::Screen, one, 1).back(), "   10.50            0");
    CRezGra flat = MakeResult(10000, 10000, 3, [](CRezGraPoint& p, int j) { p.transfer.im = j; });
    const Lines rows = Tract(ReportLayout::Screen, flat, 1);
    ASSERT_EQ(rows.size(), 5u + 3 + 3);
    for (std::size_t i = 8; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], "   10.00            0");
    EXPECT_EQ(Tract(ReportLayout::Word, flat, 1)[8], " 10.00  \t0 -");
}

TEST(TractReport, WordAndExcelHeaders)
{
    const Lines word = Tract(ReportLayout::Word, TwoPointResult(3), 1);
    EXPECT_EQ(word[0], "Файл:\t/home/u/tasks/line.1.ktf");
    EXPECT_EQ(word[2], "Задача: \"Тракт 1.5\" ");
    EXPECT_EQ(word[3], "Параметры тракта. Расчет от 07.12.26 23:05");
    EXPECT_EQ(word[4], " Подключение 1-2/1-2+R");
    EXPECT_EQ(word[5], "Сопротивление заземления нейтрали = 12.5 Ом");
    EXPECT_EQ(word[9], " 10.00  \t12.5  \t0.047746");
    EXPECT_EQ(word[10], " 20.00  \t20.25 -");

    // The decimal comma changes the numbers; the paths and the title keep
    // their points and the date its backslashes.
    const Lines excel = Tract(ReportLayout::Excel, TwoPointResult(3), 7, 1);
    EXPECT_EQ(excel[0], "Файл:\t/home/u/tasks/line.1.ktf");
    EXPECT_EQ(excel[1], "База данных:\t/bases/main.kdb");
    EXPECT_EQ(excel[2], "Задача:\t\"Тракт 1.5\" ");
    EXPECT_EQ(excel[3], "Параметры тракта\t\tРасчет от\t07\\12\\26\t23:05");
    EXPECT_EQ(excel[4], "Подключение\t\t1A-1B/B-C");
    EXPECT_EQ(excel[5], "Сопротивление заземления нейтрали\t\t\t12,5\tОм");
    EXPECT_EQ(excel[9], "10,00\t12,5\t0,047746");
    EXPECT_EQ(excel[14], "10,00\t111,8\t0,46365\t75\t0");
    EXPECT_EQ(excel[19], "   10,00\t10,253\t1e+30");
    // The Word copy never has commas, whatever the separator choice.
    EXPECT_EQ(Tract(ReportLayout::Word, TwoPointResult(3), 7, 1), Tract(ReportLayout::Word, TwoPointResult(3), 7));
}

TEST(TractReport, DamagedValuesPrintAsInfOrNan)
{
    CRezGra r = MakeResult(10000, 10000, 1, [](CRezGraPoint& p, int) {
        p.transfer.re = -std::numeric_limits<double>::quiet_NaN();
        p.zLeft = CComplex(std::numeric_limits<double>::infinity(), 0);
    });
    const Lines lines = Tract(ReportLayout::Screen, r, 3);
    EXPECT_EQ(lines[8], "   10.00          nan");
    EXPECT_EQ(lines[12].substr(0, 21), "   10.00          inf");
}

TEST(ModalReport, ScreenGoldenLinesOfOrderOne)
{
    const Lines expected = {
        "Файл: /home/u/tasks/line.1.ktf",
        "База данных: /bases/main.kdb",
        "Задача: \"Тракт 1.5\" ",
        "Модальные параметры",
        "Воздушная линия (ВЛ3)",
        "ВЛ 110 кВ",
        "Расчетная частота 100 кГц. Расчет от 07.12.26 23:05",
        "Lambda",
        "(         2, 0.0000) ",
        "Delta",
        "(       0.5, 0.0000) ",
        "Gamma",
        "(     0.001,       0.2) ",
        "Z волновое",
        "(       250,-0.0000) ",  // 1 / (0.004 + 0j) has a negative zero part
        "Z волновое в фазных координатах",
        "(      1000, 0.0000) ",
        "Y волновое в фазных координатах",
        "(     0.001,-0.0000) ",
    };
    EXPECT_EQ(Modal(ReportLayout::Screen, ModalResult(1)), expected);
}

TEST(ModalReport, SingularMatricesSaySoInEveryLayout)
{
    for (unsigned char before : {0, 2}) {
        g_MatError = before;
        for (ReportLayout layout : {ReportLayout::Screen, ReportLayout::Word, ReportLayout::Excel}) {
            const Lines delta = Modal(layout, ModalResult(2, true));
            const Lines tail(delta.end() - 4, delta.end());
            EXPECT_EQ(tail, (Lines{"Z волновое в фазных координатах", "  Матрица вырождена",
                                   "Y волновое в фазных координатах", "  Матрица вырождена"}));
            CRezMod zeroLambda = ModalResult(2);
            std::fill(zeroLambda.V.begin(), zeroLambda.V.end(), CComplex());
            const Lines zc = Modal(layout, zeroLambda);
            EXPECT_EQ(zc[zc.size() - 5], "Z волновое в фазных координатах");
            EXPECT_EQ(Lines(zc.end() - 2, zc.end()), (Lines{"Y волновое в фазных координатах", "  Матрица вырождена"}));
        }
        EXPECT_EQ(g_MatError, before);
    }
    g_MatError = 0;
}

TEST(ModalReport, MatricesInBlocksOfThreeColumns)
{
    ReportText t;
    std::vector<CComplex> a(25);
    for (int i = 0; i < 25; ++i)
        a[std::size_t(i)] = CComplex(i, 0);
    t.PrintMatrix("Lambda", a.data(), 5, 5, 0);
    ASSERT_EQ(t.screenLines.size(), 1u + 5 + 1 + 5);
    EXPECT_EQ(t.screenLines[1], "(         0,         0) (         1,         0) (         2,         0) ");
    EXPECT_EQ(t.screenLines[6], "Lambda (продолжение)");
    EXPECT_EQ(t.screenLines[7], "(         3,         0) (         4,         0) ");
    t.PrintMatrixWord("Delta", a.data(), 4, 4, 1);
    EXPECT_EQ(t.copyLines[1], "(         0 \t 0.0000) \t(         1 \t 0.0000) \t(         2 \t 0.0000)");
    EXPECT_EQ(t.copyLines[5], "Delta (continuation)");
    int comma = 1;
    t.decimalComma = &comma;
    t.copyLines.clear();
    a[0] = CComplex(1.5, -2.25);
    t.PrintMatrixExcel("Gamma", a.data(), 1, 7, 0);
    EXPECT_EQ(t.copyLines, (Lines{"Gamma", "1,5\t-2,25\t1\t0\t2\t0", "Gamma (продолжение)", "3\t0\t4\t0\t5\t0",
                                  "Gamma (продолжение)", "6\t0"}));
    t.PrintMatrix("None", a.data(), 3, 0, 0);
    EXPECT_EQ(t.screenLines.size(), 12u);
}

TEST(ModalReport, ExcelLines)
{
    int comma = 1;
    ReportText t;
    t.decimalComma = &comma;
    CRezMod r = ModalResult(1);
    r.freq = 12500;
    t.AppendModalReport(ReportLayout::Excel, kHeader, false, "КЛ 10.5", r);
    EXPECT_EQ(t.copyLines[2], "Задача:\t\"Тракт 1.5\"");
    EXPECT_EQ(t.copyLines[4], "Кабельная линия\t\t(КЛ3)");
    EXPECT_EQ(t.copyLines[5], "КЛ 10.5");
    EXPECT_EQ(t.copyLines[6], "Расчетная частота\t\t12,5\tкГц\tРасчет от\t07\\12\\26\t23:05");
    EXPECT_EQ(t.copyLines[8], "2\t0,0000");
}

// The copies are selected by screen line indices: every layout must give as
// many lines as the screen, matrix blocks included.
TEST(ReportLayouts, LineForLine)
{
    for (int viewMode = 1; viewMode <= 7; ++viewMode)
        for (int mode = 0; mode <= 3; ++mode) {
            const std::size_t n = Tract(ReportLayout::Screen, TwoPointResult(mode), viewMode).size();
            EXPECT_EQ(Tract(ReportLayout::Word, TwoPointResult(mode), viewMode).size(), n);
            EXPECT_EQ(Tract(ReportLayout::Excel, TwoPointResult(mode), viewMode).size(), n);
        }
    for (int m = 1; m <= 7; ++m)
        for (bool singular : {false, true}) {
            const std::size_t n = Modal(ReportLayout::Screen, ModalResult(m, singular)).size();
            EXPECT_EQ(Modal(ReportLayout::Word, ModalResult(m, singular)).size(), n);
            EXPECT_EQ(Modal(ReportLayout::Excel, ModalResult(m, singular)).size(), n);
        }
}

TEST(ReportLayouts, UnchangedUnderADecimalCommaLocale)
{
    const Lines before = Tract(ReportLayout::Screen, TwoPointResult(3), 7);
    const Lines modalBefore = Modal(ReportLayout::Excel, ModalResult(4));
    const DecimalCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    EXPECT_EQ(Tract(ReportLayout::Screen, TwoPointResult(3), 7), before);
    EXPECT_EQ(Modal(ReportLayout::Excel, ModalResult(4)), modalBefore);
}

} // namespace
