#include "catalog/schemedrawing.h"

#include <algorithm>
#include <climits>

namespace {

using Kind = SchemeItem::Kind;

SchemeItem Make(Kind k, int x1, int y1, int x2, int y2, int bulge = 1, int length = 30)
{
    SchemeItem item;
    item.kind = k;
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.bulge = bulge;
    item.length = length;
    return item;
}

// An element of a circuit: its symbol, letter and number ("" for none).
struct Part {
    Kind kind;
    const char* letter;
    const char* number;
};

Part C(const char* n) { return {Kind::Capacitor, "C", n}; }
Part L(const char* n) { return {Kind::Inductor, "L", n}; }
Part R(const char* n) { return {Kind::Resistor, "R", n}; }

// Length of an element's segment along its wire.
int Span(Kind k)
{
    return k == Kind::Capacitor ? 14 : 30;
}

// Rough width of a label in the drawing's small font.
int TextWidth(const std::string& s)
{
    int chars = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++chars;
    return chars * 13 / 2;
}

// Builds a filter circuit from left to right: the line terminals, then
// stages along the upper wire, then the cable terminals.  Vertical elements
// keep their distance from each other and from the labels beside them.
class Ladder {
public:
    Ladder(SchemeDrawing& d, int wireY, int railY) : m_d(d), m_wireY(wireY), m_railY(railY) {}

    void LineTerminals()
    {
        Label(0, (m_wireY + m_railY) / 2 - 6, "ЛЭП", "");
        m_x = 24;
        Dot(m_x, m_wireY);
        Dot(m_x, m_railY);
        m_railStart = m_x;
        m_gap = 6;
    }

    // An element in series in the upper wire, labelled above it.
    void Series(Part p)
    {
        Lead(m_x + m_gap);
        const int len = Span(p.kind);
        Element(p.kind, m_x, m_wireY, m_x + len, m_wireY, -1);
        Label(m_x + len / 2 - 6, m_wireY - 28, p.letter, p.number);
        m_x += len;
        m_gap = 0;
    }

    // Branches from the wire to the rail, each a chain of elements, side by
    // side; of a pair the first is labelled on its left.
    void Shunt(std::vector<std::vector<Part>> branches)
    {
        const bool pair = branches.size() == 2;
        for (std::size_t i = 0; i < branches.size(); ++i) {
            const bool leftLabel = pair && i == 0;
            Lead(Place(leftLabel));
            Branch(branches[i], m_x, m_wireY, m_railY, leftLabel ? -1 : +1, true);
            m_labelEnd = leftLabel ? m_x + 8 : m_x + 28;
        }
        m_gap = 4;
    }

    // A chain in series with another chain in parallel to it, on a bypass below the wire.
    void Parallel(std::vector<Part> upper, std::vector<Part> lower)
    {
        Lead(m_x + std::max(m_gap, 6));
        const int left = m_x;
        auto width = [](const std::vector<Part>& chain) {
            int w = 0;
            for (const Part& p : chain)
                w += Span(p.kind);
            return w;
        };
        const int w = std::max(width(upper), width(lower)) + 8;
        const int low = m_wireY + 24;
        Chain(upper, left, m_wireY, left + w, -28);
        Chain(lower, left, low, left + w, 10);
        Wire(left, m_wireY, left, low);
        Wire(left + w, m_wireY, left + w, low);
        m_x = left + w;
        m_gap = 6;
        m_labelEnd = std::max(m_labelEnd, left + w / 2 + 16);
    }

