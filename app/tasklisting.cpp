#include "app/tasklisting.h"

#include "model/branches.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/format.h"

#include <algorithm>
#include <cstdarg>
#include <set>

namespace {

const char* const kTypeNames[15] = {
    "Воздушная линия электропередачи", "Кабельная линия электропередачи", "Шунтирующее сопротивление",
    "Последовательное сопротивление", "Конец ответвления", "Транспозиция", "Устройство присоединения",
    "", "Ответвление", "Изменение числа проводов", "Удвоение числа проводов", "Конец присоединенной цепи",
    "Разветвление цепей", "Конец разветвления цепей", "Концевая нагрузка"};

const char* Polarity(std::uint8_t reversed)
{
    return reversed ? " с изменением полярности обмотки" : "";
}

// The conductor code at a wire position: the split conductor's two positions
// share one code, later positions read one entry lower.
int CodeAt(const CElement& e, int position)
{
    int index = position;
    if (e.splitConductor >= 0 && position > e.splitConductor)
        --index;
    return index >= 0 && index < kMaxWires ? e.inMap[index] : kNoConductor;
}

template <class T>
const T* Get(const std::optional<std::vector<T>>& v, std::size_t i)
{
    return v && i < v->size() ? &(*v)[i] : nullptr;
}

} // namespace

const char* TaskListing::TypeName(int type)
{
    return type >= 0 && type < 15 ? kTypeNames[type] : "";
}

void TaskListing::AddF(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    Add(StrFormatV(fmt, args));
    va_end(args);
}

std::string TaskListing::WireLabel(const CElement& e, int wire)
{
    return StrFormat("%d (%s)", wire + 1,
                     FormatConductorName(e.inMap, e.splitConductor, std::uint8_t(std::clamp(wire, 0, 255))).c_str());
}

std::string TaskListing::CircuitList(const CElement& e, const unsigned char* flags, unsigned char want)
{
    std::set<int> circuits, grounds;
    for (int j = 0; j < std::min<int>(e.wirePositions, kMaxWires); ++j) {
        if ((flags[j] != 0) != (want != 0))
            continue;
        const int code = CodeAt(e, j);
        if (code < 0)
            continue;
        (IsGroundCode(code) ? grounds : circuits).insert(code / 4 + 1);
    }
    std::string text;
    for (int c : circuits)
        text += StrFormat("%sцепь %d", text.empty() ? " " : ", ", c);
    for (int g : grounds)
        text += StrFormat("%sтрос %d", text.empty() ? " " : ", ", g);
    return text;
}

std::vector<std::string> TaskListing::Build(const CKestrinDoc& doc, const std::string& title,
                                            const std::string& filePath)
{
    std::vector<std::string> lines;
    if (doc.elements.empty())
        return lines;
    TaskListing listing(lines);
    listing.Heading(doc, title, filePath);
    int number = 0;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        const CElement& e = *doc.elements[i];
        const bool firstEnd = e.type == kBranchingEnd && listing.m_branching == 1;
        if (!firstEnd)
            ++number;
        listing.Element(doc, i, number);
    }
    return lines;
}

void TaskListing::Heading(const CKestrinDoc& doc, const std::string& title, const std::string& filePath)
{
    Add(title);
    AddF("Файл: %s", filePath.c_str());
    AddF("База данных: %s", doc.basePath.c_str());
    const CElement& first = *doc.elements.front();
    if (first.outMap[0] == kNoConductor) {
        AddF("Число проводов - %d", doc.conductorCount);
        return;
    }
    const bool dc = doc.dc != 0;
    AddF("Расчет тракта в линиях %s тока", dc ? "постоянного" : "переменного");
    AddF("Число %s - %d, тросов (экранов КЛ) - %d", dc ? "полюсов" : "трехфазных цепей", first.circuits,
         first.groundWires);
}

