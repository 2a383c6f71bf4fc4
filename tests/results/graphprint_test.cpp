// Pages of a printed graph: counted from its printed height, one page wide.
#include "results/graphprint.h"

#include <gtest/gtest.h>

namespace {

TEST(GraphPrint, RowsFollowThePrintedHeight)
{
    // An A4 page at 1200 dpi, portrait and landscape.
    const int w = 9921, h = 14031;
    struct {
        const char* what;
        int clientWidth, clientHeight, pageWidth, pageHeight;
        int rows;
    } cases[] = {
        {"twice as tall as wide, portrait", 400, 800, w, h, 2},
        {"4:3, portrait", 800, 600, w, h, 1},
        {"4:3 just overflows a landscape page", 800, 600, h, w, 2},
        {"wide and flat, landscape", 1000, 200, h, w, 1},
        {"three times as tall, portrait", 300, 900, w, h, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const GraphPrintPages p = PlanGraphPages(c.clientWidth, c.clientHeight, c.pageWidth, c.pageHeight);
        EXPECT_EQ(p.rows, c.rows);
        // Every row of the printed graph lies on some page, and no page is empty.
        EXPECT_GE(p.rows * c.pageHeight, p.printedHeight);
        EXPECT_LT((p.rows - 1) * c.pageHeight, p.printedHeight);
        EXPECT_NEAR(c.clientWidth * p.printScale, 0.95 * c.pageWidth, 1.0);
    }
}

} // namespace