    // Two windings side by side with their arcs facing each other: the left
    // one from the wire to the rail, the right one from a new wire to the
    // rail.  A transformer's windings carry no labels and its secondary has
    // a rail of its own.
    void Coupled(const char* first, const char* second, bool transformer)
    {
        const int xa = transformer ? Place(false, 8) : Place(true);
        const int xb = xa + 14;
        Lead(xa);
        Element(Kind::Inductor, xa, m_wireY, xa, m_railY, +1);
        Element(Kind::Inductor, xb, m_wireY, xb, m_railY, -1);
        const int mid = (m_wireY + m_railY) / 2 - 6;
        if (!transformer) {
            Label(xa - 22, mid, "L", first);
            Label(xb + 8, mid, "L", second);
        }
        // Coupled windings stand on the common rail, which runs on under both;
        // a transformer's secondary starts a rail of its own.
        if (transformer) {
            Wire(m_railStart, m_railY, xa, m_railY);
            m_railStart = xb;
        }
        m_x = xb;
        m_gap = 0;
        m_labelEnd = transformer ? xb + 8 : xb + 28;
    }

    // A coil tapped in the middle: the upper half from the wire to the tap,
    // the lower half from the tap to the rail; the circuit goes on from the tap.
    void TappedCoil(Part upper, Part lower)
    {
        const int xc = Place(true);
        Lead(xc);
        const int tap = (m_wireY + m_railY) / 2;
        Branch({upper}, xc, m_wireY, tap, -1, false);
        Branch({lower}, xc, tap, m_railY, -1, false);
        m_wireY = tap;
        m_x = xc;
        m_gap = 6;
        m_labelEnd = xc + 8;
    }

    // The cable terminals, "ВЧ кабель" on one line or "ВЧ" above "кабель".
    void CableTerminals(bool twoLines)
    {
        Lead(std::max(m_x + std::max(m_gap, 10), m_labelEnd));
        Dot(m_x, m_wireY);
        Dot(m_x, m_railY);
        Wire(m_railStart, m_railY, m_x, m_railY);
        const int mid = (m_wireY + m_railY) / 2;
        if (twoLines) {
            Label(m_x + 6, mid - 14, "ВЧ", "");
            Label(m_x + 6, mid, "кабель", "");
        } else {
            Label(m_x + 6, mid - 6, "ВЧ кабель", "");
        }
    }

private:
    // Where the next vertical element goes: clear of the last one and of the
    // labels at mid height, with room for its own label on its left.
    int Place(bool leftLabel, int least = 16) const
    {
        return std::max(m_x + least, m_labelEnd + (leftLabel ? 26 : 6));
    }

    void Lead(int to)
    {
        Wire(m_x, m_wireY, to, m_wireY);
        m_x = to;
    }

    // A vertical chain at x from y1 to y2, labels right (or left) of each element.
    void Branch(const std::vector<Part>& parts, int x, int y1, int y2, int side, bool bulgeRight)
    {
        const int n = int(parts.size());
        for (int i = 0; i < n; ++i) {
            const int a = y1 + (y2 - y1) * i / n;
            const int b = y1 + (y2 - y1) * (i + 1) / n;
            const Part& p = parts[std::size_t(i)];
            Element(p.kind, x, a, x, b, bulgeRight ? +1 : -1);
            const int lx = side > 0 ? x + 9 : x - 22;
            Label(lx, (a + b) / 2 - 8, p.letter, p.number);
        }
    }

    // A horizontal chain from x1 to x2 at y, elements from the left, labels at y + labelDy.
    void Chain(const std::vector<Part>& parts, int x1, int y, int x2, int labelDy)
    {
        int x = x1 + 4;
        Wire(x1, y, x, y);
        for (const Part& p : parts) {
            const int len = Span(p.kind);
            Element(p.kind, x, y, x + len, y, labelDy < 0 ? -1 : +1);
            Label(x + len / 2 - 6, y + labelDy, p.letter, p.number);
            x += len;
        }
        Wire(x, y, x2, y);
    }