void TaskListing::Element(const CKestrinDoc& doc, std::size_t index, int number)
{
    const CElement& e = *doc.elements[index];
    const CElement* previous = index > 0 ? doc.elements[index - 1].get() : nullptr;
    Add("");

    if (e.type == kBranchingEnd && m_branching == 1) {
        // The first end of a branching ends the first branch and opens the
        // second: no heading and no number of its own.
        m_branching = 2;
        if (!e.name.empty())
            Add(e.name);
        Add("   Конец первой - начало второй ветви");
        const COtvet* start = m_branchStart ? m_branchStart->Data<COtvet>() : nullptr;
        Add("В ветви:" + (start ? CircuitList(*m_branchStart, start->flags, 0) : std::string()));
        return;
    }
    if (e.type == kBranchingStart) {
        m_branching = 1;
        m_branchStart = &e;
    } else if (e.type == kBranchingEnd) {
        m_branching = 0;
    }

    // A bypass is headed among the lines of its kind, after its name, and
    // only once its parameters are entered.
    if (e.type != kBypass)
        AddF("№%d. %s", number, TypeName(e.type));
    if (!e.name.empty())
        Add(e.name);
    if (e.type == kBranchingEnd)
        return; // the second end adds no lines of its own
    if (!e.entered) {
        Add("Данные по элементу не заданы");
        return;
    }

    switch (e.type) {
    case kOverheadLine:
        OverheadLine(e);
        break;
    case kCableLine:
        if (const CKLine* k = e.Data<CKLine>())
            CableLine(e, *k);
        break;
    case kShuntImpedance:
    case kSeriesImpedance:
        Impedance(e, e.type == kSeriesImpedance);
        break;
    case kTapLoad:
        TapLoad(e, previous);
        break;
    case kTransposition:
        Transposition(e);
        break;
    case kCouplingDevice:
        Coupling(e);
        break;
    case kBypass:
        Bypass(e, number);
        break;
    case kTap:
    case kDoubling:
        TapOrDoubling(e);
        break;
    case kWireCountChange:
        WireChange(e);
        break;
    case kAttachedEnd:
        CircuitEnd(e, previous);
        break;
    case kBranchingStart: {
        Add("   Начало первой ветви");
        const COtvet* o = e.Data<COtvet>();
        Add("В ветви:" + (o ? CircuitList(e, o->flags, 1) : std::string()));
        break;
    }
    case kEndLoad:
        EndLoad(e);
        break;
    default:
        break;
    }
}

void TaskListing::OverheadLine(const CElement& e)
{
    const CVLine* v = e.Data<CVLine>();
    if (!v)
        return;
    AddF("Длина: %g км. Опоры: %s", v->length * 0.001, v->tower.name.c_str());
    if (v->ice) {
        Add("С учетом гололеда и изморози:");
        AddF("Расчетная температура: %g град, коэффициент загрязнения: %g", v->iceTemperature, v->iceFactor);
    }
    Add("Провода");
    const std::size_t wires = v->wireArray ? v->wireArray->size() : 0;
    for (std::size_t k = 0; k < wires; ++k) {
        const CVLProv& w = (*v->wireArray)[k];
        std::string name;
        if (g_nTaskCompletion != 0)
            name = int(k) < v->phaseWires ? (IsDCTask() ? "полюс" : "фаза") : "трос";
        else
            name = FormatConductorName(e.inMap, e.splitConductor, std::uint8_t(std::min<std::size_t>(k, 255)));
        AddF("Провод %d (%s)", int(k) + 1, name.c_str());
        AddF("   %s. Стрела провиса: %g м", w.wireType.name.c_str(), w.sag);
        if (w.bundleCount < 2)
            Add("   Не расщеплен");
        else
            AddF("   Число составляющих: %d, шаг расщепления: %g см", w.bundleCount, w.bundleStep * 100);
        if (v->ice)
            AddF("   Толщина гололеда: %g см, плотность: %g", w.iceThickness * 100, w.iceDensity);
    }
    AddF("Учет влияния земли - по %s", v->earthModel == 1 ? "Карсону" : "уточненной методике");
    switch (v->earthModel) {
    case 0:
        AddF("   Удельное сопротивление земли: %g Ом*м, проницаемость: %g", v->earthRho1, v->earthEps1);
        break;
    case 1:
        AddF("   Удельное сопротивление земли: %g Ом*м", v->earthRho1);
        break;
    case 2:
        AddF("   1 слой. Удельное сопротивление земли: %g Ом*м, проницаемость: %g, толщина слоя: %g м",
             v->earthRho1, v->earthEps1, v->layerDepth);
        AddF("   2 слой. Удельное сопротивление земли: %g Ом*м, проницаемость: %g", v->earthRho2, v->earthEps2);
        break;
    default:
        break;
    }
    if (v->inhomogeneity >= 1 && v->inhomogeneity <= 3) {
        static const char* const modes[4] = {"", "влияния опор", "провисания проводов", "транспозиция в пролете"};
        AddF("Учет неоднородностей - %s", modes[v->inhomogeneity]);
        AddF("   Матрица влияния опор: %s", v->matrix.name.c_str());
        AddF("   Средняя длина пролета %g м", v->spanMean);
        if (v->inhomogeneity == 1) {
            AddF("   Число рассматриваемых пролетов: %d", v->pieces);
            if (v->pieces > 1)
                AddF("   Стандарт отклонения %g м", v->spanDeviation);
        } else {
            AddF("   Число участков разбиения полупролета: %d", v->pieces);
        }
    }
}

