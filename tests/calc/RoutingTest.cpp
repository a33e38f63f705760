// Flood routing through the pond.
#include "calc/CQo.h"
#include "calc/RoundOff.h"
#include "calc/SlotValue.h"
#include "tests/calc/TestSupport.h"

namespace wyndlor {
namespace {

using test::kExact;
using test::Near;

// The guideline's constant-area pond: FWL 100 m, area 20 000 m2, weir
// B 5 m, Cd 1.8.
CQo ConstantAreaPond(double area = 20000) {
    CQo q;
    q.HVCMethod = 0;
    q.HVC().Add(100.0, 0.0, 0.0, 0.0);
    q.HVC().Add(101.0, 1.0, area, area);
    q.ELS = 100;
    q.SectType = 1;
    q.SectEL = 100;
    q.SectB = 5;
    q.SectCd = 1.8;
    q.DecQo = 3;
    q.DecH = 3;
    q.DecV = 0;
    return q;
}

TEST(Routing, ConstantAreaWorkedExample) {
    CQo q = ConstantAreaPond();
    const int32_t t[] = {0, 10, 20, 30, 40, 50};
    const double qi[] = {0, 5, 10, 5, 0, 0};
    for (int i = 0; i < 6; ++i) q.Qo().Add(t[i], qi[i]);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    struct Row {
        double Qo, EL, h, V;
    };
    const Row expected[] = {{0, 100.000, 0, 0},         {0.175, 100.072, 0.072, 1447}, {1.300, 100.275, 0.275, 5505},
                            {2.637, 100.441, 0.441, 8824}, {2.605, 100.438, 0.438, 8751}, {2.012, 100.368, 0.368, 7366}};
    ASSERT_EQ(q.Qo().Count(), 6);
    for (int i = 0; i < 6; ++i) {
        const auto &it = *q.Qo().Item(i + 1);
        EXPECT_TRUE(Near(it.Qo, expected[i].Qo, kExact)) << "t=" << t[i];
        EXPECT_TRUE(Near(it.EL, expected[i].EL, kExact)) << "t=" << t[i];
        EXPECT_TRUE(Near(it.h, expected[i].h, kExact)) << "t=" << t[i];
        EXPECT_TRUE(Near(it.V, expected[i].V, kExact)) << "t=" << t[i];
    }
    EXPECT_EQ(q.n(), 4);
    EXPECT_TRUE(Near(q.Q2(), 2.637, kExact));
    EXPECT_TRUE(Near(q.Hmax(), 0.441, kExact));
}

TEST(Routing, EmptyHydrograph) {
    CQo q = ConstantAreaPond();
    q.Calc();
    EXPECT_EQ(q.Error(), 0);
    EXPECT_EQ(q.n(), 0);
    EXPECT_EQ(q.Q2(), 0);
    EXPECT_EQ(q.Hmax(), 0);
}

TEST(Routing, InflowThatNeverLiftsAboveCrest) {
    CQo q = ConstantAreaPond();
    q.ELS = 99;  // starts a metre below the crest: storage 0 there
    q.Qo().Add(10, 0.0);
    q.Qo().Add(20, 0.0);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    for (const auto &it : q.Qo()) {
        EXPECT_EQ(it->Qo, 0);
        EXPECT_EQ(it->h, 0);
        EXPECT_EQ(it->V, 0);
    }
    EXPECT_EQ(q.n(), 0);
    EXPECT_EQ(q.Hmax(), 0);
}

TEST(Routing, EqualPeaksPointToTheEarlier) {
    CQo q = ConstantAreaPond();
    q.Qo().Add(0, 0.0);
    q.Calc();  // a single point at t = 0 stays at the crest
    ASSERT_EQ(q.Error(), 0);
    EXPECT_TRUE(Near(q.Qo().Item(1)->EL, 100.0, kExact));
    EXPECT_EQ(q.n(), 0);

    CQo steady = ConstantAreaPond();
    // A pond full to 0.2 m above the crest with inflow equal to its outflow
    // stays put, so every point has the same outflow.
    steady.ELS = 100.2;
    const double q0 = 1.8 * 5 * std::pow(0.2, 1.5);
    steady.Qo().Add(10, q0);
    steady.Qo().Add(20, q0);
    steady.Qo().Add(30, q0);
    steady.Calc();
    ASSERT_EQ(steady.Error(), 0);
    EXPECT_GT(steady.Qo().Item(1)->Qo, 0);
    EXPECT_EQ(steady.Qo().Item(1)->Qo, steady.Qo().Item(2)->Qo);
    EXPECT_EQ(steady.Qo().Item(2)->Qo, steady.Qo().Item(3)->Qo);
    EXPECT_EQ(steady.n(), 1);
}

TEST(Routing, ZeroSurfaceAreaFails) {
    CQo q = ConstantAreaPond(0);
    q.Qo().Add(10, 5.0);
    q.Calc();
    EXPECT_EQ(q.Error(), err::DivisionByZero);  // storage -> level over a flat segment
    CQo dry = ConstantAreaPond(0);
    dry.Qo().Add(10, 0.0);
    dry.Calc();
    EXPECT_EQ(dry.Error(), err::Overflow);  // 0 / 0 there
}

TEST(ControlSection, Discharges) {
    CQo channel = ConstantAreaPond();
    channel.SectType = 0;
    channel.SectCd = 1;
    channel.SectB = 1;
    EXPECT_TRUE(Near(channel.GetQo(101), 1.704, 1e-12));
    EXPECT_EQ(channel.GetQo(100), 0);
    EXPECT_EQ(channel.GetQo(99), 0);

    CQo weir = ConstantAreaPond();
    weir.SectCd = 1.8;
    weir.SectB = 2;
    EXPECT_TRUE(Near(weir.GetQo(100.5), 1.2728, 0.0001));
}

CQo FrustumPond() {
    CQo q;
    q.HVCMethod = 1;
    q.HVC().Add(98.0, 0.0, 1000.0, 0.0);
    q.HVC().Add(99.0, 0.0, 5000.0, 0.0);
    q.HVC().Add(100.0, 0.0, 12000.0, 0.0);
    q.HVC().Add(101.0, 0.0, 20000.0, 0.0);
    q.ELS = 100;
    q.SectType = 1;
    q.SectEL = 100;
    q.SectB = 5;
    q.SectCd = 1.8;
    return q;
}

TEST(Routing, FrustumPreparation) {
    CQo q = FrustumPond();
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    const double h[] = {0, 1, 2, 3};
    const double v[] = {0, 2745, 10994, 26825};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Near(q.HVC().Item(i + 1)->h, h[i], kExact)) << i;
        EXPECT_TRUE(Near(q.HVC().Item(i + 1)->V, v[i], kExact)) << i;
    }
}

