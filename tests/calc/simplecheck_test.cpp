#include "calc/simplecheck.h"
#include "calctest.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/shunts.h"

#include <memory>

using namespace calctest;

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

} // namespace
