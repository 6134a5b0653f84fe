// The straight-line fit against certified reference results and hand-derived cases.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/LeastSquares.h"

using eh::analysis::fitLine;

namespace {

// NIST StRD "Norris" (linear regression, lower difficulty), with its certified values.
const std::vector<double> kNorrisY = {0.1,   338.8, 118.1, 888.0, 9.2,   228.1, 668.5, 998.5, 449.1,
                                      778.9, 559.2, 0.3,   0.1,   778.1, 668.8, 339.3, 448.9, 10.8,
                                      557.7, 228.3, 998.0, 888.8, 119.6, 0.3,   0.6,   557.6, 339.3,
                                      888.0, 998.5, 778.9, 10.2,  117.6, 228.9, 668.4, 449.2, 0.2};
const std::vector<double> kNorrisX = {0.2,   337.4, 118.2, 884.6, 10.1,  226.5, 666.3, 996.3, 448.6,
                                      777.0, 558.2, 0.4,   0.6,   775.5, 666.9, 338.0, 447.5, 11.6,
                                      556.0, 228.1, 995.8, 887.6, 120.2, 0.3,   0.3,   556.8, 339.1,
                                      887.2, 999.0, 779.0, 11.1,  118.3, 229.2, 669.1, 448.9, 0.5};

} // namespace

TEST(LeastSquares, NorrisCertifiedValues) {
    const auto f = fitLine(kNorrisX, kNorrisY);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->points, 36);
    struct Row {
        const char* what;
        double got, certified;
    } rows[] = {
        {"slope", f->slope, 1.00211681802045},
        {"intercept", f->intercept, -0.262323073774029},
        {"slope sd", f->slopeError, 0.429796848199937e-03},
        {"intercept sd", f->interceptError, 0.232818234301152},
        {"residual sd", f->residualSd, 0.884796396144373},
        {"R squared", f->rSquared, 0.999993745883712},
    };
    for (const Row& r : rows) EXPECT_NEAR(r.got / r.certified, 1.0, 1e-10) << r.what;
}

// Points on y = 2 + 3x at x = 0..4 with residuals (0, 1, -2, 1, 0), which sum to zero
// and are orthogonal to x, so the line is recovered exactly: RSS = 6, s^2 = 6/3,
// Sxx = 10, se(slope) = sqrt(0.2), se(intercept) = sqrt(2 (1/5 + 4/10)),
// Syy = 9 * 10 + 6, R^2 = 1 - 6/96. Shifting x far from zero must change nothing but
// the intercept.
TEST(LeastSquares, HandDerivedLineWithKnownResiduals) {
    struct Row {
        double shift, intercept, interceptError;
    } rows[] = {
        {0.0, 2.0, 1.0954451150103321},
        {1e6, 2.0 - 3e6, 0}, // intercept error checked for the unshifted case only
    };
    for (const Row& r : rows) {
        std::vector<double> x, y;
        const double resid[] = {0, 1, -2, 1, 0};
        for (int i = 0; i < 5; ++i) {
            x.push_back(i + r.shift);
            y.push_back(2 + 3.0 * i + resid[i]);
        }
        const auto f = fitLine(x, y);
        ASSERT_TRUE(f) << r.shift;
        EXPECT_NEAR(f->slope, 3.0, 1e-9) << r.shift;
        EXPECT_NEAR(f->intercept, r.intercept, 1e-9 * (1 + std::abs(r.intercept))) << r.shift;
        EXPECT_NEAR(f->slopeError, 0.44721359549995793, 1e-9) << r.shift;
        EXPECT_NEAR(f->rSquared, 0.9375, 1e-12) << r.shift;
        EXPECT_NEAR(f->residualSd, std::sqrt(2.0), 1e-12) << r.shift;
        if (r.interceptError > 0) {
            EXPECT_NEAR(f->interceptError, r.interceptError, 1e-12);
        }
    }
}

TEST(LeastSquares, TooFewOrDegeneratePointsGiveNoLine) {
    struct Row {
        std::vector<double> x, y;
        bool fits;
    } rows[] = {
        {{}, {}, false},
        {{1, 2}, {1, 2}, false},             // two points: no standard error
        {{1, 2, 3}, {1, 2, 4}, true},        // three: the least that fits
        {{5, 5, 5, 5}, {1, 2, 3, 4}, false}, // all x equal: no slope
        {{1, 2, 3}, {1, 2}, false},          // mismatched lengths
    };
    for (const Row& r : rows) EXPECT_EQ(fitLine(r.x, r.y).has_value(), r.fits) << r.x.size();
}

TEST(LeastSquares, PerfectLineHasZeroErrorsAndUnitRSquared) {
    const std::vector<double> x = {1, 2, 3, 4}, y = {-1, -3, -5, -7};
    const auto f = fitLine(x, y);
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ(f->slope, -2);
    EXPECT_DOUBLE_EQ(f->intercept, 1);
    EXPECT_NEAR(f->slopeError, 0, 1e-15);
    EXPECT_DOUBLE_EQ(f->rSquared, 1);
}