TEST(Routing, FrustumStartingLevelAtTimeZero) {
    CQo q = FrustumPond();
    q.Qo().Add(0, 0.0);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    // The frustum start storage read back through the linear lookup lands
    // near, not exactly at, the starting level.
    EXPECT_TRUE(Near(q.Qo().Item(1)->EL, 100.0, 0.05));
}

TEST(Routing, FrustumRoutesAFlood) {
    CQo q = FrustumPond();
    const int32_t t[] = {0, 10, 20, 30, 40, 50, 60};
    const double qi[] = {0, 5, 10, 5, 0, 0, 0};
    for (int i = 0; i < 7; ++i) q.Qo().Add(t[i], qi[i]);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    EXPECT_GT(q.Q2(), 0);
    EXPECT_LT(q.Q2(), 10);  // attenuated
    EXPECT_GT(q.n(), 3);     // delayed behind the inflow peak
    EXPECT_GT(q.Hmax(), 0);
}

TEST(Routing, StorageAboveTopPointFoundByBisection) {
    CQo q = FrustumPond();
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    // Above the top the linear storage grows at 15 831 m3/m.
    const double level = q.GetELBisect(26825 + 15831 * 2.5);
    EXPECT_TRUE(Near(level, 103.5, 0.001));
}

TEST(Routing, EmptyPondLevelIsTheLowestPoint) {
    CQo q = FrustumPond();
    q.Calc();
    EXPECT_EQ(q.GetELBisect(0), 98.0);
    EXPECT_EQ(q.GetELBisect(-5), 98.0);
    EXPECT_EQ(q.GetELLinear(-5), 98.0);
}

TEST(Routing, FrustumStartBelowFirstPointStaysAtFirstPoint) {
    CQo q = FrustumPond();
    q.ELS = 97;
    q.Qo().Add(0, 0.0);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    EXPECT_TRUE(Near(q.Qo().Item(1)->EL, 98.0, 0.001));
}

TEST(Routing, FrustumNeedsRisingLevels) {
    CQo one;
    one.HVCMethod = 1;
    one.HVC().Add(100.0, 0.0, 1000.0, 0.0);
    one.Qo().Add(10, 1.0);
    one.Calc();
    EXPECT_EQ(one.Error(), err::InvalidCall);
    EXPECT_EQ(one.Qo().Item(1)->EL, 0);  // left as it was

    CQo flat = FrustumPond();
    flat.HVC().Item(3)->EL = 99.0;  // same level as the point below
    flat.HVC().Item(2)->h = 7;
    flat.Qo().Add(10, 1.0);
    flat.Calc();
    EXPECT_EQ(flat.Error(), err::InvalidCall);
    EXPECT_EQ(flat.HVC().Item(2)->h, 7);  // no preparation ran

    CQo none;
    none.HVCMethod = 1;
    none.Calc();
    EXPECT_EQ(none.Error(), err::InvalidCall);
}

TEST(Routing, FrustumZeroAreaAtStartSegmentFails) {
    CQo q = FrustumPond();
    q.HVC().Item(1)->A = 0;
    q.ELS = 98.5;
    q.Qo().Add(10, 1.0);
    q.Calc();
    EXPECT_EQ(q.Error(), err::DivisionByZero);
}

// The numbers of the other failure kinds inside one formula.
TEST(Routing, FailureNumbersOfFormulas) {
    CQo negative = FrustumPond();
    negative.HVC().Item(1)->A = -1000;  // root of a negative in the preparation
    negative.Qo().Add(10, 1.0);
    negative.Calc();
    EXPECT_EQ(negative.Error(), err::InvalidCall);

    CQo wide = ConstantAreaPond();
    wide.SectB = 1e300;
    wide.SectCd = 1e10;  // Cd B beyond the double range
    wide.Qo().Add(10, 1.0);
    wide.Calc();
    EXPECT_EQ(wide.Error(), err::Overflow);
}

TEST(Routing, UnshrinkableBracketIsOverflowNotLoop) {
    CQo q;
    q.HVCMethod = 1;
    q.HVC().Add(1e15, 0.0, 1000.0, 0.0);
    q.HVC().Add(1e15 + 1, 0.0, 2000.0, 0.0);
    q.ELS = 1e15 + 0.5;
    q.SectEL = 2e15;
    q.Qo().Add(10, 1.0);
    q.Calc();
    EXPECT_EQ(q.Error(), err::Overflow);
}

}  // namespace
}  // namespace wyndlor
