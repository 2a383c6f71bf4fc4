#include "calc/linecache.h"

#include "calc/calcglobals.h"
#include "calc/vline.h"
#include "model/document.h"
#include "model/lines.h"

#include <cmath>
#include <cstddef>

thread_local std::vector<LineCalcRecord> g_pLineRecs;

namespace {

// The matrices a lending section owns; its record points into them.
struct LineRecStorage {
    std::vector<CComplex> blocks[3];
    std::vector<CComplex> modal[2];
    std::vector<CComplex> gamma;
};

thread_local std::vector<LineRecStorage> s_storage;

// The table itself, shared by every thread: SameLineKind of each pair of line
// sections (earlier row, later column), computed once when the table is built.
// Each thread makes its records and storage from it; the generation tells a
// thread whether its records belong to the current table.
std::vector<unsigned char> s_kinds;
unsigned s_generation = 0;
thread_local unsigned s_threadGeneration = 0;

// Order of the modal data: the wire positions of an overhead line; for a
// cable line its cores and screens, or the cores alone in a pipe.
int ModalOrder(const CElement& e)
{
    if (e.type == kCableLine) {
        const CKLine* k = e.Data<CKLine>();
        return k ? 3 * k->circuits * (2 - (k->pipe != 0 ? 1 : 0)) : 0;
    }
    return e.wirePositions;
}

// The catalog items of two sections compare as equal in every value (the
// section compare accepts a matching name).
bool SameCatalogItems(const CElement& a, const CElement& b)
{
    if (a.type == kOverheadLine) {
        const CVLine* x = a.Data<CVLine>();
        const CVLine* y = b.Data<CVLine>();
        if (!x || !y || x->tower.Compare(y->tower) != 2)
            return false;
        if (x->inhomogeneity != 0 && x->matrix.Compare(y->matrix) != 2)
            return false;
        for (int i = 0; i < VLineSectionWires(*x); ++i) {
            const CVLProv* p = x->Wire(i);
            const CVLProv* q = y->Wire(i);
            if (!p || !q || p->wireType.Compare(q->wireType) != 2)
                return false;
        }
        return true;
    }
    const CKLine* x = a.Data<CKLine>();
    const CKLine* y = b.Data<CKLine>();
    if (!x || !y)
        return false;
    return x->pipe != 0 ? x->pipeCable.Compare(y->pipeCable) == 2 : x->solidCable.Compare(y->solidCable) == 2;
}

// The split wire is a single wire (bundle count 1) whose spacing places its
// two halves; the section compare looks at the spacing of bundles only.  The
// split-conductor index is the same in both (the section compare asks for it).
bool SameSplitSpacing(const CElement& a, const CElement& b)
{
    if (a.type != kOverheadLine)
        return true;
    const CVLine* x = a.Data<CVLine>();
    const CVLine* y = b.Data<CVLine>();
    const int split = a.splitConductor;
    if (!x || !y || split < 0 || split >= VLineSectionWires(*x))
        return true;
    const CVLProv* p = x->Wire(split);
    const CVLProv* q = y->Wire(split);
    if (!p || !q)
        return p == q;
    return std::fabs(p->bundleStep - q->bundleStep) <= 1e-5;
}

CComplex* Allocate(std::vector<CComplex>& v, int order)
{
    v.assign(std::size_t(order) * std::size_t(order), CComplex());
    return v.data();
}

} // namespace

unsigned char SameLineKind(const CElement& earlier, const CElement& later)
{
    unsigned char r = earlier.IsSameLine(later);
    if (r == 0)
        return 0;
    if (earlier.wirePositions != later.wirePositions || !SameCatalogItems(earlier, later) ||
        !SameSplitSpacing(earlier, later))
        return 0;
    return r;
}

void FreeSameLineTable()
{
    g_pCurLineRec = nullptr;
    g_pLineRecs.clear();
    s_storage.clear();
    g_ppCalcElements.clear();
    s_kinds.clear();
    s_threadGeneration = ++s_generation;
}

void BuildSameLineTable(const CKestrinDoc& doc, bool spansRedrawn)
{
    std::vector<CElement*> elements;
    elements.reserve(doc.elements.size());
    for (const auto& e : doc.elements)
        elements.push_back(e.get());
    BuildSameLineTable(elements, spansRedrawn);
}

