#include "calc/bypass.h"
#include "calc/couplingdevice.h"
#include "calc/simplecheck.h"
#include "calc/simplemodels.h"
#include "calc/vline.h"
#include "channeltest.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/shunts.h"

#include <functional>
#include <memory>

using namespace calctest;
using namespace channeltest;

namespace {

class SimpleCheckTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }
};

template <class T>
T& Give(CElement& e, int type, int wires)
{
    e.SetType(type);
    e.wirePositions = std::uint8_t(wires);
    auto d = std::make_unique<T>();
    T& ref = *d;
    e.data = std::move(d);
    return ref;
}

CFiltr GoodFilter()
{
    CFiltr f;
    f.name = "ФП-1";
    f.type = 0;
    f.L[0] = f.L[1] = 1e-3;
    f.ratio = 0.9;
    return f;
}

::testing::AssertionResult Refused(const std::string& message, int number, const std::string& part)
{
    const std::string head = "Ошибка в данных элемента N " + std::to_string(number) + ":\n";
    if (message.rfind(head, 0) != 0 || message.find(part) == std::string::npos ||
        message.find(".\nРасчет невозможен.") == std::string::npos)
        return ::testing::AssertionFailure() << "message: " << message;
    return ::testing::AssertionSuccess();
}

TEST_F(SimpleCheckTest, WireNumbersAgainstTheElement)
{
    CElement e;
    CEShunt& d = Give<CEShunt>(e, kShuntImpedance, 3);
    CShunt b;
    b.firstWire = 0, b.secondWire = 2;
    d.branches = {b};
    EXPECT_EQ(CheckSimpleElementData(e, 4), "");
    d.branches[0].secondWire = 3;
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 4), 4, "проводу 4"));
    // The series element reads the first wire only.
    e.type = kSeriesImpedance;
    EXPECT_EQ(CheckSimpleElementData(e, 4), "");
    d.branches[0].firstWire = 5;
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 4), 4, "проводу 6"));

    CElement u;
    CUpr& upr = Give<CUpr>(u, kCouplingDevice, 2);
    CPrisoed p;
    p.filter = GoodFilter();
    p.wire = 1;
    upr.devices = {p};
    EXPECT_EQ(CheckSimpleElementData(u, 1), "");
    upr.devices[0].wire = 2;
    EXPECT_TRUE(Refused(CheckSimpleElementData(u, 1), 1, "проводу 3"));
}

TEST_F(SimpleCheckTest, Transpositions)
{
    CElement e;
    CTransp& t = Give<CTransp>(e, kTransposition, 4);
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 2), 2, "перестановка"));
    t.permutation = std::vector<std::uint8_t>{1, 0, 3, 2};
    t.count = 4;
    EXPECT_EQ(CheckSimpleElementData(e, 2), "");
    (*t.permutation)[2] = 4;
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 2), 2, "позицию 5"));
    (*t.permutation)[2] = 1;
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 2), 2, "два провода"));
    t.permutation = std::vector<std::uint8_t>{1, 0};
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 2), 2, "для 2 проводов из 4"));

    // A split conductor: three conductors on four positions.
    e.splitConductor = 1;
    t.permutation = std::vector<std::uint8_t>{2, 0, 1};
    EXPECT_EQ(CheckSimpleElementData(e, 2), "");
    (*t.permutation)[0] = 3;
    EXPECT_FALSE(CheckSimpleElementData(e, 2).empty());
    e.splitConductor = 3;
    t.permutation = std::vector<std::uint8_t>{2, 0, 1};
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 2), 2, "расщепленный"));
}

