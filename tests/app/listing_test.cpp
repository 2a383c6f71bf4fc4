// The text listings of a task and of a catalog, line by line.
#include "app/cataloglisting.h"
#include "app/tasklisting.h"
#include "model/base.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/shunts.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// An element on the wires A, B, C, T of a one-circuit line.
template <class Data = CElementData>
Data* Add(CKestrinDoc& doc, int type, int x, bool entered = true)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->entered = entered;
    e->cellX = x;
    e->cellY = 3;
    e->wirePositions = 4;
    e->circuits = 1;
    e->groundWires = 1;
    for (int i = 0; i < 4; ++i)
        e->inMap[i] = e->outMap[i] = i;
    e->data = CreateElementData(type);
    Data* d = dynamic_cast<Data*>(e->data.get());
    doc.AppendElement(std::move(e));
    return d;
}

// The lines of an element: from its heading up to the next empty line.
Lines Block(const Lines& all, const std::string& heading)
{
    auto it = std::find(all.begin(), all.end(), heading);
    EXPECT_NE(it, all.end()) << heading;
    Lines block;
    for (; it != all.end() && !it->empty(); ++it)
        block.push_back(*it);
    return block;
}

struct ListingTest : ::testing::Test {
    void SetUp() override
    {
        ResetModelGlobals();
        doc.conductorCount = 4;
    }
    void TearDown() override { ResetModelGlobals(); }
    CKestrinDoc doc;
};

TEST_F(ListingTest, EmptyTaskHasNoLines)
{
    EXPECT_TRUE(TaskListing::Build(doc, "Линия", "/tmp/a.ktf").empty());
}

