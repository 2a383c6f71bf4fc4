// The comparison-buffer window's rules and the walk over the marked curves.
#include "buffertest.h"
#include "results/buffercommands.h"

namespace {

namespace gc = GraphCommand;

TEST(BufferCommands, RowsThatNeedCurvesFollowTheGraph)
{
    GraphModel none(kBufferGraph);
    CRezGra r = *TaskResult(5);
    GraphModel one(kBufferGraph);
    one.BuildCurves(2, {{"a", &r}});
    struct {
        const char* what;
        int id;
        const GraphModel* graph;
        bool enabled, checked;
    } cases[] = {
        {"choice always", rescmd::ChooseResults, &none, true, false},
        {"copy always", rescmd::Copy, &none, true, false},
        {"line style always", rescmd::LineStyle, &none, true, false},
        {"legend always, ticked", rescmd::Legend, &none, true, true},
        {"quantity needs curves", gc::InputLeft, &none, false, false},
        {"quantity ticked", gc::InputLeft, &one, true, true},
        {"other quantity", gc::Attenuation, &one, true, false},
        {"per frequency needs curves", gc::ByFrequency, &none, false, false},
        {"scale with curves", gc::Scale, &one, true, false},
        {"buffer's shift, at the data end", gc::BufferShiftLeft, &one, false, false},
        {"the results window's shift is not the buffer's", gc::ResultsShiftLeft, &one, false, false},
        {"coloured set ticked", rescmd::ColourSet, &none, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BufferUiState s;
        s.graph = c.graph;
        const ResultsCommandState st = GetBufferCommandState(c.id, s);
        EXPECT_EQ(st.enabled, c.enabled);
        EXPECT_EQ(st.checked, c.checked);
    }
}

TEST(BufferCommands, MarkedCurvesInBufferOrderWithGroupLabels)
{
    CompareBuffer buffer;
    for (const char* title : {"Первая", "Вторая"}) {
        auto g = std::make_unique<CBufZad>();
        g->title = title;
        for (int k = 0; k < 3; ++k) {
            auto c = std::make_unique<CBufGra>();
            c->result = *TaskResult(3 + k);
            c->result.label = "A-0/B-" + std::to_string(k);
            c->selected = k != 1;
            g->curves.push_back(std::move(c));
        }
        buffer.groups.push_back(std::move(g));
    }
    std::vector<std::string> labels;
    for (const CurveSource& s : BufferCurveSources(buffer))
        labels.push_back(s.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Первая,A-0/B-0", "Первая,A-0/B-2", "Вторая,A-0/B-0",
                                                "Вторая,A-0/B-2"}));
}

} // namespace
