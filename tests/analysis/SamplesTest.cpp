// The samples a file can come from, as the window's list, the report and the command
// line name them: bar 1 is the n-type one, bar 2 the p-type one, and no other bar has
// dimensions to analyse with.
#include <gtest/gtest.h>

#include "analysis/Samples.h"

using namespace eh::analysis;

TEST(Samples, OnlyTheTwoCataloguedBars) {
    struct Row {
        int sample;
        bool analysable;
        const char* type;
    } rows[] = {
        {0, false, ""},  {1, true, "n"},  {2, true, "p"},  {3, false, ""},
        {10, false, ""}, {11, false, ""}, {-1, false, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(isAnalysableSample(r.sample), r.analysable) << r.sample;
        EXPECT_EQ(sampleType(r.sample), r.type) << r.sample;
    }
    EXPECT_EQ(analysableSamples(), (std::vector<int>{1, 2}));
    EXPECT_EQ(analysableSamplesText(), "1 o 2");
}
