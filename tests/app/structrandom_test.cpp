// Random chains built the way a user builds them with the element toolbar,
// and random damage to them as a file may bring it: the walk and the replay
// must agree on every sound chain and stop at a broken element without
// touching anything past it (these run under the sanitizers too).
#include "platform/archive.h"
#include "structurefixture.h"

namespace {

// The handlers' own refusals of a toolbar choice.
bool HandlerAccepts(ChainEditor& t, int type)
{
    std::string message;
    switch (type) {
    case kOverheadLine:
        return PhaseWiresFirst();
    case kCableLine:
        return PhasesAlternateWithScreens();
    case kWireCountChange:
        return t.st.kind != kSectionAttached || CanRejoinAttachedCircuit(t.doc, message);
    default:
        return true;
    }
}

std::unique_ptr<ChainEditor> RandomTask(std::mt19937& rng)
{
    const bool dc = rng() % 5 == 0;
    const int circuits = 1 + int(rng() % (dc ? 2 : 4));
    const int ground = int(rng() % (dc ? 3 : 7));
    const int conductors = (dc ? 1 : 3) * circuits + ground;
    const int split = rng() % 8 == 0 ? int(rng() % unsigned(conductors)) : -1;
    return std::make_unique<ChainEditor>(circuits, ground, dc, split, unsigned(rng()));
}

// A transposition of the wires at the chain end, or none entered yet.
CElement RandomTransposition(ChainEditor& t, std::mt19937& rng)
{
    if (rng() % 2) {
        CElement e;
        e.SetType(kTransposition);
        return e;
    }
    const int n = t.st.wireCount - (t.st.split >= 0 ? 1 : 0);
    std::vector<std::uint8_t> perm(std::size_t(std::max(n, 0)));
    for (std::size_t i = 0; i < perm.size(); ++i)
        perm[i] = std::uint8_t(i);
    std::shuffle(perm.begin(), perm.end(), rng);
    return TranspositionOf(std::move(perm));
}

// Chooses enabled toolbar commands at random until the chain is ended or
// long enough.  With check set, every step is compared with a fresh replay.
// After damage an element whose wire choice breaks the chain may be refused.
void BuildRandomChain(ChainEditor& t, std::mt19937& rng, std::size_t length, bool check, bool damaged = false)
{
    while (t.doc.elements.size() < length && t.st.endState != kChainClosedByLoad) {
        std::vector<int> types;
        for (int type : t.EnabledTypes())
            if (HandlerAccepts(t, type))
                types.push_back(type);
        if (types.empty())
            return;
        const int type = types[rng() % types.size()];
        if (type == kBranchingEnd && t.st.branchPhase == 1) {
            ASSERT_TRUE(t.walk.AppendBranchMarker());
        } else if (type == kTransposition) {
            CElement transposition = RandomTransposition(t, rng);
            ASSERT_TRUE(t.Place(type, &transposition) || damaged) << t.walk.Problem();
        } else if (!t.Place(type)) {
            ASSERT_TRUE(damaged) << "type " << type << ": " << t.walk.Problem();
            ASSERT_FALSE(t.walk.Problem().empty());
            return;
        }
        if (check)
            ExpectReplayAgrees(t, "element " + std::to_string(t.doc.elements.size() - 1));
    }
}

void Mutate(CKestrinDoc& doc, std::mt19937& rng)
{
    const std::size_t n = doc.elements.size();
    if (n == 0)
        return;
    auto pick = [&] { return std::size_t(rng() % n); };
    CElement& e = *doc.elements[pick()];
    auto byte = [&](int limit) { return std::uint8_t(rng() % unsigned(limit)); };
    switch (rng() % 12) {
    case 0:
        doc.elements.erase(doc.elements.begin() + std::ptrdiff_t(pick()));
        break;
    case 1:
        doc.elements.insert(doc.elements.begin() + std::ptrdiff_t(pick()), std::make_unique<CElement>(e));
        break;
    case 2:
        std::swap(doc.elements[pick()], doc.elements[pick()]);
        break;
    case 3:
        e.type = byte(17);  // the data object may now be of another type's class
        break;
    case 4:
        e.wirePositions2 = byte(rng() % 2 ? 48 : 256);
        break;
    case 5:
        e.circuitsPart = byte(rng() % 2 ? 10 : 256);
        e.groundWiresPart = byte(rng() % 2 ? 10 : 256);
        break;
    case 6:
        e.circuitsAfter = byte(rng() % 2 ? 10 : 256);
        e.groundWiresAfter = byte(rng() % 2 ? 10 : 256);
        break;
    case 7:
        if (COtvet* t = e.Data<COtvet>()) {
            t->count = byte(rng() % 2 ? 48 : 256);
            for (auto& f : t->flags)
                f = byte(2);
        }
        break;
    case 8: {
        auto t = std::make_unique<CTransp>();
        std::vector<std::uint8_t> perm(rng() % 44);
        for (auto& p : perm)
            p = byte(rng() % 4 ? 44 : 256);
        t->count = std::uint8_t(perm.size());
        t->permutation = std::move(perm);
        e.data = std::move(t);
        break;
    }
    case 9:
        e.data.reset();
        break;
    case 10:
        if (CEObhod* b = e.Data<CEObhod>()) {
            b->kind = byte(3);
            b->n = byte(rng() % 2 ? 44 : 256);
        }
        break;
    default:
        doc.splitConductor = rng() % 3 ? -1 : int(rng() % 42);
        break;
    }
}

// After a replay: a broken chain stops at its element and leaves the rest
// alone and the commands off; a sound one can be stored and continued.
void CheckReplayOfDamagedChain(ChainEditor& t, std::mt19937& rng)
{
    StructureSnapshot before(t.doc, t.st);
    const bool sound = StructureReplay(t.doc, t.st, false).Run();
    ASSERT_EQ(sound, !t.st.Broken());
    for (int i = 0; i < int(t.doc.elements.size()); ++i) {
        CStructState reduced;
        GetStructState(t.doc, i, reduced);
    }
    if (!sound) {
        ASSERT_GE(t.st.brokenAt, 0);
        ASSERT_LT(t.st.brokenAt, int(t.doc.elements.size()));
        StructureSnapshot after(t.doc, t.st);
        for (std::size_t i = std::size_t(t.st.brokenAt); i < after.elements.size(); ++i)
            ASSERT_TRUE(before.elements[i] == after.elements[i]) << i;
        EXPECT_TRUE(t.EnabledTypes().empty());
        EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, false));
        return;
    }
    ArchiveWriter out;
    for (const auto& e : t.doc.elements) {
        ASSERT_LE(e->MapPairs(), kMaxWires);
        EXPECT_NO_THROW(e->Store(out));
    }
    BuildRandomChain(t, rng, t.doc.elements.size() + 3, false, true);
}

TEST(StructureRandom, WalkAndReplayAgreeOnRandomChains)
{
    std::mt19937 rng(20240611);
    for (int chain = 0; chain < 10000; ++chain) {
        auto t = RandomTask(rng);
        const bool check = chain % 50 == 0;
        BuildRandomChain(*t, rng, 5 + rng() % 56, check);
        ExpectReplayAgrees(*t, "chain " + std::to_string(chain));
        if (HasFatalFailure() || HasFailure())
            FAIL() << "chain " << chain;
        for (int damage = 0; damage < 3; ++damage) {
            for (int k = 1 + int(rng() % 3); k > 0; --k)
                Mutate(t->doc, rng);
            CheckReplayOfDamagedChain(*t, rng);
            if (HasFatalFailure())
                FAIL() << "damaged chain " << chain;
        }
    }
}

} // namespace
