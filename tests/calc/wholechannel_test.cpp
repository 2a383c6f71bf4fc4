// A channel with an element of every type, calculated, written to a task
// file with its results, read back and calculated again.
#include "wholechannel.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace channeltest;

// The points of two results, within a relative tolerance (0: bit for bit).
void ExpectSamePoints(const CRezGra& a, const CRezGra& b, double tol = 0.0)
{
    ASSERT_EQ(a.PointCount(), b.PointCount());
    auto same = [tol](double x, double y) { return x == y || std::fabs(x - y) <= tol * std::max(std::fabs(x), 1.0); };
    for (std::size_t i = 0; i < a.PointCount(); ++i) {
        const CRezGraPoint &p = a.points[i], &q = b.points[i];
        EXPECT_EQ(p.freq, q.freq);
        EXPECT_TRUE(same(p.transfer.re, q.transfer.re)) << i << ": " << p.transfer.re << " " << q.transfer.re;
        EXPECT_TRUE(same(p.transfer.im, q.transfer.im)) << i << ": " << p.transfer.im << " " << q.transfer.im;
        EXPECT_TRUE(same(p.zLeft.re, q.zLeft.re)) << i;
        EXPECT_TRUE(same(p.zLeft.im, q.zLeft.im)) << i;
        EXPECT_TRUE(same(p.zRight.re, q.zRight.re)) << i;
        EXPECT_TRUE(same(p.zRight.im, q.zRight.im)) << i;
    }
}

TEST_F(WholeChannelTest, EveryElementTypeFromATaskFileAndBack)
{
    BuildEveryElementType();
    Calculate();
    ASSERT_EQ(doc.responseResults.size(), 2u);
    for (const auto& r : doc.responseResults)
        for (const CRezGraPoint& p : r->points) {
            // A real channel: finite, attenuating, passive ends.
            EXPECT_LT(std::fabs(p.transfer.re), 200.0);
            EXPECT_GT(p.transfer.re, 0.0);
            EXPECT_GT(p.zLeft.re, 0.0);
            EXPECT_GT(p.zRight.re, 0.0);
        }
    EXPECT_EQ(doc.responseResults[0]->PointCount(), 4u);
    EXPECT_EQ(doc.responseResults[0]->endFreq, 500000.0);

    // The task with its results to a file and back.
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("kestrin_wholechannel_" + std::to_string(::getpid()) + ".ktf");
    std::string error;
    ASSERT_TRUE(doc.SaveTaskFile(path.string(), error)) << error;
    CKestrinDoc back;
    g_pDoc = &back;
    ASSERT_TRUE(back.OpenTaskFile(path.string(), error)) << error;
    std::filesystem::remove(path);
    ASSERT_EQ(back.elements.size(), doc.elements.size());
    ASSERT_EQ(back.responseResults.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const CRezGra &a = *doc.responseResults[std::size_t(k)], &b = *back.responseResults[std::size_t(k)];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.mode, b.mode);
        EXPECT_EQ(a.resistance, b.resistance);
        EXPECT_EQ(a.rxWire2, b.rxWire2);
        EXPECT_EQ(a.zEndLeft, b.zEndLeft);
        ExpectSamePoints(a, b);
    }

    // The task read back calculates to the same numbers (the lines read from
    // the file know their mirror symmetry and are solved by halves).
    std::vector<std::unique_ptr<CRezGra>> first = std::move(doc.responseResults);
    back.ClearResults();
    {
        CalcSession session(back);
        CalcRequest r;
        r.frequencies.mode = 1;
        r.frequencies.start = 50;
        r.frequencies.end = 500;
        r.frequencies.step = 150;
        ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    }
    ASSERT_EQ(back.responseResults.size(), 1u);
    ExpectSamePoints(*first[0], *back.responseResults[0], 1e-7);
    g_pDoc = &doc;
}

} // namespace