void TaskListing::CableLine(const CElement& e, const CKLine& k)
{
    AddF("   Кабель в %s", k.pipe ? "проводящей трубе" : "твердой полиэтиленовой изоляции");
    AddF("   Тип кабеля: %s", (k.pipe ? k.pipeCable.name : k.solidCable.name).c_str());
    AddF("   Длина линии: %g км, число линий: %d", k.length * 0.001, k.circuits);
    const int cables = k.CableCount(); // at most the 40 positions the arrays hold
    if (!k.pipe) {
        Add("   Координаты прокладки кабелей, м");
        for (int i = 0; i < cables; ++i)
            AddF("   №%d (%s)   Z = %g   H = %g", i + 1,
                 FormatConductorName(e.inMap, e.splitConductor, std::uint8_t(i)).c_str(), k.x[i], k.y[i]);
        AddF("   Удельное сопротивление земли: %g Ом*м", k.rho);
        return;
    }
    AddF("   Диаметр трубы: %g мм", k.pipeRadius * 2000);
    AddF("   Удельное сопротивление материала: %g Ом*м", k.rho);
    AddF("   Магнитная проницаемость: %g", k.pipeMu);
    Add("   Расположение кабелей в трубе, мм - град");
    for (int i = 0; i < cables; ++i)
        AddF("   №%d   R = %g   Alf = %g", i + 1, k.x[i] * 1000, k.y[i]);
}

void TaskListing::Impedance(const CElement& e, bool series)
{
    const CEShunt* s = e.Data<CEShunt>();
    if (!s)
        return;
    AddF("   Схема замещения - за%s", s->trapKind ? "градитель" : "тупленный контур");
    if (!series && s->capacitance > 1e-16)
        AddF("   Эквивалентная емкость подстанции %g пФ", s->capacitance * 1e12);
    for (std::size_t i = 0; i < s->branches.size(); ++i) {
        const CShunt& b = s->branches[i];
        if (series) {
            AddF("   №%d. В проводе %s", int(i) + 1, WireLabel(e, b.firstWire).c_str());
        } else {
            const std::string other =
                b.firstWire == b.secondWire ? std::string("землей") : "проводом " + WireLabel(e, b.secondWire);
            AddF("   Шунт №%d. Между проводом %s и %s", int(i) + 1, WireLabel(e, b.firstWire).c_str(),
                 other.c_str());
        }
        if (s->trapKind)
            AddF("   Заградитель - %s", b.trap.name.c_str());
        else
            AddF("   R = %g Ом,  L = %g мГн,  C = %g пФ", b.r, b.l * 1000, b.c * 1e12);
    }
}

