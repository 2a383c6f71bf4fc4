#include "calc/chaincascade.h"

#include "calc/blockembed.h"
#include "calc/bypass.h"
#include "calc/cableline.h"
#include "calc/calcglobals.h"
#include "calc/couplingdevice.h"
#include "calc/elementcheck.h"
#include "calc/simplemodels.h"
#include "calc/vline.h"
#include "math/matrix.h"
#include "model/branches.h"
#include "model/conductors.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <string>
#include <vector>

namespace {

// What an element contributes to its chain.
enum class Form {
    TwoPort,     // three blocks in v
    Shunt,       // an admittance from the conductors to ground at one node, v.Y0
    Connection,  // a re-ordering of the conductors, w
    Load,        // the admittance that closes the chain, v.Y0
    Branching,   // the two branches side by side in v, entered through s, left through w
    None,        // nothing (ends of branches and of the channel)
};

struct Built {
    Form form = Form::None;
    bool reported = false;  // an error was already shown (by a nested chain or a refusal)
};

int ElementCount()
{
    return static_cast<int>(g_ppCalcElements.size());
}

CElement& ElementAt(int i)
{
    return *g_ppCalcElements[static_cast<std::size_t>(i)];
}

// The type of element i, 0 past the end of the channel.
int TypeAt(int i)
{
    return i >= 0 && i < ElementCount() ? ElementAt(i).type : 0;
}

void SelectRecord(int i)
{
    g_pCurLineRec = i >= 0 && i < static_cast<int>(g_pLineRecs.size()) ? &g_pLineRecs[static_cast<std::size_t>(i)]
                                                                      : nullptr;
}

// Stops the run at an element the cascade cannot take; the message is the
// element-data refusal, so no matrix-error message follows.
Built Refuse(int index, const std::string& reason)
{
    ShowElementDataError(FormatElementDataError(index + 1, reason));
    g_MatError = 2;
    return {Form::None, true};
}

Built RefuseWireCount(int index, int wires, int n)
{
    return Refuse(index, StrFormat("у элемента %d проводов, а на участке цепи %d", wires, n));
}

Built RefuseUnclosed(int index)
{
    return Refuse(index, "вложенный участок цепи не завершен");
}

// Nested chains deeper than the editor's structure stack cannot come from a
// real channel; a damaged file must not exhaust the call stack.
constexpr int kMaxNesting = 100;
// Per thread: the points of a range are cascaded on several threads at once.
thread_local int s_nesting = 0;

struct NestingLevel {
    NestingLevel() { ++s_nesting; }
    ~NestingLevel() { --s_nesting; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
};

// Work matrices of one chain.
struct ChainWork {
    explicit ChainWork(int order)
        : n(order), v(order), g(order), w(std::size_t(order) * std::size_t(order)), s(w.size())
    {
    }
    int n;
    TwoPortStorage v;   // the element's result
    TwoPortStorage g;   // scratch of the combinations
    std::vector<int> w; // connection matrix
    std::vector<int> s; // selection matrix of a branching
};

void CopyBlocks(const TwoPortBlocks& from, const TwoPortBlocks& to, int n)
{
    MatCopy(from.Y0, to.Y0, n, n);
    MatCopy(from.Y1, to.Y1, n, n);
    MatCopy(from.Y2, to.Y2, n, n);
}

// ---- Nested chains --------------------------------------------------------

// A tap: its line, closed by its load, loads the chain as a shunt at this
// point over the tapped conductors.
Built BuildTap(int& i, ChainWork& k)
{
    const int tap = i, n = k.n;
    const COtvet* d = ElementAt(tap).Data<COtvet>();
    if (!d)
        return Refuse(tap, "не заданы параметры ответвления");
    const bool selective = d->selectionMode != 0;
    const int len = selective ? d->count : n;
    if (len < 1 || len > n || (selective && SelectedCount(d->flags, n) != len))
        return Refuse(tap, StrFormat("в ответвление выбрано неверное число проводов (%d)", len));
    TwoPortStorage line(len);
    const int end = CalcChain(tap + 1, line.blocks(), len, 0);
    if (g_MatError)
        return {Form::None, true};
    if (end <= tap || TypeAt(end) == kBranchingEnd)
        return RefuseUnclosed(tap);
    i = end;
    SelectRecord(i);
    MatCopy(line.blocks().Y0, k.v.blocks().Y0, len, len);
    if (selective)
        ExpandMatrix(k.v.blocks().Y0, d->flags, len, n);
    return {Form::Shunt, false};
}

// A doubling: the section of 2m conductors (the wires there and back) is
// closed at its far end, and its input admittance read as a two-port of m.
Built BuildDoubling(int& i, ChainWork& k)
{
    const int dbl = i, n = k.n;
    const COtvet* d = ElementAt(dbl).Data<COtvet>();
    if (!d)
        return Refuse(dbl, "не заданы параметры удвоения");
    const bool selective = d->selectionMode != 0;
    const int m = selective ? d->count / 2 : n;
    if (m < 1 || m > n || (selective && SelectedCount(d->flags, n) != m))
        return Refuse(dbl, StrFormat("удвоение задано для неверного числа проводов (%d)", m));
    const int m2 = 2 * m;
    TwoPortStorage section(m2);
    const int end = CalcChain(dbl + 1, section.blocks(), m2, 1);
    if (g_MatError)
        return {Form::None, true};
    if (end <= dbl || TypeAt(end) == kBranchingEnd)
        return RefuseUnclosed(dbl);
    i = end;
    SelectRecord(i);
    const CComplex* D = section.blocks().Y0;
    const TwoPortBlocks v = k.v.blocks();
    for (int a = 0; a < m; ++a)
        for (int b = 0; b < m; ++b) {
            v.Y0[a * m + b] = D[a * m2 + b];
            v.Y1[a * m + b] = D[a * m2 + m + b];
            v.Y2[a * m + b] = -D[(m + a) * m2 + m + b];
        }
    if (selective)
        ExpandElementBlocks(v, d->flags, m, n);
    return {Form::TwoPort, false};
}

// A branching: the two branches are calculated as chains of their own, set
// side by side, entered in the order of the branching's maps and left with
// the phase wires of both branches first, then their ground wires.
Built BuildBranching(int& i, ChainWork& k)
{
    const int br = i, n = k.n, count = ElementCount();
    const CElement& e = ElementAt(br);
    const COtvet* d = e.Data<COtvet>();
    const int N1 = 3 * e.circuitsAfter + e.groundWiresAfter;
    const int N2 = 3 * e.circuitsPart + e.groundWiresPart;
    if (!d)
        return Refuse(br, "не заданы параметры разветвления");
    if (N1 < 1 || N2 < 1 || N1 + N2 != n)
        return Refuse(br, StrFormat("ветви разветвления (%d и %d проводов) не составляют %d проводов", N1, N2, n));

    // The two ends of branching that close the branches, for the output order.
    int ends[2] = {-1, -1};
    for (int j = br + 1, found = 0; j < count && found < 2; ++j)
        if (ElementAt(j).type == kBranchingEnd)
            ends[found++] = j;
    if (ends[1] < 0)
        return RefuseUnclosed(br);

    TwoPortStorage first(N1), second(N2);
    const int b1 = CalcChain(br + 1, first.blocks(), N1, 0);
    if (g_MatError)
        return {Form::None, true};
    if (b1 <= br || TypeAt(b1) != kBranchingEnd)
        return RefuseUnclosed(br);
    const int b2 = CalcChain(b1 + 1, second.blocks(), N2, 0);
    if (g_MatError)
        return {Form::None, true};
    if (b2 <= b1 || TypeAt(b2) != kBranchingEnd)
        return RefuseUnclosed(br);
    i = b2;
    SelectRecord(i);

    // Entry: conductor a of the chain goes to the branch wire with its code.
    std::fill(k.s.begin(), k.s.end(), 0);
    for (int a = 0; a < n; ++a) {
        const int code = e.inMap[a];
        if (code < 0)
            continue;
        for (int b = 0; b < N1; ++b)
            if (code == e.outMap[b])
                k.s[a * n + b] = 1;
        for (int b = 0; b < N2; ++b)
            if (code == d->map[b])
                k.s[a * n + N1 + b] = 1;
    }

    // The branches side by side.
    const TwoPortBlocks v = k.v.blocks();
    MatZero(v.Y0, n);
    MatZero(v.Y1, n);
    MatZero(v.Y2, n);
    auto place = [n](const TwoPortBlocks& b, int order, int offset, const TwoPortBlocks& to) {
        for (int r = 0; r < order; ++r)
            for (int c = 0; c < order; ++c) {
                const int at = (offset + r) * n + offset + c;
                to.Y0[at] = b.Y0[r * order + c];
                to.Y1[at] = b.Y1[r * order + c];
                to.Y2[at] = b.Y2[r * order + c];
            }
    };
    place(first.blocks(), N1, 0, v);
    place(second.blocks(), N2, N1, v);

    // Exit: phase wires of the first, then of the second branch, then the
    // ground wires of the first and of the second.
    const CElement& e1 = ElementAt(ends[0]);
    const CElement& e2 = ElementAt(ends[1]);
    std::vector<int> order;
    for (int ground = 0; ground < 2; ++ground) {
        for (int b = 0; b < N1; ++b)
            if (IsGroundCode(e1.outMap[b]) == (ground == 1))
                order.push_back(b);
        for (int b = 0; b < N2; ++b)
            if (IsGroundCode(e2.outMap[b]) == (ground == 1))
                order.push_back(N1 + b);
    }
    std::fill(k.w.begin(), k.w.end(), 0);
    for (int number = 0; number < n; ++number)
        k.w[order[static_cast<std::size_t>(number)] * n + number] = 1;
    return {Form::Branching, false};
}

// The termination of the added conductors at one end of an attached-circuit
// section, given by element idx: an end of the attached circuit, or a chain
// of its own closed by its load (idx then moves to that load).
bool SectionTermination(int& idx, int G, std::vector<CComplex>& load, unsigned char& code)
{
    load.assign(std::size_t(G) * std::size_t(G), CComplex());
    code = 0;
    const CElement& e = ElementAt(idx);
    if (e.type == kAttachedEnd) {
        const CEndMod* d = e.Data<CEndMod>();
        if (!d) {
            Refuse(idx, "не заданы параметры конца присоединенной цепи");
            return false;
        }
        if (d->kind == 2)
            code = 1;  // grounded
        else if (d->kind == 3)
            code = 2;  // isolated
        else
            for (int w = 0; w < G; ++w)
                load[std::size_t(w) * std::size_t(G) + std::size_t(w)] = AttachedEndAdmittance(*d, w);
        return true;
    }
    TwoPortStorage chain(G);
    const int end = CalcChain(idx, chain.blocks(), G, 0);
    if (g_MatError)
        return false;
    if (end < idx || TypeAt(end) == kBranchingEnd) {
        RefuseUnclosed(idx);
        return false;
    }
    MatCopy(chain.blocks().Y0, load.data(), G, G);
    idx = end;
    return true;
}

// ---- One element ----------------------------------------------------------

Built BuildBypass(int i, ChainWork& k, bool closesDoubling)
{
    const CElement& e = ElementAt(i);
    const CEObhod* d = e.Data<CEObhod>();
    const int n = k.n;
    if (!d)
        return Refuse(i, "не заданы параметры обхода");
    // The bypass two-port is packed over its own wires; the chain embeds it,
    // or, closing a doubling, reads it as the load of both halves.
    bool fits;
    if (closesDoubling)
        fits = d->selectionMode == 0 && 2 * d->n == n;
    else if (d->selectionMode != 0)
        fits = e.wirePositions == n && SelectedCount(d->flags, n) == d->n;
    else
        fits = d->n == n;
    if (!fits || d->n < 1)
        return RefuseWireCount(i, d->n, n);
    CalcEObhodMatrices(e, k.v.blocks());
    if (g_MatError)
        return {Form::None, false};
    if (!closesDoubling && d->selectionMode != 0)
        ExpandElementBlocks(k.v.blocks(), d->flags, d->n, n);
    return {Form::TwoPort, false};
}

// Builds the contribution of element i.  Nested chains move i to the element
// that closed them.  In the section of an attached circuit (inSection) only
// the element types of a plain line are modelled, a coupling device always as
// a shunt.
Built BuildElement(int& i, ChainWork& k, int inDoubling, bool inSection)
{
    CElement& e = ElementAt(i);
    const int n = k.n;
    const TwoPortBlocks v = k.v.blocks();
    const bool sizedByElement = e.type == kOverheadLine || e.type == kShuntImpedance ||
                                e.type == kSeriesImpedance || e.type == kTransposition ||
                                e.type == kCouplingDevice;
    if (sizedByElement && e.wirePositions != n)
        return RefuseWireCount(i, e.wirePositions, n);

    switch (e.type) {
    case kOverheadLine: {
        unsigned char regenerate = g_bRegenSpans ? 1 : 0;
        CalcVLineElement(e, v, &regenerate);
        return {Form::TwoPort, false};
    }
    case kCableLine: {
        const CKLine* d = e.Data<CKLine>();
        if (!d)
            return Refuse(i, "не заданы параметры линии");
        CalcKLineElement(*d, v, n);
        return {Form::TwoPort, false};
    }
    case kShuntImpedance:
        BuildShuntElement(e, v.Y0);
        return {Form::Shunt, false};
    case kSeriesImpedance:
        BuildSeriesElement(e, v);
        return {Form::TwoPort, false};
    case kTapLoad: {
        if (inSection)
            return {};
        const CNagrOtv* d = e.Data<CNagrOtv>();
        if (!d)
            return Refuse(i, "не заданы параметры нагрузки ответвления");
        BuildTapEndLoad(*d, v.Y0, n);
        return {Form::Load, false};
    }
    case kTransposition:
        BuildConnectionMatrix(e, k.w.data());
        return {Form::Connection, false};
    case kCouplingDevice: {
        const int last = ElementCount() - 1;
        const int position = inSection ? kUprInner : i == 0 ? kUprFirst : i == last ? kUprLast : kUprInner;
        CalcUprMatrices(e, v, position);
        return {position == kUprInner ? Form::Shunt : Form::TwoPort, false};
    }
    case kBypass: {
        const CEObhod* d = e.Data<CEObhod>();
        const bool closes = !inSection && d && d->kind == 0 && (inDoubling || TypeAt(i + 1) == kAttachedEnd);
        return BuildBypass(i, k, closes);
    }
    case kTap:
        return BuildTap(i, k);
    case kWireCountChange: {
        if (inSection)
            return {};
        const int end = CalcVarModChain(i + 1, v, n, e.wirePositions2);
        if (g_MatError)
            return {Form::None, true};
        i = end;
        SelectRecord(i);
        return {Form::TwoPort, false};
    }
    case kDoubling:
        return inSection ? Built{} : BuildDoubling(i, k);
    case kAttachedEnd: {
        if (inSection)
            return {};
        const CEndMod* d = e.Data<CEndMod>();
        if (!d)
            return Refuse(i, "не заданы параметры конца присоединенной цепи");
        BuildAttachedEndLoad(*d, v.Y0, n);
        return {Form::Load, false};
    }
    case kBranchingStart:
        return inSection ? Built{} : BuildBranching(i, k);
    case kBranchingEnd:
    case kEndLoad:
        return {};
    default:
        return Refuse(i, StrFormat("неизвестный тип элемента (%d)", e.type));
    }
}

// Tests the element result after building: the matrix-error flag, then the
// finiteness of what the element contributes.  Reports a failure with the
// element's number.  True when the chain may go on.
bool ElementResultOk(const Built& built, int i, ChainWork& k)
{
    if (!g_MatError) {
        const TwoPortBlocks v = k.v.blocks();
        bool finite = true;
        if (built.form == Form::TwoPort || built.form == Form::Branching)
            finite = BlocksAreFinite(v, k.n);
        else if (built.form == Form::Shunt || built.form == Form::Load)
            finite = MatIsFinite(v.Y0, k.n, k.n);
        if (!finite)
            g_MatError = 2;
    }
    if (g_MatError && !built.reported)
        ReportElementMatrixError(i + 1);
    return !g_MatError;
}

// After a combination: a singular joint or values that are no longer finite
// stop the chain with the element's number.
bool AccumulatorOk(const TwoPortBlocks& acc, int n, int i)
{
    if (!g_MatError && !BlocksAreFinite(acc, n))
        g_MatError = 2;
    ReportElementMatrixError(i + 1);
    return !g_MatError;
}

// Combines an element result with an accumulator that holds a chain.
void CombineInto(const TwoPortBlocks& acc, Form form, ChainWork& k)
{
    const int n = k.n;
    const TwoPortBlocks v = k.v.blocks(), g = k.g.blocks();
    switch (form) {
    case Form::Shunt:
        TwoPortShuntFar(acc, v.Y0, acc, n);
        break;
    case Form::Connection:
        TwoPortConnectFar(acc, k.w.data(), g, n);
        CopyBlocks(g, acc, n);
        break;
    case Form::Branching:
        TwoPortConnectFar(acc, k.s.data(), g, n);
        MatCascade(g, v, g, n);
        if (!g_MatError)
            TwoPortConnectFar(g, k.w.data(), acc, n);
        break;
    case Form::TwoPort:
        MatCascade(acc, v, acc, n);
        break;
    case Form::Load:
    case Form::None:
        break;
    }
}

// Shunts and re-orderings met before the first two-port of a chain that
// begins inside the channel with a coupling device: they are applied at the
// near port of the first two-port.
struct NearPending {
    explicit NearPending(int n) : K(std::size_t(n) * std::size_t(n)), J(K.size()), Jw(K.size()) {}
    std::vector<CComplex> K;
    std::vector<int> J, Jw;
    bool shunt = false;
    bool connection = false;
    Form recent = Form::None;
};

// Combines an element result with an accumulator that holds nothing yet.
// Returns true when the accumulator now holds a chain.
bool CombineFirst(const TwoPortBlocks& acc, Form form, ChainWork& k, NearPending& p)
{
    const int n = k.n;
    const TwoPortBlocks v = k.v.blocks(), g = k.g.blocks();
    switch (form) {
    case Form::Shunt:
        if (p.shunt)
            MatAdd(p.K.data(), v.Y0, p.K.data(), n, n);
        else
            MatCopy(v.Y0, p.K.data(), n, n);
        p.shunt = true;
        p.recent = Form::Shunt;
        return false;
    case Form::Connection:
        if (p.connection) {
            MatMulInt(p.J.data(), k.w.data(), p.Jw.data(), n, n, n);
            p.J.swap(p.Jw);
        } else {
            p.J = k.w;
        }
        p.connection = true;
        p.recent = Form::Connection;
        return false;
    case Form::Load:
    case Form::None:
        return false;
    case Form::Branching:
        // A branching as the first two-port: its re-orderings around the
        // branches, on a straight link.
        SetStraightLink(n, acc);
        CombineInto(acc, Form::Branching, k);
        if (g_MatError)
            return false;
        CopyBlocks(acc, v, n);
        break;
    case Form::TwoPort:
        break;
    }
    if (!p.shunt && !p.connection) {
        CopyBlocks(v, acc, n);
    } else if (p.recent == Form::Shunt) {
        TwoPortShuntNear(p.K.data(), v, acc, n);
        if (p.connection) {
            TwoPortConnectNear(p.J.data(), acc, g, n);
            CopyBlocks(g, acc, n);
        }
    } else {
        TwoPortConnectNear(p.J.data(), v, acc, n);
        if (p.shunt)
            TwoPortShuntNear(p.K.data(), acc, acc, n);
    }
    p.shunt = p.connection = false;
    p.recent = Form::None;
    return true;
}

// A substation bypass that closes a doubling: its two-port over the m wires
// there and back becomes the 2m x 2m admittance that loads the doubled section.
void BypassAsDoublingLoad(ChainWork& k)
{
    const int n = k.n, d = n / 2;
    const TwoPortBlocks v = k.v.blocks();
    std::vector<CComplex> full(std::size_t(n) * std::size_t(n));
    for (int a = 0; a < d; ++a)
        for (int b = 0; b < d; ++b) {
            full[std::size_t(a * n + b)] = v.Y0[a * d + b];
            full[std::size_t(a * n + d + b)] = v.Y1[a * d + b];
            full[std::size_t((d + a) * n + b)] = v.Y1[b * d + a];
            full[std::size_t((d + a) * n + d + b)] = -v.Y2[a * d + b];
        }
    MatCopy(full.data(), v.Y0, n, n);
}

} // namespace

void ReportElementMatrixError(int number)
{
    if (g_MatError && !QuietCalcMessages::Active())
        ShowMessage(StrFormat("Ошибка при расчетах матриц элемента N %d.\nРасчет прекращен.", number), kAppName,
                    MsgIcon::Stop, MsgButtons::Ok);
}

int CalcChain(int start, const TwoPortBlocks& accumulator, int n, int inDoubling)
{
    const int count = ElementCount();
    const NestingLevel level;
    if (start < 0 || start >= count || n < 1) {
        Refuse(start > 0 ? start - 1 : 0, "вложенный участок цепи пуст");
        return 0;
    }
    if (s_nesting > kMaxNesting) {
        Refuse(start, "слишком много вложенных участков цепи");
        return 0;
    }
    ChainWork k(n);
    NearPending pending(n);
    bool initialised = false;
    if (ElementAt(start).type != kCouplingDevice) {
        SetStraightLink(n, accumulator);
        initialised = true;
    }

    int i = start;
    for (;;) {
        SelectRecord(i);
        const int modelled = i;
        const int type = ElementAt(i).type;
        const Built built = BuildElement(i, k, inDoubling, false);
        if (!ElementResultOk(built, i, k))
            return 0;
        const int next = TypeAt(i + 1);

        // Does this element close the chain?
        bool closes = built.form == Form::Load;
        const CEObhod* bypass = type == kBypass ? ElementAt(modelled).Data<CEObhod>() : nullptr;
        const bool substation = bypass && bypass->kind == 0;
        if ((type == kCouplingDevice && (next == kTapLoad || next == kAttachedEnd)) ||
            (substation && next == kAttachedEnd)) {
            ++i;  // the load after it is not modelled
            closes = true;
        } else if (inDoubling && substation) {
            closes = true;
        }

        if (closes) {
            if (substation && (next == kAttachedEnd || inDoubling))
                BypassAsDoublingLoad(k);
            const TwoPortBlocks g = k.g.blocks();
            if (initialised) {
                TwoPortInputMatrix(accumulator, k.v.blocks().Y0, g.Y0, n);
                MatCopy(g.Y0, accumulator.Y0, n, n);
            } else {
                MatCopy(k.v.blocks().Y0, accumulator.Y0, n, n);
            }
            if (!g_MatError && !MatIsFinite(accumulator.Y0, n, n))
                g_MatError = 2;
            ReportElementMatrixError(i + 1);
            return g_MatError ? 0 : i;
        }

        if (initialised)
            CombineInto(accumulator, built.form, k);
        else
            initialised = CombineFirst(accumulator, built.form, k, pending);
        if (initialised && !AccumulatorOk(accumulator, n, i))
            return 0;
        if (!initialised && g_MatError) {
            ReportElementMatrixError(i + 1);
            return 0;
        }

        ++i;
        if (i >= count || next == kEndLoad)
            return 0;
        if (next == kBranchingEnd)
            return i;  // a branch ends here
    }
}

int CalcVarModChain(int start, const TwoPortBlocks& result, int n, int d)
{
    const int count = ElementCount();
    const int G = d - n;
    const int change = start - 1;
    if (G < 1 || start >= count) {
        Refuse(change, StrFormat("число проводов меняется с %d на %d", n, d));
        return 0;
    }
    std::vector<CComplex> nearLoad, farLoad;
    unsigned char nearCode = 0, farCode = 0;
    int idx = start;
    if (!SectionTermination(idx, G, nearLoad, nearCode))
        return 0;

    // The section itself, d conductors, up to the change that rejoins it.
    TwoPortStorage acc(d);
    SetStraightLink(d, acc.blocks());
    ChainWork k(d);
    int j = idx + 1;
    for (; j < count && ElementAt(j).type != kWireCountChange; ++j) {
        SelectRecord(j);
        const Built built = BuildElement(j, k, 0, true);
        if (!ElementResultOk(built, j, k))
            return 0;
        CombineInto(acc.blocks(), built.form, k);
        if (!AccumulatorOk(acc.blocks(), d, j))
            return 0;
    }
    int far = j + 1;
    if (j >= count || far >= count) {
        RefuseUnclosed(change);
        return 0;
    }
    if (!SectionTermination(far, G, farLoad, farCode))
        return 0;

    TwoPortReduce(acc.blocks(), nearLoad.data(), farLoad.data(), result, nearCode, farCode, n, G);
    if (!g_MatError && !BlocksAreFinite(result, n))
        g_MatError = 2;
    ReportElementMatrixError(change + 1);
    return g_MatError ? 0 : far;
}