TEST_F(ListingTest, TaskHeadingAndElements)
{
    doc.basePath = "/data/main.kdb";
    CVLine* v = Add<CVLine>(doc, kOverheadLine, 1);
    v->length = 12500;
    v->tower.name = "П110";
    v->earthModel = 1;
    v->earthRho1 = 100;
    v->inhomogeneity = 1;
    v->pieces = 3;
    v->spanMean = 250;
    v->spanDeviation = 12.5;
    v->matrix.name = "M1";
    v->wireArray.emplace(2);
    (*v->wireArray)[0].wireType.name = "АС-70";
    (*v->wireArray)[0].sag = 3.5;
    (*v->wireArray)[1].wireType.name = "С-50";
    (*v->wireArray)[1].bundleCount = 2;
    (*v->wireArray)[1].bundleStep = 0.4;
    doc.elements.back()->name = "Участок 1";

    CEShunt* s = Add<CEShunt>(doc, kShuntImpedance, 2);
    s->capacitance = 2e-9;
    s->branches.resize(2);
    s->branches[0] = {};
    s->branches[0].r = 10;
    s->branches[0].l = 0.002;
    s->branches[0].c = 1e-9;
    s->branches[1].firstWire = 1;
    s->branches[1].secondWire = 2;

    CTransp* t = Add<CTransp>(doc, kTransposition, 3);
    t->count = 9; // more than the permutation holds
    t->permutation = std::vector<std::uint8_t>{1, 2, 0};

    Add(doc, kBranchingStart, 4);
    Add(doc, kCableLine, 5, false);
    Add(doc, kBranchingEnd, 6); // the invisible end of the first branch
    doc.elements.back()->circuitsAfter = 0;
    Add(doc, kCableLine, 7, false);
    Add(doc, kBranchingEnd, 8);
    doc.elements.back()->circuitsAfter = 1;

    CNagruz* n = Add<CNagruz>(doc, kEndLoad, 9);
    n->values = {75, 0, 75};

    const Lines all = TaskListing::Build(doc, "Линия", "/tmp/a.ktf");
    const Lines head(all.begin(), all.begin() + 5);
    EXPECT_EQ(head, (Lines{"Линия", "Файл: /tmp/a.ktf", "База данных: /data/main.kdb",
                           "Расчет тракта в линиях переменного тока",
                           "Число трехфазных цепей - 1, тросов (экранов КЛ) - 1"}));
    EXPECT_EQ(Block(all, "№1. Воздушная линия электропередачи"),
              (Lines{"№1. Воздушная линия электропередачи", "Участок 1", "Длина: 12.5 км. Опоры: П110", "Провода",
                     "Провод 1 (A)", "   АС-70. Стрела провиса: 3.5 м", "   Не расщеплен", "Провод 2 (B)",
                     "   С-50. Стрела провиса: 0 м", "   Число составляющих: 2, шаг расщепления: 40 см",
                     "Учет влияния земли - по Карсону", "   Удельное сопротивление земли: 100 Ом*м",
                     "Учет неоднородностей - влияния опор", "   Матрица влияния опор: M1",
                     "   Средняя длина пролета 250 м", "   Число рассматриваемых пролетов: 3",
                     "   Стандарт отклонения 12.5 м"}));
    EXPECT_EQ(Block(all, "№2. Шунтирующее сопротивление"),
              (Lines{"№2. Шунтирующее сопротивление", "   Схема замещения - затупленный контур",
                     "   Эквивалентная емкость подстанции 2000 пФ", "   Шунт №1. Между проводом 1 (A) и землей",
                     "   R = 10 Ом,  L = 2 мГн,  C = 1000 пФ", "   Шунт №2. Между проводом 2 (B) и проводом 3 (C)",
                     "   R = 0 Ом,  L = 0 мГн,  C = 0 пФ"}));
    EXPECT_EQ(Block(all, "№3. Транспозиция"),
              (Lines{"№3. Транспозиция", "   Провод 1 (A) стал 2", "   Провод 2 (B) стал 3",
                     "   Провод 3 (C) стал 1"}));
    // The first end of the branching has neither heading nor number; the
    // second end is headed and adds nothing.
    EXPECT_EQ(Block(all, "№4. Разветвление цепей"),
              (Lines{"№4. Разветвление цепей", "   Начало первой ветви", "В ветви: цепь 1, трос 1"}));
    EXPECT_EQ(Block(all, "№5. Кабельная линия электропередачи"),
              (Lines{"№5. Кабельная линия электропередачи", "Данные по элементу не заданы"}));
    EXPECT_EQ(Block(all, "   Конец первой - начало второй ветви"),
              (Lines{"   Конец первой - начало второй ветви", "В ветви:"}));
    EXPECT_EQ(Block(all, "№7. Конец разветвления цепей"), (Lines{"№7. Конец разветвления цепей"}));
    EXPECT_EQ(Block(all, "№8. Концевая нагрузка"),
              (Lines{"№8. Концевая нагрузка", "   Нагруженные провода:", "   №1 (A)   R = 75 Ом",
                     "   №3 (C)   R = 75 Ом"}));
}

TEST_F(ListingTest, BypassWithTrapsLinesAndMutualCapacitances)
{
    CEObhod* b = Add<CEObhod>(doc, kBypass, 1);
    b->kind = 0;
    b->selectionMode = 1;
    std::fill(std::begin(b->flags), std::end(b->flags), 0);
    b->flags[0] = b->flags[1] = b->flags[3] = 1;
    b->traps[0].branches.resize(1);
    b->traps[0].branches[0].firstWire = 2; // not bypassed, still named by its label
    b->traps[0].branches[0].trap.name = "ВЗ-630";
    b->lines.resize(1);
    b->lines[0].wireBefore = 0;
    b->lines[0].wireAfter = 1;
    b->lines[0].filters[0].name = "ФП1";
    b->lines[0].filters[1].name = "ФП2";
    b->lines[0].filters[1].type = 2;
    b->lines[0].polarity2 = 1;
    b->lines[0].cables[0].name = "РК-75";
    b->lines[0].lengthBefore = 100;
    b->lines[0].cables[1].name = "РК-50";
    b->lines[0].lengthAfter = 50;
    b->equivalentCapacitance = 5e-9;
    b->n = 5; // the triangle below holds fewer than the 10 entries of order 5
    b->triangle = std::vector<double>{1e-12, 2e-12, 3e-12, 4e-12, 5e-12, 6e-12, 7e-12};

    const Lines all = TaskListing::Build(doc, "", "");
    EXPECT_EQ(Block(all, "№1. Обход промежуточной подстанции"),
              (Lines{"№1. Обход промежуточной подстанции", "Обход в проводах: цепь 1, трос 1",
                     "   Заградители до подстанции:", "   В проводе №3 (C): ВЗ-630", "   Линия обхода №1",
                     "   До обхода: провод №1 (A)", "     Фильтр: ФП1 тип 1", "     ВЧ кабель: РК-75 длины 100 м",
                     "   После обхода: провод №2 (B)", "     Фильтр: ФП2 тип 3 с изменением полярности обмотки",
                     "     ВЧ кабель: РК-50 длины 50 м", "   Эквивалентная емкость сборных шин 5000 пФ",
                     "   Матрица взаимных емкостей (пФ)",
                     "C(1,2)=1,  C(1,3)=2,  C(1,4)=3,  C(1,5)=4,  C(2,3)=5,  C(2,4)=6",
                     "C(2,5)=7"}));
}

