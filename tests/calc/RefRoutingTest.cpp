// The fine-step reference routing and its storage relation.
#include "calc/CRefRouting.h"
#include "calc/SlotValue.h"
#include "tests/calc/TestSupport.h"

#include <cmath>
#include <string>

namespace wyndlor {
namespace {

using test::Near;

constexpr double kStorageExact = 1e-9;  // m3 or m: exact piecewise-linear arithmetic

// ---------------------------------------------------------------------------
// The storage relation

PiecewiseStorage ThreeSegments() {
    // Storage gains of 2000, 8000 and 16000 m3 per metre.
    PiecewiseStorage s;
    EXPECT_TRUE(s.Set({{98, 0}, {99, 2000}, {100, 10000}, {101, 26000}}));
    return s;
}

struct StorageRow {
    const char *name;
    double EL;    // m
    double V;     // m3
    double area;  // m2 at EL
};

class StorageLookup : public ::testing::TestWithParam<StorageRow> {};

TEST_P(StorageLookup, LevelAndStorageInvertEachOther) {
    const StorageRow &r = GetParam();
    const PiecewiseStorage s = ThreeSegments();
    EXPECT_TRUE(Near(s.VolumeAt(r.EL), r.V, kStorageExact));
    EXPECT_TRUE(Near(s.LevelAt(r.V), r.EL, kStorageExact));
    EXPECT_TRUE(Near(s.AreaAt(r.EL), r.area, kStorageExact));
}

INSTANTIATE_TEST_SUITE_P(
    PiecewiseStorage, StorageLookup,
    ::testing::Values(StorageRow{"FirstPoint", 98, 0, 2000}, StorageRow{"InFirstSegment", 98.25, 500, 2000},
                      StorageRow{"AtInnerPointTakesUpperSegment", 99, 2000, 8000},
                      StorageRow{"JustAboveInnerPoint", 99.0005, 2004, 8000},
                      StorageRow{"InLastSegment", 100.5, 18000, 16000}, StorageRow{"TopPoint", 101, 26000, 16000},
                      StorageRow{"AboveTopExtendsLastSegment", 102.5, 50000, 16000}),
    [](const ::testing::TestParamInfo<StorageRow> &info) { return std::string(info.param.name); });

TEST(PiecewiseStorage, BelowTheFirstPoint) {
    const PiecewiseStorage s = ThreeSegments();
    EXPECT_EQ(s.VolumeAt(97), 0);
    EXPECT_EQ(s.LevelAt(0), 98);
    EXPECT_EQ(s.LevelAt(-10), 98);
}

TEST(PiecewiseStorage, FlatSegmentGivesItsLowestLevel) {
    PiecewiseStorage s;
    ASSERT_TRUE(s.Set({{98, 0}, {99, 1000}, {100, 1000}, {101, 5000}}));
    EXPECT_EQ(s.LevelAt(1000), 99);
    EXPECT_TRUE(Near(s.LevelAt(3000), 100.5, kStorageExact));
}

struct BadStorageRow {
    const char *name;
    std::vector<PiecewiseStorage::Point> points;
};

class BadStorage : public ::testing::TestWithParam<BadStorageRow> {};

TEST_P(BadStorage, IsRefused) {
    PiecewiseStorage s;
    EXPECT_FALSE(s.Set(GetParam().points));
    EXPECT_TRUE(s.Empty());
}

INSTANTIATE_TEST_SUITE_P(
    PiecewiseStorage, BadStorage,
    ::testing::Values(BadStorageRow{"OnePoint", {{100, 0}}},
                      BadStorageRow{"LevelsNotRising", {{100, 0}, {100, 10}}},
                      BadStorageRow{"StorageFalling", {{100, 0}, {101, 100}, {102, 50}, {103, 200}}},
                      BadStorageRow{"FlatTop", {{100, 0}, {101, 100}, {102, 100}}},
                      BadStorageRow{"ZeroArea", {{100, 0}, {101, 0}}}),
    [](const ::testing::TestParamInfo<BadStorageRow> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The routing

// The guideline's constant-area pond: FWL 100 m, area 20 000 m2, weir B 5 m,
// Cd 1.8; the worked hydrograph of the engine's routing example.
CRefRouting WorkedExample(double subStep = 1.0) {
    CRefRouting r;
    EXPECT_TRUE(r.Storage.Set({{100, 0}, {101, 20000}}));
    r.ELS = 100;
    r.SectType = 1;
    r.SectEL = 100;
    r.SectB = 5;
    r.SectCd = 1.8;
    r.Inflow = {{0, 0}, {10, 5}, {20, 10}, {30, 5}, {40, 0}, {50, 0}};
    r.SubStep = subStep;
    return r;
}

TEST(RefRouting, WorkedExampleResolvesThePeakBetweenTimePoints) {
    CRefRouting r = WorkedExample();
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    // The guideline routing gives 2.637 m3/s and 0.441 m at its 30-minute
    // point; the peak comes later, on the falling limb of the inflow.
    EXPECT_TRUE(Near(r.Q2(), 2.7796, 0.0005));
    EXPECT_EQ(r.TPeak(), 34);
    EXPECT_TRUE(Near(r.Hmax(), 0.4569, 0.0005));
    ASSERT_EQ(r.QoAtPoints().size(), 6u);
    ASSERT_EQ(r.HAtPoints().size(), 6u);
    EXPECT_EQ(r.QoAtPoints()[0], 0);
    for (size_t i = 1; i < 6; ++i) EXPECT_GT(r.QoAtPoints()[i], 0) << i;
    // One sample at t = 0 and one per minute.
    ASSERT_EQ(r.Series().size(), 51u);
    EXPECT_EQ(r.Series().front().t, 0);
    EXPECT_EQ(r.Series().back().t, 50);
    EXPECT_EQ(r.Series()[30].Qo, r.QoAtPoints()[3]);
    EXPECT_EQ(r.Series()[34].Qo, r.Q2());
}

TEST(RefRouting, HalvingTheSubStepMovesThePeakByLessThanAThousandth) {
    CRefRouting coarse = WorkedExample(1.0);
    CRefRouting fine = WorkedExample(0.5);
    coarse.Calc();
    fine.Calc();
    ASSERT_EQ(coarse.Error(), 0);
    ASSERT_EQ(fine.Error(), 0);
    EXPECT_LT(std::fabs(fine.Q2() - coarse.Q2()) / fine.Q2(), 0.001);
    EXPECT_LT(std::fabs(fine.Hmax() - coarse.Hmax()), 0.001);
    EXPECT_EQ(fine.Series().size(), 101u);
}

TEST(RefRouting, StorageBalancesInflowAndOutflow) {
    // Storage gained over the run = inflow volume - outflow volume, the
    // outflow integrated by the trapezoidal rule over the sub-steps.
    CRefRouting r = WorkedExample();
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    double outflow = 0;
    const auto &s = r.Series();
    for (size_t i = 1; i < s.size(); ++i) outflow += (s[i].t - s[i - 1].t) * 60.0 * (s[i].Qo + s[i - 1].Qo) / 2.0;
    // The hydrograph 0-5-10-5-0 at 10-minute points holds 20 m3/s x 10 min.
    const double inflow = 20.0 * 600.0;
    const double stored = 20000.0 * s.back().h;
    EXPECT_TRUE(Near(stored, inflow - outflow, 0.01));
}

TEST(RefRouting, SteadyFlowStaysPut) {
    CRefRouting r = WorkedExample();
    r.ELS = 100.2;
    const double q0 = 1.8 * 5 * std::pow(0.2, 1.5);
    r.Inflow = {{0, q0}, {60, q0}, {120, q0}};
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    for (const RefSample &s : r.Series()) {
        EXPECT_TRUE(Near(s.Qo, q0, 1e-9)) << s.t;
        EXPECT_TRUE(Near(s.h, 0.2, 1e-9)) << s.t;
    }
}

TEST(RefRouting, ShortLastSubStepBeforeATimePoint) {
    CRefRouting r = WorkedExample(3.0);
    r.Inflow = {{10, 5}, {25, 0}};
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    const double expected[] = {0, 3, 6, 9, 10, 13, 16, 19, 22, 25};
    ASSERT_EQ(r.Series().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_TRUE(Near(r.Series()[i].t, expected[i], 1e-12)) << i;
}

TEST(RefRouting, TimePointAtZeroAndRepeatedTimesAddNoStep) {
    CRefRouting r = WorkedExample();
    r.Inflow = {{0, 0}, {0, 0}, {10, 5}, {10, 5}};
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    EXPECT_EQ(r.Series().size(), 11u);
    ASSERT_EQ(r.QoAtPoints().size(), 4u);
    EXPECT_EQ(r.QoAtPoints()[2], r.QoAtPoints()[3]);
}

TEST(RefRouting, PondDrainsNoLowerThanEmpty) {
    // A pond below its crest with a crest below the first point: the
    // outflow would take more than the pond holds in a long step.
    CRefRouting r;
    ASSERT_TRUE(r.Storage.Set({{100, 0}, {101, 100}}));
    r.ELS = 100.5;
    r.SectEL = 99;  // outflow even from the empty pond
    r.SectB = 50;
    r.SectCd = 1.8;
    r.SubStep = 60;
    r.Inflow = {{120, 0}};
    r.Calc();
    ASSERT_EQ(r.Error(), 0);
    for (const RefSample &s : r.Series()) EXPECT_GE(s.h, 1.0) << s.t;  // level never below the first point
    EXPECT_EQ(r.HAtPoints().back(), 1.0);
}

TEST(RefRouting, BadInputsFailWithoutResults) {
    CRefRouting noSubStep = WorkedExample(0);
    noSubStep.Calc();
    EXPECT_EQ(noSubStep.Error(), err::InvalidCall);
    EXPECT_TRUE(noSubStep.Series().empty());

    CRefRouting backwards = WorkedExample();
    backwards.Inflow = {{20, 1}, {10, 1}};
    backwards.Calc();
    EXPECT_EQ(backwards.Error(), err::InvalidCall);
    EXPECT_TRUE(backwards.QoAtPoints().empty());
    EXPECT_EQ(backwards.Q2(), 0);

    CRefRouting noStorage = WorkedExample();
    noStorage.Storage = PiecewiseStorage();
    noStorage.Calc();
    EXPECT_EQ(noStorage.Error(), err::InvalidCall);
}

TEST(RefRouting, TakesThePreparedPointsOfARouting) {
    CQo q;
    q.HVCMethod = 1;
    q.HVC().Add(98.0, 0.0, 1000.0, 0.0);
    q.HVC().Add(99.0, 0.0, 5000.0, 0.0);
    q.HVC().Add(100.0, 0.0, 12000.0, 0.0);
    q.HVC().Add(101.0, 0.0, 20000.0, 0.0);
    q.ELS = 100;
    q.SectEL = 100;
    q.SectB = 5;
    q.SectCd = 1.8;
    q.Qo().Add(10, 5.0);
    q.Calc();
    ASSERT_EQ(q.Error(), 0);
    CRefRouting r;
    ASSERT_TRUE(r.SetFrom(q));
    // The frustum storages 0, 2745, 10994, 26825 of the preparation.
    EXPECT_TRUE(Near(r.Storage.VolumeAt(100), 10994, kStorageExact));
    EXPECT_TRUE(Near(r.Storage.AreaAt(100.5), 15831, kStorageExact));
    ASSERT_EQ(r.Inflow.size(), 1u);
    EXPECT_EQ(r.Inflow[0].t, 10);
    EXPECT_EQ(r.Inflow[0].Qi, 5.0);
    EXPECT_EQ(r.SectB, 5);
}

}  // namespace
}  // namespace wyndlor
