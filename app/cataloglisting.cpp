#include "app/cataloglisting.h"

#include "model/base.h"
#include "platform/filedialog.h"
#include "platform/format.h"

#include <algorithm>
#include <cctype>

namespace {

// Capacitances and inductances listed for each filter type: the listing
// shows five of each for types 5 and 6, whatever the filter holds.
constexpr int kListedC[CFiltr::kTypes] = {3, 3, 4, 5, 2, 5, 5};
constexpr int kListedL[CFiltr::kTypes] = {3, 3, 5, 5, 1, 5, 5};

class Lines {
public:
    explicit Lines(std::vector<std::string>& out) : m_out(out) {}
    void Add(std::string s) { m_out.push_back(std::move(s)); }
    template <class... A>
    void F(const char* fmt, A... a)
    {
        m_out.push_back(StrFormat(fmt, a...));
    }
    // A value line, or the same label with "Нет" when the value is not above 0.
    void ValueOrNone(const char* label, double value, double scale, const char* unit)
    {
        if (value > 0)
            m_out.push_back(StrFormat("%s%g %s", label, value * scale, unit));
        else
            m_out.push_back(StrFormat("%sНет", label));
    }

private:
    std::vector<std::string>& m_out;
};

void Towers(Lines& out, const CBase& base)
{
    for (const auto& t : base.towers) {
        out.Add("");
        out.F("Опора: %s", t->name.c_str());
        out.Add("   Координаты подвеса проводов");
        out.Add("   (горизонтальная - вертикальная), м");
        const std::size_t points = std::min(t->x.size(), t->y.size());
        for (std::size_t i = 0; i < points; ++i)
            out.F("   №%d   %6g   %6g", int(i) + 1, t->x[i], t->y[i]);
    }
}

void Wires(Lines& out, const ObjList<CProvod>& list, const char* heading)
{
    for (const auto& w : list) {
        out.Add("");
        out.F(heading, w->name.c_str());
        out.F("   Диаметр провода:        %g мм", w->radius * 2000);
        out.F("   Коэффициент скрутки:    %g", w->twist);
        out.F("   Удельное сопротивление: %g Ом*м", w->resistivity);
    }
}

void Cables(Lines& out, const CBase& base)
{
    for (const auto& c : base.solidCables) {
        out.Add("");
        out.F("Кабель в твердой изоляции: %s", c->name.c_str());
        out.Add("   Диаметры:");
        out.F("     Жилы:                %g мм", c->coreRadius * 2000);
        out.F("     Внутренний экрана:   %g мм", c->screenInnerRadius * 2000);
        out.F("     Внешний экрана:      %g мм", c->screenOuterRadius * 2000);
        out.F("     Кабеля:              %g мм", c->outerRadius * 2000);
        out.Add("   Тангенсы угла потерь:");
        out.F("     Внутренней изоляции: %g %%", c->tanInner * 100);
        out.F("     Внешней изоляции:    %g %%", c->tanOuter * 100);
        out.Add("   Диэлектрические проницаемости");
        out.F("     Внутренней изоляции: %g", c->epsInner);
        out.F("     Внешней изоляции:    %g", c->epsOuter);
        out.Add("   Удельные сопротивления:");
        out.F("     Жилы:                %g Ом*м", c->rhoCore);
        out.F("     Экрана:              %g Ом*м", c->rhoScreen);
    }
    for (const auto& c : base.pipeCables) {
        out.Add("");
        out.F("Кабель в стальной трубе: %s", c->name.c_str());
        out.F("   Диаметр жилы: %g мм", c->coreRadius * 2000);
    }
}

void Filters(Lines& out, const CBase& base)
{
    for (int type = 0; type < CFiltr::kTypes; ++type)
        for (const auto& f : base.filters[type]) {
            out.Add("");
            out.F("Фильтр присоединения %d типа: %s", type + 1, f->name.c_str());
            for (int i = 0; i < kListedC[type]; ++i) {
                if (f->C[i] > 0)
                    out.F("     C(%d) = %g пФ", i + 1, f->C[i] * 1e12);
                else
                    out.F("     C(%d) - Нет", i + 1);
            }
            for (int i = 0; i < kListedL[type]; ++i) {
                if (f->L[i] > 0)
                    out.F("     L(%d) = %g мГн", i + 1, f->L[i] * 1000);
                else
                    out.F("     L(%d) - Нет", i + 1);
            }
            if (type == 3) {
                if (f->R > 0)
                    out.F("     R = %g Ом", f->R);
                else
                    out.Add("     R - Нет");
            }
            if (type == 6)
                for (int i = 0; i < 5; ++i) {
                    if (f->resistors[i] > 0)
                        out.F("     R(%d) = %g Ом", i + 1, f->resistors[i]);
                    else
                        out.F("     R(%d) - Нет", i + 1);
                }
            out.F("   Коэффициент %s: %g", type <= 2 ? "связи" : "трансформации", f->ratio);
        }
}

void Traps(Lines& out, const CBase& base)
{
    for (const auto& z : base.traps) {
        out.Add("");
        out.F("Заградитель: %s", z->name.c_str());
        out.F("Схема %d", z->scheme + 1);
        out.Add("   Емкости настройки:");
        out.ValueOrNone("     Реактора:                  ", z->C1, 1e12, "пФ");
        out.ValueOrNone("     Последовательного контура: ", z->C2, 1e12, "пФ");
        out.ValueOrNone("     Параллельного контура:     ", z->C3, 1e12, "пФ");
        out.Add("   Индуктивности:");
        out.ValueOrNone("     Реактора:                  ", z->L1, 1000, "мГн");
        out.ValueOrNone("     Последовательного контура: ", z->L2, 1000, "мГн");
        out.ValueOrNone("     Параллельного контура:     ", z->L3, 1000, "мГн");
        if (z->scheme == 2)
            out.ValueOrNone("     В цепи сопротивления R:    ", z->L4, 1000, "мГн");
        out.ValueOrNone("   Сопротивление R:        ", z->R, 1, "Ом");
    }
}

void Matrices(Lines& out, const CBase& base)
{
    for (const auto& m : base.matrices) {
        out.Add("");
        out.F("Матрица влияния опоры: %s", m->name.c_str());
        out.Add("   Матрица поправок емкостей (пФ):");
        // The stored upper triangle, mirrored below the diagonal; a triangle
        // shorter than its order says is not listed.
        const int order = CMatrix::PackedSize(m->n) <= m->cap.size() ? m->n : 0;
        for (int i = 0; i < order; ++i) {
            std::string row;
            for (int k = 0; k < order; ++k) {
                if (k)
                    row += "  ";
                row += StrFormat("%6g", m->cap[CMatrix::PackedIndex(order, i, k)] * 1e12);
            }
            out.Add(row);
        }
        out.Add("   Матрица сопротивлений (МОм):");
        std::string res;
        for (std::size_t i = 0; i < std::min<std::size_t>(m->n, m->res.size()); ++i) {
            if (i)
                res += "  ";
            res += StrFormat("%6g", m->res[i] * 1e-6);
        }
        out.Add(res);
    }
}

void HfCables(Lines& out, const CBase& base)
{
    for (const auto& c : base.hfCables) {
        out.Add("");
        out.F("ВЧ кабель: %s", c->name.c_str());
        out.F("   Коэффициент затухания:    %g дб*sqrt(сек)/м", c->attenuation());
        out.F("   Скорость распространения: %g м/сек", c->speed());
        out.F("   Волновое сопротивление:   %g Ом", c->waveImpedance());
    }
}

} // namespace

std::vector<std::string> CatalogListing::Build(const CBase& base, const std::string& heading)
{
    std::vector<std::string> lines;
    Lines out(lines);
    out.Add(heading);
    Towers(out, base);
    Wires(out, base.phaseWires, "Провод фазный: %s");
    Wires(out, base.groundWires, "Трос: %s");
    Cables(out, base);
    Filters(out, base);
    Traps(out, base);
    Matrices(out, base);
    HfCables(out, base);
    return lines;
}

std::string CatalogListing::TaskBaseHeading(const std::string& title)
{
    const std::size_t dot = title.rfind('.');
    return "База данных задачи \"" + title.substr(0, dot) + "\"";
}

std::string CatalogListing::CurrentBaseHeading(const std::string& path)
{
    std::string name = FileNameOfPath(path);
    if (name.size() >= 4) {
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == ".kdb")
            name.erase(name.size() - 4);
    }
    return "База данных \"" + name + "\"";
}