TEST_F(ListingTest, NamesComeBeforeTheBypassHeadingAndOnTheFirstBranchEnd)
{
    // A named bypass: its name, then its heading; without parameters only
    // its name and the missing-data line.
    Add<CEObhod>(doc, kBypass, 1)->kind = 1;
    doc.elements.back()->name = "Обход 1";
    Add<CEObhod>(doc, kBypass, 2, false);
    doc.elements.back()->name = "Обход 2";
    Add(doc, kBranchingStart, 3);
    Add(doc, kOverheadLine, 4, false);
    Add(doc, kBranchingEnd, 5);
    doc.elements.back()->circuitsAfter = 0;
    doc.elements.back()->name = "Конец 1";

    const Lines all = TaskListing::Build(doc, "", "");
    const Lines body(all.begin() + 5, all.end());
    EXPECT_EQ(body, (Lines{"", "Обход 1", "№1. Обход в поле", "", "Обход 2", "Данные по элементу не заданы", "",
                           "№3. Разветвление цепей", "   Начало первой ветви", "В ветви: цепь 1, трос 1", "",
                           "№4. Воздушная линия электропередачи", "Данные по элементу не заданы", "", "Конец 1",
                           "   Конец первой - начало второй ветви", "В ветви:"}));
}

TEST_F(ListingTest, TaskAwaitingCompletionNamesWireKinds)
{
    g_nTaskCompletion = 1;
    CVLine* v = Add<CVLine>(doc, kOverheadLine, 1);
    v->phaseWires = 1;
    v->wireArray.emplace(2);
    doc.elements.back()->outMap[0] = -1;
    const Lines all = TaskListing::Build(doc, "", "");
    EXPECT_EQ(all[3], "Число проводов - 4");
    EXPECT_NE(std::find(all.begin(), all.end(), "Провод 1 (фаза)"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "Провод 2 (трос)"), all.end());
    g_bDC = 1;
    const Lines dc = TaskListing::Build(doc, "", "");
    EXPECT_NE(std::find(dc.begin(), dc.end(), "Провод 1 (полюс)"), dc.end());
}

