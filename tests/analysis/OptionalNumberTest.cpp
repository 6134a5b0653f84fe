// The compact optional number of the derived quantities behaves as std::optional<double>
// for every value a quantity can take, zero and infinities included.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "analysis/OptionalNumber.h"
#include "analysis/Quantities.h"

using namespace eh::analysis;

TEST(OptionalNumber, PresentAndAbsentAsStdOptional) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {0.0, -0.0, 1.5, -3125.0, 2e-300, inf, -inf}) {
        OptionalNumber n;
        EXPECT_FALSE(n.has_value());
        n = v;
        EXPECT_TRUE(n.has_value()) << v;
        EXPECT_TRUE(static_cast<bool>(n)) << v;
        EXPECT_EQ(*n, v);
        EXPECT_EQ(n.value(), v);
        EXPECT_EQ(n.value_or(7), v);
        const std::optional<double> back = n;
        EXPECT_EQ(back, std::optional<double>(v));
        n = std::nullopt;
        EXPECT_FALSE(n) << v;
        EXPECT_EQ(n.value_or(7), 7);
        EXPECT_THROW((void)n.value(), std::bad_optional_access);
        EXPECT_EQ(std::optional<double>(n), std::nullopt);
    }
    EXPECT_FALSE(OptionalNumber(std::optional<double>{}));
    EXPECT_EQ(*OptionalNumber(std::optional<double>{2.5}), 2.5);
    // A NaN is no quantity: storing one leaves the number absent.
    EXPECT_FALSE(OptionalNumber(std::numeric_limits<double>::quiet_NaN()));
}

// The nine quantities of a record fit in 72 bytes: a table of a million records is
// 72 MB of numbers, not 144 MB.
TEST(OptionalNumber, DerivedRecordStaysSmall) {
    EXPECT_EQ(sizeof(OptionalNumber), 8u);
    EXPECT_LE(sizeof(Derived), 9 * 8 + sizeof(std::string_view) + 16);
}