void TaskListing::TapLoad(const CElement& e, const CElement* previous)
{
    if (previous && previous->type == kCouplingDevice) {
        Add("Ответвление заканчивается устройством присоединения.");
        Add("ВЧ кабели всех ФП имеют нагрузку.");
        return;
    }
    const CNagrOtv* n = e.Data<CNagrOtv>();
    if (!n)
        return;
    if (n->mode == 0)
        Add("   Ответвление заземлено");
    else if (n->mode == 1)
        Add("   Ответвление изолировано");
    else
        AddF("   Ответвление нагружено на эквивалентную емкость %g пФ", n->capacitance * 1e12);
}

void TaskListing::Transposition(const CElement& e)
{
    const CTransp* t = e.Data<CTransp>();
    if (!t || !t->permutation)
        return;
    for (std::size_t j = 0; j < t->permutation->size(); ++j)
        AddF("   Провод %s стал %d", WireLabel(e, int(j)).c_str(), t->Target(int(j)) + 1);
}

void TaskListing::Coupling(const CElement& e)
{
    const CUpr* u = e.Data<CUpr>();
    if (!u)
        return;
    for (const CPrisoed& p : u->devices) {
        AddF("   В проводе %s", WireLabel(e, p.wire).c_str());
        AddF("   Фильтр: %s тип %d%s", p.filter.name.c_str(), p.filter.type + 1, Polarity(p.polarity));
        AddF("   ВЧ кабель: %s длины %g м", p.cable.name.c_str(), p.cableLength);
        AddF("   Нагрузка: R = %g Ом,  L = %g мГн,  C = %g пФ", p.r, p.l * 1000, p.c * 1e12);
    }
}

void TaskListing::Bypass(const CElement& e, int number)
{
    const CEObhod* b = e.Data<CEObhod>();
    static const char* const kinds[3] = {"промежуточной подстанции", "в поле", "кабельной вставки"};
    const int kind = b && b->kind < 3 ? b->kind : 0;
    AddF("№%d. Обход %s", number, kinds[kind]);
    if (!b)
        return;
    if (b->selectionMode != 0)
        Add("Обход в проводах:" + CircuitList(e, b->flags, 1));
    static const char* const places[3] = {"подстанции", "обхода", "кабельной вставки"};
    for (int side = 0; side < 2; ++side) {
        const CEShunt& traps = b->traps[side];
        if (traps.branches.empty())
            continue;
        AddF("   Заградители %s %s:", side == 0 ? "до" : "после", places[kind]);
        for (const CShunt& t : traps.branches)
            AddF("   В проводе №%s: %s", WireLabel(e, t.firstWire).c_str(), t.trap.name.c_str());
    }
    for (std::size_t n = 0; n < b->lines.size(); ++n) {
        const CObhod& line = b->lines[n];
        AddF("   Линия обхода №%d", int(n) + 1);
        for (int end = 0; end < 2; ++end) {
            const char* where = kind == 1 ? (end == 0 ? "В начале" : "В конце") : (end == 0 ? "До" : "После");
            AddF("   %s обхода: провод №%s", where,
                 WireLabel(e, end == 0 ? line.wireBefore : line.wireAfter).c_str());
            AddF("     Фильтр: %s тип %d%s", line.filters[end].name.c_str(), line.filters[end].type + 1,
                 Polarity(end == 0 ? line.polarity1 : line.polarity2));
            if (end == 0 || kind == 0)
                AddF("     ВЧ кабель: %s длины %g м", line.cables[end].name.c_str(),
                     end == 0 ? line.lengthBefore : line.lengthAfter);
        }
        if (line.equipment)
            AddF("     Аппаратура уплотнения: R = %g Ом,  L = %g мГн,  C = %g пФ", line.r, line.l * 1000,
                 line.c * 1e12);
    }
    if (kind == 0) {
        AddF("   Эквивалентная емкость сборных шин %g пФ", b->equivalentCapacitance * 1e12);
        if (b->triangle) {
            Add("   Матрица взаимных емкостей (пФ)");
            // The entries above the diagonal, row by row, as far as the stored
            // triangle reaches; a line breaks after the entry that takes it
            // past 60 characters.
            std::string line;
            std::size_t k = 0;
            const std::size_t size = b->triangle->size();
            for (int i = 0; i < b->n && k < size; ++i)
                for (int j = i + 1; j < b->n && k < size; ++j, ++k) {
                    if (!line.empty())
                        line += ",  ";
                    line += StrFormat("C(%d,%d)=%g", i + 1, j + 1, (*b->triangle)[k] * 1e12);
                    if (line.size() > 60) {
                        Add(line);
                        line.clear();
                    }
                }
            if (!line.empty())
                Add(line);
        }
    } else if (kind == 2 && b->cableInsert) {
        CableLine(e, *b->cableInsert);
    }
}