    void Wire(int x1, int y1, int x2, int y2)
    {
        if (x1 != x2 || y1 != y2)
            m_d.items.push_back(Make(Kind::Wire, x1, y1, x2, y2));
    }
    void Element(Kind k, int x1, int y1, int x2, int y2, int bulge)
    {
        m_d.items.push_back(Make(k, x1, y1, x2, y2, bulge));
    }
    void Dot(int x, int y) { m_d.items.push_back(Make(Kind::Terminal, x, y, x, y)); }
    void Label(int x, int y, const char* text, const char* sub)
    {
        SchemeItem item = Make(Kind::Label, x, y, x, y);
        item.text = text;
        item.sub = sub;
        m_d.items.push_back(item);
    }

    SchemeDrawing& m_d;
    int m_x = 0;
    int m_wireY;
    int m_railY;
    int m_railStart = 0;
    int m_gap = 0;             // lead before the next element in series
    int m_labelEnd = 0;        // right end of the labels at mid height so far
};

// Moves the circuit so that it lies centred across the frame.
void CentreHorizontally(SchemeDrawing& d)
{
    int lo = INT_MAX, hi = INT_MIN;
    for (const SchemeItem& it : d.items) {
        const int right = it.kind == Kind::Label ? it.x1 + TextWidth(it.text) + (it.sub.empty() ? 0 : 8 + TextWidth(it.sub))
                                                 : std::max(it.x1, it.x2) + 6;
        lo = std::min({lo, it.x1, it.x2});
        hi = std::max(hi, right);
    }
    const int shift = (d.width - (hi - lo)) / 2 - lo;
    for (SchemeItem& it : d.items) {
        it.x1 += shift;
        it.x2 += shift;
    }
}

} // namespace

SchemeDrawing FiltrSchemeDrawing(int type, int areaWidth)
{
    SchemeDrawing d;
    d.width = type == 7 ? areaWidth : 355;
    d.height = 140;
    Ladder f(d, 40, 116);
    f.LineTerminals();
    switch (type) {
    case 1:
        f.Series(C("1"));
        f.Coupled("1", "2", false);
        f.Shunt({{C("2")}});
        f.Series(L("3"));
        f.Series(C("3"));
        break;
    case 2:
        f.Series(C("1"));
        f.Shunt({{C("4")}});
        f.TappedCoil(L("1"), L("2"));
        f.Shunt({{C("2")}});
        f.Series(L("3"));
        f.Series(C("3"));
        f.Shunt({{C("5")}});
        break;
    case 3:
        f.Series(C("1"));
        f.Shunt({{C("5")}});
        f.Series(L("1"));
        f.Parallel({L("2")}, {C("2")});
        f.Coupled("3", "4", false);
        f.Shunt({{C("3")}, {L("5"), C("4")}});
        break;
    case 4:
        f.Series(C("1"));
        f.Series(L("1"));
        f.Shunt({{C("2")}, {L("2")}});
        f.Series(C("3"));
        f.Series(L("3"));
        f.Series(R(""));
        f.Shunt({{C("4")}, {L("4")}});
        f.Series(C("5"));
        f.Series(L("5"));
        f.Coupled("", "", true);
        break;
    case 5:
        f.Series(C("1"));
        f.Shunt({{L("1")}});
        f.Series(C("2"));
        f.Coupled("", "", true);
        break;
    case 6:
        // C6 and L4 take no part in this scheme's circuit.
        f.Series(C("1"));
        f.Shunt({{C("2")}});
        f.Coupled("1", "2", false);
        f.Shunt({{C("4")}});
        f.Series(L("3"));
        f.Series(C("3"));
        f.Shunt({{C("5")}});
        break;
    default:
        f.Series(C("1"));
        f.Shunt({{C("4")}, {L("1"), R("1")}});
        f.Series(R("3"));
        f.Parallel({L("2"), R("2")}, {C("2")});
        f.Series(C("3"));
        f.Series(L("3"));
        f.Shunt({{L("4"), R("4")}});
        f.Coupled("", "", true);
        f.Shunt({{L("5"), R("5")}, {C("5")}, {C("6"), L("6")}});
        break;
    }
    f.CableTerminals(type == 3 || type == 4 || type == 7);
    CentreHorizontally(d);
    return d;
}