TEST_F(SimpleCheckTest, FiltersAndCables)
{
    CElement u;
    CUpr& upr = Give<CUpr>(u, kCouplingDevice, 3);
    CPrisoed p;
    p.filter = GoodFilter();
    p.filter.type = 4;  // needs C1, C2 and L1
    upr.devices = {p};
    EXPECT_TRUE(Refused(CheckSimpleElementData(u, 7), 7, "Фильтр присоединения \"ФП-1\" (тип 5): не заданы"));
    EXPECT_NE(CheckSimpleElementData(u, 7).find("C1, C2"), std::string::npos);

    upr.devices[0].filter = GoodFilter();
    upr.devices[0].cableLength = 100;  // a cable with length needs its data
    EXPECT_TRUE(Refused(CheckSimpleElementData(u, 7), 7, "ВЧ кабель"));

    // The filters of bypass lines are checked the same way.
    CElement b;
    CEObhod& obh = Give<CEObhod>(b, kBypass, 3);
    CObhod line;
    line.filters[0] = line.filters[1] = GoodFilter();
    obh.lines = {line};
    EXPECT_EQ(CheckSimpleElementData(b, 9), "");
    obh.lines[0].filters[1].ratio = 0;
    EXPECT_TRUE(Refused(CheckSimpleElementData(b, 9), 9, "коэффициент связи"));
}

TEST_F(SimpleCheckTest, AttachedCircuitEndCoversEveryWire)
{
    CElement e;
    CEndMod& d = Give<CEndMod>(e, kAttachedEnd, 3);
    d.kind = 4;
    d.count = 3;
    d.r = std::vector<double>{75, 75, 75};
    EXPECT_EQ(CheckSimpleElementData(e, 5), "");
    d.c = std::vector<double>{1e-9};
    EXPECT_TRUE(Refused(CheckSimpleElementData(e, 5), 5, "3 проводов"));
    d.kind = 1;  // reads R alone
    EXPECT_EQ(CheckSimpleElementData(e, 5), "");
    d.count = 2;
    EXPECT_FALSE(CheckSimpleElementData(e, 5).empty());
    d.kind = 2;  // grounded: no values needed
    EXPECT_EQ(CheckSimpleElementData(e, 5), "");
}

// The element's own model at 100 kHz gives finite values only.
bool ModelIsFinite(CElement& e)
{
    SetFrequency(1e5);
    const int n = e.wirePositions;
    TwoPortStorage s(n);
    const TwoPortBlocks b = s.blocks();
    unsigned char regenerate = 0;
    switch (e.type) {
    case kCouplingDevice:
        CalcUprMatrices(e, b, kUprInner);
        break;
    case kShuntImpedance:
        BuildShuntElement(e, b.Y0);
        break;
    case kSeriesImpedance:
        BuildSeriesElement(e, b);
        break;
    case kBypass:
        CalcEObhodMatrices(e, b);
        break;
    case kAttachedEnd:
        BuildAttachedEndLoad(*e.Data<CEndMod>(), b.Y0, n);
        break;
    case kOverheadLine:
        CalcVLineElement(e, b, &regenerate);
        break;
    default:
        return false;
    }
    for (const CComplex* m : {b.Y0, b.Y1, b.Y2})
        for (int k = 0; k < n * n; ++k)
            if (!std::isfinite(m[k].re) || !std::isfinite(m[k].im))
                return false;
    return g_MatError == 0;
}

