// The flood-control study: the design flood from a lowered pond and under
// heavier rain.
#include "tests/support/SampleProjects.h"
#include "tests/calc/TestSupport.h"
#include "calc/FloodStudy.h"

namespace wyndlor {
namespace {

using test::kExact;
using test::Near;

// The test pond by frustums: rows from 99 m up past its full water level.
ProjectData FrustumPond() {
    ProjectData d = test::TestPond();
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(1);
    const double rows[][2] = {{99, 15000}, {100, 20000}, {101, 24000}, {102, 28000}};
    d.HVCCount = 4;
    for (int32_t i = 1; i <= 4; ++i) {
        d.HVCTable(1, i) = SlotValue::Double(rows[i - 1][0]);
        d.HVCTable(2, i) = SlotValue::Double(rows[i - 1][1]);
    }
    return d;
}

struct MethodRow {
    const char *name;
    bool frustum;
};

class ProjectItself : public ::testing::TestWithParam<MethodRow> {};

// No drawdown and no factor is the project's own calculation, bit for bit:
// in the driver (the lowered start) and in the study.
TEST_P(ProjectItself, ZeroDrawdownUnitFactorIsBitForBit) {
    const ProjectData data = GetParam().frustum ? FrustumPond() : test::TestPond();
    CalcResults own, lowered;
    ASSERT_TRUE(CalcAll(data, own));
    CalcOptions zero;
    zero.drawdown = 0.0;
    ASSERT_TRUE(CalcAll(data, lowered, zero));
    const colQoData &a = own.objQo->Qo();
    const colQoData &b = lowered.objQo->Qo();
    ASSERT_EQ(a.Count(), b.Count());
    for (int32_t i = 1; i <= a.Count(); ++i) {
        EXPECT_EQ(a.Item(i)->EL, b.Item(i)->EL) << i;
        EXPECT_EQ(a.Item(i)->Qo, b.Item(i)->Qo) << i;
        EXPECT_EQ(a.Item(i)->V, b.Item(i)->V) << i;
    }

    const FloodStudy s = RunFloodStudy(data, {0.0}, {1.0});
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.storage, GetParam().frustum ? StorageBelowFWL::Table : StorageBelowFWL::ConstantArea);
    const StudyCase &c = s.cases.front();
    EXPECT_EQ(c.Q1, own.objQi->Q1());
    EXPECT_EQ(c.Q2, own.objQo->Q2());
    EXPECT_EQ(c.HWL, own.DesignFloodLevel);
    EXPECT_EQ(c.emptyVolume, 0);
}

INSTANTIATE_TEST_SUITE_P(Methods, ProjectItself,
                         ::testing::Values(MethodRow{"constantArea", false}, MethodRow{"frustum", true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FloodStudy, FrustumRowsThatStopAboveTheStartSkipTheCase) {
    const FloodStudy s = RunFloodStudy(FrustumPond(), {1.0, 1.5}, {1.0});
    ASSERT_TRUE(s.ok);
    EXPECT_TRUE(Near(s.deepest, 1.0, kExact));
    ASSERT_EQ(s.cases.size(), 2u);
    EXPECT_EQ(s.cases[0].skip, StudySkip::None);
    EXPECT_TRUE(s.cases[0].ok);
    // The frustum from 99 to 100 m: 1/3 (15000 + sqrt(15000 x 20000) + 20000).
    EXPECT_EQ(s.cases[0].emptyVolume, 17440);
    EXPECT_EQ(s.cases[1].skip, StudySkip::BelowTable);
    EXPECT_FALSE(s.cases[1].ok);
}

// A pond small enough to work by hand: the whole 24-hour storm in three
// 8-hour steps with design inflows 0.567, 0.692 and 5.308 m3/s (rear-peaked),
// no time after the rain, a constant-area pond of 20 000 m2 at 100 m behind
// a 5 m weir (Cd 1.8), lowered by 5.6 m.  The inflow volumes of the steps
// are 8164.8, 18129.6 and 86400 m3: the pond rises to 95.71472 m after two
// steps, and in the third 20000 (5.6 + x) = 112694.4 - 14400 x 9 x^1.5
// gives the overflow depth x = 0.018463 m and Q2 = 9 x^1.5 = 0.02258 m3/s.
// Without outflow the flood fills 5.63472 m, so 5.64 m keeps it below the
// crest and 5.63 m does not.
ProjectData HandPond() {
    ProjectData d = test::TestPond();
    d.ConditionsData(slot::Volume) = SlotValue::Double(200000);  // 10 m of vertical banks
    d.ConditionsData(slot::Qfix) = SlotValue::Double(0.5);
    d.ConditionsData(slot::CalcTime) = SlotValue::Double(0);
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(480);
    return d;
}

TEST(FloodStudy, HandCalculatedConstantAreaCase) {
    const FloodStudy s = RunFloodStudy(HandPond(), {5.6}, {1.0});
    ASSERT_TRUE(s.ok);
    EXPECT_TRUE(Near(s.deepest, 10, kExact));
    const StudyCase &c = s.cases.front();
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.emptyVolume, 112000);
    EXPECT_TRUE(Near(c.Q1, 5.308, kExact));
    EXPECT_TRUE(Near(c.Q2, 0.023, kExact));
    EXPECT_TRUE(Near(c.reduction, 5.285, kExact));
    EXPECT_TRUE(Near(c.Hmax, 0.018, kExact));
    EXPECT_TRUE(Near(c.HWL, 100.018, 1e-9));
    EXPECT_TRUE(c.spills);
    ASSERT_EQ(s.noSpill.size(), 1u);
    EXPECT_TRUE(s.noSpill[0].found);
    EXPECT_TRUE(Near(s.noSpill[0].drawdown, 5.64, kExact));
}

// The no-spill drawdown of every factor: the flood spills 0.01 m less and
// not at it, both recalculated here on their own.
TEST(FloodStudy, NoSpillDrawdownIsTheEdge) {
    ProjectData data = test::TestPond();
    data.ConditionsData(slot::Volume) = SlotValue::Double(200000);  // 10 m of vertical banks
    const FloodStudy s = RunFloodStudy(data, {0.0, 2.5, 5.0, 7.5, 10.0}, DefaultRainFactors());
    ASSERT_TRUE(s.ok);
    ASSERT_EQ(s.noSpill.size(), 2u);
    for (const NoSpillDrawdown &n : s.noSpill) {
        ASSERT_TRUE(n.found) << n.factor;
        ASSERT_GT(n.drawdown, 0) << n.factor;
        ProjectData factored = data;
        factored.ConditionsData(slot::ConstA) = SlotValue::Double(5000 * n.factor);
        for (const double d : {n.drawdown, n.drawdown - kNoSpillResolution}) {
            CalcResults res;
            CalcOptions options;
            options.drawdown = d;
            ASSERT_TRUE(CalcAll(factored, res, options));
            EXPECT_EQ(res.objQo->Q2() > 0, d < n.drawdown) << n.factor << " at " << d;
        }
    }
    // The heavier rain needs the deeper drawdown.
    EXPECT_GT(s.noSpill[1].drawdown, s.noSpill[0].drawdown);
}

struct ListRow {
    const char *name;
    std::vector<double> drawdowns, factors;
    StudyListError error;
};

class BadLists : public ::testing::TestWithParam<ListRow> {};

TEST_P(BadLists, AreRefused) {
    const ListRow &r = GetParam();
    EXPECT_EQ(CheckStudyLists(r.drawdowns, r.factors), r.error);
    const FloodStudy s = RunFloodStudy(test::TestPond(), r.drawdowns, r.factors);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.calculations, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, BadLists,
    ::testing::Values(ListRow{"negativeDrawdown", {0, -0.5}, {1}, StudyListError::BadDrawdown},
                      ListRow{"nanDrawdown", {std::nan("")}, {1}, StudyListError::BadDrawdown},
                      ListRow{"zeroFactor", {0}, {1, 0}, StudyListError::BadFactor},
                      ListRow{"noFactor", {0}, {}, StudyListError::Empty},
                      ListRow{"over100Cases", std::vector<double>(51, 0.0), {1, 1.1}, StudyListError::TooManyCases}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FloodStudy, DrawdownListEndsAtTheMaximum) {
    EXPECT_EQ(DrawdownList(kDefaultMaxDrawdown, kDefaultDrawdownStep).size(), 9u);
    EXPECT_EQ(DrawdownList(1.0, 0.3), (std::vector<double>{0, 0.3, 0.6, 0.9, 1.0}));
    EXPECT_EQ(CheckDrawdownRange(1.0, 0), StudyListError::BadStep);
    EXPECT_EQ(CheckDrawdownRange(10, 0.01), StudyListError::TooManyCases);
}

}  // namespace
}  // namespace wyndlor