namespace {

void Add(SchemeDrawing& d, Kind k, int x1, int y1, int x2, int y2, int bulge = 1, int length = 30)
{
    d.items.push_back(Make(k, x1, y1, x2, y2, bulge, length));
}

void Text(SchemeDrawing& d, int x, int y, const char* text, const char* sub)
{
    SchemeItem item = Make(Kind::Label, x, y, x, y);
    item.text = text;
    item.sub = sub;
    d.items.push_back(item);
}

} // namespace

SchemeDrawing TrapSchemeDrawing(int scheme)
{
    SchemeDrawing d;
    const bool first = scheme == 0;
    d.width = first ? 275 : 245;
    d.height = first ? 110 : 130;
    const int top = 35;
    const int rail = first ? 95 : 110;
    const int mid = (top + rail) / 2;
    // x of C1, L1, the start of C2, the end of L2, C3, L3 and R's leg.
    struct Columns {
        int c1, l1, c2, l2end, c3, l3, r;
    };
    const Columns c = scheme == 0 ? Columns{40, 66, 94, 156, 190, 216, 248}
                    : scheme == 1 ? Columns{40, 66, 94, 156, 180, 210, 0}
                                  : Columns{34, 58, 82, 144, 160, 184, 214};
    const int last = scheme == 1 ? c.l3 : c.r;
    Add(d, Kind::Terminal, 14, top, 14, top);
    Add(d, Kind::Terminal, 14, rail, 14, rail);
    // The reactor L1 with C1 to its left, between the rails.
    Add(d, Kind::Capacitor, c.c1, top, c.c1, rail);
    Text(d, c.c1 - 22, mid - 8, "C", "1");
    Add(d, Kind::Inductor, c.l1, top, c.l1, rail, +1);
    Text(d, c.l1 + 9, mid - 8, "L", "1");
    // The series contour C2, L2 in the upper rail.
    Add(d, Kind::Wire, 14, top, c.c2, top);
    Add(d, Kind::Capacitor, c.c2, top, c.c2 + 22, top);
    Text(d, c.c2 + 5, 10, "C", "2");
    Add(d, Kind::Inductor, c.c2 + 22, top, c.l2end, top, -1);
    Text(d, c.c2 + 34, 10, "L", "2");
    Add(d, Kind::Wire, c.l2end, top, last, top);
    // The parallel contour L3 with C3 to its left, and R.
    Add(d, Kind::Inductor, c.l3, top, c.l3, rail, +1);
    Text(d, c.l3 + 9, mid - 8, "L", "3");
    if (scheme == 1) {
        const int split = (top + rail) / 2;
        Add(d, Kind::Capacitor, c.c3, top, c.c3, split);
        Text(d, c.c3 - 22, (top + split) / 2 - 8, "C", "3");
        Add(d, Kind::Resistor, c.c3, split, c.c3, rail, 1, 28);
        Text(d, c.c3 - 18, (split + rail) / 2 - 8, "R", "");
    } else {
        Add(d, Kind::Capacitor, c.c3, top, c.c3, rail);
        Text(d, c.c3 - 22, mid - 8, "C", "3");
        if (scheme == 0) {
            Add(d, Kind::Resistor, c.r, top, c.r, rail, 1, 30);
            Text(d, c.r + 9, mid - 8, "R", "");
        } else {
            const int split = (top + rail) / 2;
            Add(d, Kind::Resistor, c.r, top, c.r, split, 1, 25);
            Text(d, c.r + 9, (top + split) / 2 - 8, "R", "");
            Add(d, Kind::Inductor, c.r, split, c.r, rail, +1);
            Text(d, c.r + 9, (split + rail) / 2 - 8, "L", "4");
        }
    }
    Add(d, Kind::Wire, 14, rail, last, rail);
    return d;
}