TEST_F(SimpleCheckTest, NegativeLossesThatWouldGiveGainAreRefusedBeforeARun)
{
    // Each element passes as built; the change makes a loss negative where
    // its model reads it (a passive part would give power: refused), or
    // negative where the model leaves the branch out, or 0 (lossless or
    // absent: calculated, with finite values).  A negative R in an R-L branch
    // is read from R + L > 0 on: -1 mohm with 10 mH.  A value that is NaN or
    // infinite is refused wherever it is read, also where NaN would make a
    // branch look absent.
    const double kR = -1e-3, kL = 1e-2;
    auto device = [](CElement& e) -> CPrisoed& {
        CUpr& upr = Give<CUpr>(e, kCouplingDevice, 1);
        CPrisoed p;
        p.filter = GoodFilter();
        p.cable = HfCable();
        p.cableLength = 100;
        p.r = 75;
        upr.devices = {p};
        return upr.devices[0];
    };
    // A filter of type 7 with R<i> = -5 and L<i> as given.
    auto type7 = [&](CElement& e, int i, double L) -> CFiltr& {
        CFiltr& f = device(e).filter;
        f.type = 6, f.C[0] = 1e-9, f.resistors[0] = 10;
        f.resistors[i - 1] = -5, f.L[i - 1] = L;
        return f;
    };
    auto traps = [](CElement& e, int type) -> CZagrad& {
        CEShunt& d = Give<CEShunt>(e, type, 1);
        d.trapKind = 1;
        d.branches.resize(1);
        d.branches[0].trap = LineTrap();
        return d.branches[0].trap;
    };
    auto branch = [](CElement& e, int type, double r, double l, double c = 0) {
        CShunt& b = Give<CEShunt>(e, type, 1).branches.emplace_back();
        b.r = r, b.l = l, b.c = c;
    };
    auto attachedEnd = [](CElement& e, int kind) -> CEndMod& {
        CEndMod& d = Give<CEndMod>(e, kAttachedEnd, 2);
        d.kind = std::uint8_t(kind), d.count = 2, d.r = std::vector<double>{75, -75};
        return d;
    };
    auto bypass = [](CElement& e) -> CEObhod& {
        CEObhod& d = Give<CEObhod>(e, kBypass, 1);
        d.n = 1;
        d.lines = {BypassLine(0, 0)};
        d.traps[0].branches.resize(1);
        d.traps[0].branches[0].trap = LineTrap();
        d.traps[1] = d.traps[0];
        return d;
    };
    auto line = [](CElement& e) -> CVLine& { return Give<CVLine>(e, kOverheadLine, 3) = MakeVLine(kRowX, kRowY); };
    const std::string kNotFinite = ": значение не является конечным числом";
    const struct {
        const char* what;
        std::function<void(CElement&)> make;
        std::string refusal;  // empty: calculated
    } cases[] = {
        {"HF cable attenuation", [&](CElement& e) { device(e).cable.radius = -0.01; },
         "затухание ВЧ кабеля \"РК-75\" отрицательно"},
        {"lossless HF cable", [&](CElement& e) { device(e).cable.radius = 0; }, ""},
        {"HF cable length", [&](CElement& e) { device(e).cableLength = -1000; },
         "длина ВЧ кабеля \"РК-75\" отрицательна"},
        {"equipment R",
         [&](CElement& e) {
             CPrisoed& d = device(e);
             d.r = kR, d.l = kL;
         },
         "сопротивление аппаратуры устройства присоединения к проводу 1 отрицательно"},
        {"equipment without an R-L branch", [&](CElement& e) { device(e).r = -75; }, ""},
        {"filter R of type 4", [&](CElement& e) { device(e).filter = ResistorFilter(-20); },
         "Фильтр присоединения \"ФП-R\" (тип 4): сопротивление R отрицательно"},
        {"filter R2 of type 7",
         [&](CElement& e) {
             CFiltr& f = device(e).filter;
             f.type = 6, f.C[0] = 1e-9, f.resistors[0] = 10, f.resistors[1] = -5;
         },
         "(тип 7): сопротивление R2 отрицательно"},
        {"filter R1 of type 7", [&](CElement& e) { type7(e, 1, 1e-3); }, "(тип 7): сопротивление R1 отрицательно"},
        {"filter R3 of type 7", [&](CElement& e) { type7(e, 3, 0); }, "(тип 7): сопротивление R3 отрицательно"},
        {"filter R4 of type 7", [&](CElement& e) { type7(e, 4, 1e-3); }, "(тип 7): сопротивление R4 отрицательно"},
        {"filter R5 of type 7", [&](CElement& e) { type7(e, 5, 1e-3); }, "(тип 7): сопротивление R5 отрицательно"},
        {"type 7 without L2 and C2", [&](CElement& e) { type7(e, 2, 0); }, ""},
        {"type 7 with C2 alone", [&](CElement& e) { type7(e, 2, 0).C[1] = 1e-9; }, ""},
        {"type 7 without L4", [&](CElement& e) { type7(e, 4, 0); }, ""},
        {"type 7 without L5", [&](CElement& e) { type7(e, 5, 0); }, ""},
        {"trap R in a series element",
         [&](CElement& e) {
             CZagrad& t = traps(e, kSeriesImpedance);
             t.scheme = 1, t.R = -600;
         },
         "сопротивление R заградителя \"ВЗ-630\" отрицательно"},
        {"trap without R", [&](CElement& e) { traps(e, kSeriesImpedance).R = 0; }, ""},
        {"trap R in a shunt element",
         [&](CElement& e) {
             CZagrad& t = traps(e, kShuntImpedance);
             t.scheme = 2, t.R = -600;
         },
         "сопротивление R заградителя"},
        {"trap of scheme 0: R only when positive", [&](CElement& e) { traps(e, kSeriesImpedance).R = -600; }, ""},
        {"trap of scheme 1 without C3",
         [&](CElement& e) {
             CZagrad& t = traps(e, kShuntImpedance);
             t.scheme = 1, t.C3 = 0, t.R = -600;
         },
         ""},
        {"branch R", [&](CElement& e) { branch(e, kShuntImpedance, kR, kL); }, "сопротивление ветви 1 отрицательно"},
        {"branch R in a series element", [&](CElement& e) { branch(e, kSeriesImpedance, kR, kL); },
         "сопротивление ветви 1 отрицательно"},
        {"shunt branch read as a short", [&](CElement& e) { branch(e, kShuntImpedance, -5, 1e-3); }, ""},
        {"series branch read as a break", [&](CElement& e) { branch(e, kSeriesImpedance, -5, 1e-3); }, ""},
        {"series branch without its R-L term", [&](CElement& e) { branch(e, kSeriesImpedance, -5, kL, 1e-9); }, ""},
        {"trap R in a bypass",
         [&](CElement& e) {
             CZagrad& t = bypass(e).traps[1].branches[0].trap;
             t.scheme = 1, t.R = -600;
         },
         "сопротивление R заградителя"},
        {"bypass in the field: the route's attenuation",
         [&](CElement& e) {
             CEObhod& d = bypass(e);
             d.kind = 1;
             d.lines[0].lengthBefore = 0, d.lines[0].cables[0].radius = -0.01;
         },
         "затухание ВЧ кабеля"},
        {"bypass equipment R",
         [&](CElement& e) {
             CObhod& line = bypass(e).lines[0];
             line.equipment = 1, line.r = kR, line.l = kL;
         },
         "сопротивление аппаратуры линии обхода 1 отрицательно"},
        {"bypass equipment without an R-L branch",
         [&](CElement& e) {
             CObhod& line = bypass(e).lines[0];
             line.equipment = 1, line.r = -75;
         },
         ""},
        {"attached end R",
         [&](CElement& e) {
             CEndMod& d = attachedEnd(e, 4);
             d.r = std::vector<double>{75, kR}, d.l = std::vector<double>{0, kL};
         },
         "сопротивление нагрузки провода 2 отрицательно"},
        {"attached end of R, L and C without L and C", [&](CElement& e) { attachedEnd(e, 4); }, ""},
        {"resistive attached end: R only when positive", [&](CElement& e) { attachedEnd(e, 1); }, ""},
        {"wire twist coefficient",
         [&](CElement& e) {
             CVLine& l = Give<CVLine>(e, kOverheadLine, 3) = MakeVLine(kRowX, kRowY);
             (*l.wireArray)[1].wireType.twist = -1;
         },
         "коэффициент скрутки провода 2 отрицателен"},
        {"lossless wire",
         [&](CElement& e) {
             CVLine& l = Give<CVLine>(e, kOverheadLine, 3) = MakeVLine(kRowX, kRowY);
             (*l.wireArray)[1].wireType.twist = 0;
         },
         ""},
        {"cable loss tangent",
         [&](CElement& e) { (Give<CKLine>(e, kCableLine, 3) = MakeSolidKLine(1, 2000)).solidCable.tanOuter = -0.001; },
         "тангенс угла потерь оболочки отрицателен"},
        {"line length +inf", [&](CElement& e) { line(e).length = INFINITY; }, "длина линии" + kNotFinite},
        {"earth resistivity +inf", [&](CElement& e) { line(e).earthRho1 = INFINITY; },
         "удельное сопротивление земли" + kNotFinite},
        {"wire twist NaN", [&](CElement& e) { (*line(e).wireArray)[1].wireType.twist = NAN; },
         "провод 2, коэффициент скрутки" + kNotFinite},
        {"wire resistivity +inf", [&](CElement& e) { (*line(e).wireArray)[1].wireType.resistivity = INFINITY; },
         "провод 2, удельное сопротивление" + kNotFinite},
        {"cable loss tangent NaN",
         [&](CElement& e) { (Give<CKLine>(e, kCableLine, 3) = MakeSolidKLine(1, 2000)).solidCable.tanOuter = NAN; },
         "параметры кабеля"},
        {"equipment R NaN", [&](CElement& e) { device(e).r = NAN; },
         "аппаратура устройства присоединения к проводу 1, R" + kNotFinite},
        {"HF cable length +inf", [&](CElement& e) { device(e).cableLength = INFINITY; },
         "длина ВЧ кабеля \"РК-75\"" + kNotFinite},
        {"HF cable attenuation NaN", [&](CElement& e) { device(e).cable.radius = NAN; },
         "затухание ВЧ кабеля \"РК-75\"" + kNotFinite},
        {"HF cable wave impedance -inf", [&](CElement& e) { device(e).cable.resistivity = -INFINITY; },
         "ВЧ кабель \"РК-75\", волновое сопротивление" + kNotFinite},
        {"filter L1 NaN", [&](CElement& e) { device(e).filter.L[0] = NAN; }, "(тип 1), L1" + kNotFinite},
        {"filter ratio +inf", [&](CElement& e) { device(e).filter.ratio = INFINITY; },
         "(тип 1), коэффициент связи" + kNotFinite},
        {"type 7 R5 NaN without L5", [&](CElement& e) { type7(e, 5, 0).resistors[4] = NAN; },
         "(тип 7), R5" + kNotFinite},
        {"trap of scheme 0: R NaN", [&](CElement& e) { traps(e, kSeriesImpedance).R = NAN; },
         "заградитель \"ВЗ-630\", R" + kNotFinite},
        {"branch R NaN", [&](CElement& e) { branch(e, kShuntImpedance, NAN, kL); }, "ветвь 1, R" + kNotFinite},
        {"tap load capacitance +inf",
         [&](CElement& e) {
             CNagrOtv& d = Give<CNagrOtv>(e, kTapLoad, 1);
             d.mode = 2, d.capacitance = INFINITY;
         },
         "эквивалентная емкость нагрузки ответвления" + kNotFinite},
        {"bypass equipment R NaN",
         [&](CElement& e) {
             CObhod& line = bypass(e).lines[0];
             line.equipment = 1, line.r = NAN;
         },
         "аппаратура линии обхода 1, R" + kNotFinite},
        {"bypass equivalent C NaN", [&](CElement& e) { bypass(e).equivalentCapacitance = NAN; },
         "эквивалентная емкость сборных шин" + kNotFinite},
        {"bypass mutual busbar C NaN", [&](CElement& e) { bypass(e).triangle = std::vector<double>{1e-12, NAN}; },
         "взаимная емкость сборных шин" + kNotFinite},
        {"shunt substation C +inf", [&](CElement& e) { Give<CEShunt>(e, kShuntImpedance, 1).capacitance = INFINITY; },
         "эквивалентная емкость подстанции" + kNotFinite},
        {"resistive attached end: R NaN", [&](CElement& e) { (*attachedEnd(e, 1).r)[1] = NAN; },
         "нагрузка провода 2, R" + kNotFinite},
    };
    for (const auto& c : cases) {
        CElement e;
        c.make(e);
        const std::string message = CheckCalcElement(e, 6);
        if (!c.refusal.empty()) {
            EXPECT_TRUE(Refused(message, 6, c.refusal)) << c.what;
        } else {
            EXPECT_EQ(message, "") << c.what;
            EXPECT_TRUE(ModelIsFinite(e)) << c.what;
        }
    }
}

} // namespace
