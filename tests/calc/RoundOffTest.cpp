#include "calc/RoundOff.h"
#include "calc/SlotValue.h"
#include "tests/calc/TestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace wyndlor {
namespace {

struct RoundCase {
    const char *name;
    double value;
    int32_t places;
    double expected;
};

class RoundOffCases : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundOffCases, RoundsHalfAwayFromZeroWithNudge) {
    const RoundCase &c = GetParam();
    int32_t error = 0;
    EXPECT_TRUE(test::Near(RoundOff(c.value, c.places, error), c.expected, test::kExact));
    EXPECT_EQ(error, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoundOffCases,
    ::testing::Values(
        RoundCase{"BinaryHalfBelowRoundsUp", 2.675, 2, 2.68},
        RoundCase{"ThreePlacesHalf", 2.0005, 3, 2.001},
        RoundCase{"NegativeHalfKeepsSign", -2.0005, 3, -2.001},
        RoundCase{"BelowResolutionIsZero", 0.00004, 3, 0.0},
        RoundCase{"WholeNumberHalf", 1234.5, 0, 1235.0},
        RoundCase{"FourPlacesHalf", 0.00015, 4, 0.0002},
        RoundCase{"NegativeFourPlacesHalf", -0.00015, 4, -0.0002},
        RoundCase{"BelowHalfTruncates", 1.2344, 3, 1.234},
        RoundCase{"AlreadyRounded", 5.308, 3, 5.308},
        RoundCase{"ExactWholeNoPoint", 7.0, 0, 7.0},
        RoundCase{"RationalRunoff", 4.00625, 4, 4.0063},
        RoundCase{"ZeroPlacesBelowHalf", 0.49, 0, 0.0},
        RoundCase{"LargeValue", 123456789.125, 2, 123456789.13}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RoundOffFailures, NonFiniteValuesAreOverflows) {
    int32_t error = 0;
    EXPECT_EQ(RoundOff(std::numeric_limits<double>::infinity(), 3, error), 0.0);
    EXPECT_EQ(error, err::Overflow);
    error = 0;
    RoundOff(std::numeric_limits<double>::quiet_NaN(), 3, error);
    EXPECT_EQ(error, err::Overflow);
    error = 0;
    RoundOff(1e305, 10, error);
    EXPECT_EQ(error, err::Overflow);
}

TEST(SplitHourMinuteTest, SplitsMinutes) {
    int32_t h = -1, m = -1;
    SplitHourMinute(1425, h, m);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(m, 45);
    SplitHourMinute(0, h, m);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, 0);
    SplitHourMinute(1000, h, m);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(m, 40);
}

}  // namespace
}  // namespace wyndlor

namespace wyndlor {
namespace {

// The rounding as first written: the decision always from the printed
// text.  The engine takes a shortcut when the fraction is clear of the
// decision points; both must agree everywhere.
double ReferenceRoundOff(double value, int32_t places) {
    const double x = std::fabs(value);
    const double scale = std::pow(10.0, places);
    if (x < 1.0 / (scale * 10.0)) return 0.0;
    const double y = x * scale + 0.00001;
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", y);
    const char *point = std::strchr(text, '.');
    double r = point ? (std::floor(y) + (point[1] >= '5' ? 1.0 : 0.0)) / scale : y / scale;
    return value < 0 ? -r : r;
}

TEST(RoundOffAgreement, ShortcutMatchesPrintedDecision) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-6, 12);
    std::uniform_int_distribution<int> places(0, 5);
    int mismatches = 0;
    for (int i = 0; i < 300000 && mismatches < 5; ++i) {
        const int p = places(rng);
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (i % 3 == 0) v = std::round(v * std::pow(10.0, p + 1)) / std::pow(10.0, p + 1);  // many exact halves
        const double got = RoundOff(v, p);
        const double want = ReferenceRoundOff(v, p);
        if (got != want) {
            ++mismatches;
            ADD_FAILURE() << "value " << v << " places " << p << ": " << got << " vs " << want;
        }
    }
}

}  // namespace
}  // namespace wyndlor