void BuildSameLineTable(const std::vector<CElement*>& elements, bool spansRedrawn)
{
    FreeSameLineTable();
    const std::size_t count = elements.size();
    g_ppCalcElements = elements;
    s_kinds.assign(count * count, 0);
    auto isLine = [spansRedrawn](const CElement& e) {
        if (spansRedrawn && e.type == kOverheadLine)
            if (const CVLine* line = e.Data<CVLine>(); line && line->inhomogeneity == 1)
                return false;
        return e.type == kOverheadLine || e.type == kCableLine;
    };
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count && isLine(*elements[i]); ++j)
            if (isLine(*elements[j]))
                s_kinds[i * count + j] = SameLineKind(*elements[i], *elements[j]);
    s_threadGeneration = ++s_generation;
    MakeThreadLineRecords();
}

void UseSameLineTableOnThisThread()
{
    if (s_threadGeneration == s_generation)
        return;
    s_threadGeneration = s_generation;
    MakeThreadLineRecords();
}

void MakeThreadLineRecords()
{
    const std::vector<CElement*>& elements = g_ppCalcElements;
    const int count = int(elements.size());
    g_pCurLineRec = nullptr;
    g_pLineRecs.assign(std::size_t(count), LineCalcRecord());
    s_storage.clear();
    s_storage.resize(std::size_t(count));
    auto kind = [count](int earlier, int later) {
        return s_kinds[std::size_t(earlier) * std::size_t(count) + std::size_t(later)];
    };

    for (int i = 0; i < count; ++i) {
        LineCalcRecord& rec = g_pLineRecs[std::size_t(i)];
        const CElement& e = *elements[std::size_t(i)];
        rec.flags = 0;
        if (e.type != kOverheadLine && e.type != kCableLine)
            continue;

        // Look back: the first equal earlier section wins, and an equal one
        // replaces a same-cross-section one found before it.
        for (int j = 0; j < i && !(rec.flags & kLineRecEqual); ++j) {
            unsigned char r = kind(j, i);
            if (r == 0)
                continue;
            unsigned char f = r == 2 ? kLineRecEqual : kLineRecSameSection;
            if (rec.flags & f)
                continue;
            const LineCalcRecord& lender = g_pLineRecs[std::size_t(j)];
            rec.p1 = lender.p1, rec.p2 = lender.p2, rec.p3 = lender.p3;
            rec.p4 = lender.p4, rec.p5 = lender.p5, rec.p6 = lender.p6;
            rec.flags = f;
        }
        if (rec.flags & kLineRecEqual)
            continue;

        // Look ahead: keep the blocks for a later equal section and the
        // modal data for a later section of the same cross-section.
        LineRecStorage& own = s_storage[std::size_t(i)];
        const unsigned char both = kLineRecStoreBlocks | kLineRecStoreModal;
        for (int j = i + 1; j < count && (rec.flags & both) != both; ++j) {
            unsigned char r = kind(i, j);
            if (r == 2 && !(rec.flags & kLineRecStoreBlocks)) {
                rec.flags |= kLineRecStoreBlocks;
                rec.p1 = Allocate(own.blocks[0], e.wirePositions);
                rec.p2 = Allocate(own.blocks[1], e.wirePositions);
                rec.p3 = Allocate(own.blocks[2], e.wirePositions);
            } else if (r == 1 && !(rec.flags & (kLineRecStoreModal | kLineRecSameSection))) {
                const int m = ModalOrder(e);
                rec.flags |= kLineRecStoreModal;
                rec.p4 = Allocate(own.modal[0], m);
                rec.p5 = Allocate(own.modal[1], m);
                own.gamma.assign(std::size_t(m), CComplex());
                rec.p6 = own.gamma.data();
            }
        }
    }

    // The compares allow small differences, so they need not be transitive:
    // a section may find its lender through a section that lends nothing.
    // Such a section calculates in full instead of reading missing storage.
    for (LineCalcRecord& rec : g_pLineRecs) {
        if ((rec.flags & kLineRecEqual) && !(rec.p1 && rec.p2 && rec.p3))
            rec = LineCalcRecord();
        if ((rec.flags & kLineRecSameSection) && !(rec.p4 && rec.p5 && rec.p6)) {
            // Keeps the blocks it stores for later equal sections.
            rec.flags &= static_cast<unsigned char>(~kLineRecSameSection);
            rec.p4 = rec.p5 = rec.p6 = nullptr;
        }
    }
}