TEST_F(ListingTest, OtherElementTypes)
{
    CKLine* k = Add<CKLine>(doc, kCableLine, 1);
    k->solidCable.name = "АПвП";
    k->length = 1500;
    k->circuits = 1;
    k->x[0] = -0.2;
    k->y[0] = 1.5;
    k->rho = 100;
    CUpr* u = Add<CUpr>(doc, kCouplingDevice, 2);
    u->devices.resize(1);
    u->devices[0].wire = 1;
    u->devices[0].filter.name = "ФП";
    u->devices[0].cable.name = "РК";
    u->devices[0].cableLength = 200;
    u->devices[0].r = 75;
    Add(doc, kTapLoad, 3);
    COtvet* tap = Add<COtvet>(doc, kTap, 4);
    std::fill(std::begin(tap->flags), std::end(tap->flags), 0);
    tap->flags[3] = 1;
    CNagrOtv* load = Add<CNagrOtv>(doc, kTapLoad, 5);
    load->mode = 2;
    load->capacitance = 3e-9;
    CElement& change = *doc.elements.emplace_back(std::make_unique<CElement>());
    change.SetType(kWireCountChange);
    change.entered = 1;
    change.wirePositions = 4;
    change.wirePositions2 = 7;
    change.circuits = 1;
    change.groundWires = 1;
    change.circuitsAfter = 2;
    change.groundWiresAfter = 1;
    change.circuitsPart = 1;
    CEndMod* end = Add<CEndMod>(doc, kAttachedEnd, 7);
    end->kind = 1;
    end->r = std::vector<double>{0, 600};

    const Lines all = TaskListing::Build(doc, "", "");
    EXPECT_EQ(Block(all, "№1. Кабельная линия электропередачи"),
              (Lines{"№1. Кабельная линия электропередачи", "   Кабель в твердой полиэтиленовой изоляции",
                     "   Тип кабеля: АПвП", "   Длина линии: 1.5 км, число линий: 1",
                     "   Координаты прокладки кабелей, м", "   №1 (A)   Z = -0.2   H = 1.5",
                     "   №2 (B)   Z = 0   H = 0", "   №3 (C)   Z = 0   H = 0",
                     "   Удельное сопротивление земли: 100 Ом*м"}));
    EXPECT_EQ(Block(all, "№2. Устройство присоединения"),
              (Lines{"№2. Устройство присоединения", "   В проводе 2 (B)", "   Фильтр: ФП тип 1",
                     "   ВЧ кабель: РК длины 200 м", "   Нагрузка: R = 75 Ом,  L = 0 мГн,  C = 0 пФ"}));
    EXPECT_EQ(Block(all, "№3. Конец ответвления"),
              (Lines{"№3. Конец ответвления", "Ответвление заканчивается устройством присоединения.",
                     "ВЧ кабели всех ФП имеют нагрузку."}));
    EXPECT_EQ(Block(all, "№4. Ответвление"), (Lines{"№4. Ответвление", "В проводах: трос 1"}));
    EXPECT_EQ(Block(all, "№5. Конец ответвления"),
              (Lines{"№5. Конец ответвления", "   Ответвление нагружено на эквивалентную емкость 3000 пФ"}));
    EXPECT_EQ(Block(all, "№6. Изменение числа проводов"),
              (Lines{"№6. Изменение числа проводов", "   Начало участка", "   До участка: цепей - 1, тросов - 1",
                     "   На участке: цепей - 2, тросов - 1",
                     "   B присоединенной цепи: цепей - 1, тросов - 0"}));
    EXPECT_EQ(Block(all, "№7. Конец присоединенной цепи"),
              (Lines{"№7. Конец присоединенной цепи", "   Нагрузка проводов", "   №2 (B)  R = 600 Ом"}));
}