void TaskListing::TapOrDoubling(const CElement& e)
{
    const COtvet* o = e.Data<COtvet>();
    if (e.type == kDoubling)
        AddF("   Начало участка с числом проводов: %d", o ? o->count : e.wirePositions);
    Add("В проводах:" + (o ? CircuitList(e, o->flags, 1) : std::string()));
}

void TaskListing::WireChange(const CElement& e)
{
    const bool dc = IsDCTask();
    const char* what = dc ? "полюсов" : "цепей";
    auto attached = [&] {
        if (dc)
            AddF("   B присоединенной цепи: тросов - %d", e.groundWiresPart);
        else
            AddF("   B присоединенной цепи: цепей - %d, тросов - %d", e.circuitsPart, e.groundWiresPart);
    };
    if (e.wirePositions < e.wirePositions2) {
        Add("   Начало участка");
        AddF("   До участка: %s - %d, тросов - %d", what, e.circuits, e.groundWires);
        AddF("   На участке: %s - %d, тросов - %d", what, e.circuitsAfter, e.groundWiresAfter);
    } else {
        Add("   Конец участка");
        AddF("   На участке: %s - %d, тросов - %d", what, e.circuits, e.groundWires);
        AddF("   После участка: %s - %d, тросов - %d", what, e.circuitsAfter, e.groundWiresAfter);
    }
    attached();
}

void TaskListing::CircuitEnd(const CElement& e, const CElement* previous)
{
    if (previous && previous->type == kBypass) {
        Add("В конце участка - устройство присоединения.");
        Add("ВЧ кабели всех ФП имеют нагрузку.");
        return;
    }
    const CEndMod* m = e.Data<CEndMod>();
    if (!m)
        return;
    if (m->kind == 2 || m->kind == 3) {
        AddF("   Все провода %s", m->kind == 2 ? "заземлены" : "изолированы");
        return;
    }
    if (m->kind != 1 && m->kind != 4)
        return;
    Add("   Нагрузка проводов");
    const std::size_t wires = m->r ? m->r->size() : 0;
    for (std::size_t i = 0; i < wires; ++i) {
        const double r = (*m->r)[i];
        const double* l = Get(m->l, i);
        const double* c = Get(m->c, i);
        const std::string label = WireLabel(e, int(i));
        if (m->kind == 1) {
            if (r > 1e-8)
                AddF("   №%s  R = %g Ом", label.c_str(), r);
        } else if (r > 1e-8 || (l && *l > 1e-8) || (c && *c > 1e-8)) {
            AddF("   №%s R = %g Ом, L = %g мГн, C = %g пФ", label.c_str(), r, (l ? *l : 0) * 1000,
                 (c ? *c : 0) * 1e12);
        }
    }
}

void TaskListing::EndLoad(const CElement& e)
{
    const CNagruz* n = e.Data<CNagruz>();
    if (!n)
        return;
    Add("   Нагруженные провода:");
    for (std::size_t i = 0; i < n->values.size(); ++i)
        if (n->values[i] > 1e-10)
            AddF("   №%s   R = %g Ом", WireLabel(e, int(i)).c_str(), n->values[i]);
}