TEST(CatalogListing, Headings)
{
    const struct {
        std::string path, heading;
    } cases[] = {
        {"/home/u/main.kdb", "База данных \"main\""},
        {"/home/u/MAIN.KDB", "База данных \"MAIN\""},
        {"/home/u/basek", "База данных \"basek\""},
        {"/home/u/база.kdb", "База данных \"база\""},
        {"/home/u/лэп", "База данных \"лэп\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CatalogListing::CurrentBaseHeading(c.path), c.heading);
    const std::string longPath = "/" + std::string(1000, 'x') + ".kdb";
    EXPECT_EQ(CatalogListing::CurrentBaseHeading(longPath), "База данных \"" + std::string(1000, 'x') + "\"");
    EXPECT_EQ(CatalogListing::TaskBaseHeading("line.v1.ktf"), "База данных задачи \"line.v1\"");
    EXPECT_EQ(CatalogListing::TaskBaseHeading("Задача безымянная."), "База данных задачи \"Задача безымянная\"");
}

TEST(CatalogListing, EveryItemKind)
{
    CBase base;
    auto tower = std::make_unique<COpora>();
    tower->name = "П1";
    tower->count = 3;
    tower->x = {-3.5, 0, 3.5}; // y holds fewer points than x
    tower->y = {20, 22};
    base.towers.push_back(std::move(tower));
    auto wire = std::make_unique<CProvod>();
    wire->name = "АС-70";
    wire->radius = 0.0057;
    wire->twist = 0.95;
    wire->resistivity = 3e-8;
    base.phaseWires.push_back(std::move(wire));
    auto filter = std::make_unique<CFiltr>();
    filter->name = "ФП6";
    filter->type = 5;
    filter->nC = 6;
    for (int i = 0; i < 6; ++i)
        filter->C[i] = (i + 1) * 1e-9;
    filter->L[0] = 0.002;
    filter->ratio = 1.5;
    base.filters[5].push_back(std::move(filter));
    auto trap = std::make_unique<CZagrad>();
    trap->name = "ВЗ";
    trap->scheme = 2;
    trap->L1 = 0.001;
    base.traps.push_back(std::move(trap));
    auto matrix = std::make_unique<CMatrix>();
    matrix->name = "M";
    matrix->n = 2;
    matrix->cap = {1e-12, 2e-12, 3e-12};
    matrix->res = {1e6, 2e6};
    base.matrices.push_back(std::move(matrix));
    auto hf = std::make_unique<CProvod>();
    hf->name = "РК-75";
    hf->radius = 0.01;
    hf->twist = 2e8;
    hf->resistivity = 75;
    base.hfCables.push_back(std::move(hf));

    const Lines all = CatalogListing::Build(base, "База данных \"main\"");
    EXPECT_EQ(Block(all, "Опора: П1"), (Lines{"Опора: П1", "   Координаты подвеса проводов",
                                              "   (горизонтальная - вертикальная), м", "   №1     -3.5       20",
                                              "   №2        0       22"}));
    EXPECT_EQ(Block(all, "Провод фазный: АС-70"),
              (Lines{"Провод фазный: АС-70", "   Диаметр провода:        11.4 мм", "   Коэффициент скрутки:    0.95",
                     "   Удельное сопротивление: 3e-08 Ом*м"}));
    // Type 6 (stored 5) lists five capacitances of its six, and five inductances.
    EXPECT_EQ(Block(all, "Фильтр присоединения 6 типа: ФП6"),
              (Lines{"Фильтр присоединения 6 типа: ФП6", "     C(1) = 1000 пФ", "     C(2) = 2000 пФ",
                     "     C(3) = 3000 пФ", "     C(4) = 4000 пФ", "     C(5) = 5000 пФ", "     L(1) = 2 мГн",
                     "     L(2) - Нет", "     L(3) - Нет", "     L(4) - Нет", "     L(5) - Нет",
                     "   Коэффициент трансформации: 1.5"}));
    EXPECT_EQ(Block(all, "Заградитель: ВЗ"),
              (Lines{"Заградитель: ВЗ", "Схема 3", "   Емкости настройки:", "     Реактора:                  Нет",
                     "     Последовательного контура: Нет", "     Параллельного контура:     Нет",
                     "   Индуктивности:", "     Реактора:                  1 мГн",
                     "     Последовательного контура: Нет", "     Параллельного контура:     Нет",
                     "     В цепи сопротивления R:    Нет", "   Сопротивление R:        Нет"}));
    EXPECT_EQ(Block(all, "Матрица влияния опоры: M"),
              (Lines{"Матрица влияния опоры: M", "   Матрица поправок емкостей (пФ):", "     1       2",
                     "     2       3", "   Матрица сопротивлений (МОм):", "     1       2"}));
    EXPECT_EQ(Block(all, "ВЧ кабель: РК-75"),
              (Lines{"ВЧ кабель: РК-75", "   Коэффициент затухания:    0.01 дб*sqrt(сек)/м",
                     "   Скорость распространения: 2e+08 м/сек", "   Волновое сопротивление:   75 Ом"}));
    // Matrices come after the filters and traps, HF cables last.
    EXPECT_EQ(all.front(), "База данных \"main\"");
    EXPECT_EQ(all[all.size() - 4], "ВЧ кабель: РК-75");
}

} // namespace
