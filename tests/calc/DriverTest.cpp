// The calculation driver over a project data set.
#include "tests/support/SampleProjects.h"
#include "tests/calc/TestSupport.h"
#include "calc/CalcDriver.h"

namespace wyndlor {
namespace {

using test::kExact;
using test::Near;

ProjectData SmallProject() { return test::TestPond(); }

class DriverFixture : public ::testing::Test {
protected:
    ProjectData data = SmallProject();
    CalcResults res;
};

TEST_F(DriverFixture, FullRunGivesDesignFloodLevel) {
    ASSERT_TRUE(CalcAll(data, res));
    ASSERT_TRUE(res.objQo && res.objQi && res.objRdata && res.objTp && res.objAveFp && res.objAveC);
    EXPECT_TRUE(Near(res.objAveFp->Ave(), 0.75, kExact));
    EXPECT_TRUE(Near(res.objAveC->Ave(), 265, kExact));
    EXPECT_TRUE(Near(res.DesignFloodLevel, 100 + res.objQo->Hmax(), kExact));
    EXPECT_GT(res.objQi->Q1(), res.objQo->Q2());  // the pond attenuates the flood
    EXPECT_GT(res.objQo->Hmax(), 0);
    EXPECT_EQ(res.FailedStep, CalcStep::None);
}

TEST_F(DriverFixture, TailOfZeroInflowAfterTheRain) {
    ASSERT_TRUE(CalcAll(data, res));
    const int32_t rainSteps = res.objQi->Qi().Count();
    EXPECT_EQ(rainSteps, 144);
    ASSERT_EQ(res.objQo->Qo().Count(), rainSteps + 72);
    EXPECT_EQ(res.objQo->Qo().Item(rainSteps + 72)->t, 1440 + 720);
    EXPECT_EQ(res.objQo->Qo().Item(rainSteps + 1)->Qi, 0);

    data.ConditionsData(slot::CalcTime) = SlotValue::Double(0);
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->Qo().Count(), rainSteps);
}

TEST_F(DriverFixture, ShortLastTailStep) {
    data.ConditionsData(slot::CalcTime) = SlotValue::Double(1);
    data.DeltaTData(slot::DeltaT) = SlotValue::Double(25);
    ASSERT_TRUE(CalcAll(data, res));
    const auto &qo = res.objQo->Qo();
    const int32_t c = qo.Count();
    const int32_t t0 = qo.Item(c - 3)->t;
    EXPECT_EQ(t0, 1425);
    EXPECT_EQ(qo.Item(c - 2)->t, t0 + 25);
    EXPECT_EQ(qo.Item(c - 1)->t, t0 + 50);
    EXPECT_EQ(qo.Item(c)->t, t0 + 60);
}

TEST_F(DriverFixture, HalfHoursRoundToEven) {
    data.ConditionsData(slot::CalcTime) = SlotValue::Double(2.5);  // -> 2 hours
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->Qo().Count(), 144 + 12);
    data.ConditionsData(slot::CalcTime) = SlotValue::Double(3.5);  // -> 4 hours
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->Qo().Count(), 144 + 24);
}

TEST_F(DriverFixture, NoCatchmentRowsLeavesAveragesEmpty) {
    data.CatchmentCount = 0;
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objAveFp->DataItem().Count(), 0);
    EXPECT_EQ(res.objAveFp->Ave(), 0);
}

TEST_F(DriverFixture, FailedArrivalTimeDoesNotStopTheRun) {
    data.ConditionsData(slot::ConstA) = SlotValue::Double(0);  // no rain: re = 0
    EXPECT_FALSE(CalcTp(data, res));
    EXPECT_TRUE(CalcAll(data, res));
}

TEST_F(DriverFixture, FailedRoutingKeepsPreviousLevel) {
    ASSERT_TRUE(CalcAll(data, res));
    const double previous = res.DesignFloodLevel;
    auto oldQo = res.objQo;
    data.ConditionsData(slot::Area) = SlotValue::Double(0);
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_NE(res.objQo, oldQo);
    EXPECT_NE(res.objQo->Error(), 0);
    EXPECT_EQ(res.DesignFloodLevel, previous);
    EXPECT_EQ(res.FailedStep, CalcStep::Qo);
    EXPECT_EQ(res.FailedError, err::DriverStep);
}

TEST_F(DriverFixture, TextWhereANumberBelongsStopsTheRun) {
    data.CatchmentSummary(slot::SumArea) = SlotValue::String("広い");
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_EQ(res.FailedStep, CalcStep::Qi);
    EXPECT_EQ(res.FailedError, err::TypeMismatch);

    data = SmallProject();
    data.CatchmentSummary(slot::SumArea) = SlotValue::String(" 2.0 ");
    EXPECT_TRUE(CalcAll(data, res));
}

TEST_F(DriverFixture, ZeroTimeStepFailsInsteadOfHanging) {
    data.DeltaTData(slot::DeltaT) = SlotValue::Double(0);
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_EQ(res.FailedStep, CalcStep::Rainfall);
    EXPECT_EQ(res.objRdata->Error(), err::InvalidCall);
}

TEST_F(DriverFixture, TooManyTimePointsFailsBeforeAddingAny) {
    data.ConditionsData(slot::CalcTime) = SlotValue::Double(20000);  // hours
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_EQ(res.FailedStep, CalcStep::Qo);
    EXPECT_EQ(res.FailedError, err::OutOfMemory);
    EXPECT_EQ(res.objQo->Qo().Count(), 0);
}

TEST_F(DriverFixture, FrustumTableFeedsRouting) {
    data.HVCData(slot::HVCMethod) = SlotValue::Int16(1);
    data.HVCData(slot::HVCStartLevel) = SlotValue::Double(100);
    data.HVCCount = 3;
    data.HVCTable(1, 1) = SlotValue::Double(99);
    data.HVCTable(2, 1) = SlotValue::Double(15000);
    data.HVCTable(1, 2) = SlotValue::Double(100);
    data.HVCTable(2, 2) = SlotValue::Double(20000);
    data.HVCTable(1, 3) = SlotValue::Double(102);
    data.HVCTable(2, 3) = SlotValue::Double(26000);
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->HVC().Count(), 3);
    EXPECT_TRUE(Near(res.objQo->HVC().Item(2)->V, 17440, 1.0));

    data.HVCCount = 1;
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->Error(), err::InvalidCall);
}

TEST_F(DriverFixture, ChannelSectionUsesItsOwnSlots) {
    data.SectionData(slot::SectType) = SlotValue::Int32(0);
    data.SectionData(slot::SectB1) = SlotValue::Double(3);
    data.SectionData(slot::SectC1) = SlotValue::Double(1);
    ASSERT_TRUE(CalcAll(data, res));
    EXPECT_EQ(res.objQo->SectB, 3);
    EXPECT_EQ(res.objQo->SectCd, 1);
}

// An adopted catchment value of 0 or less is refused before any step, with
// the value named; a value of 0 in the table alone is no reason.
struct MissingCase {
    const char *name;
    int32_t slot;
    SlotValue value;
    MissingInput missing;
};
class MissingCatchment : public ::testing::TestWithParam<MissingCase> {};
TEST_P(MissingCatchment, RefusedBeforeTheFirstStep) {
    ProjectData data = SmallProject();
    data.CatchmentSummary(GetParam().slot) = GetParam().value;
    CalcResults res;
    EXPECT_FALSE(CalcAll(data, res));
    EXPECT_EQ(res.FailedStep, CalcStep::Input);
    EXPECT_EQ(res.FailedError, err::InvalidCall);  // a failed run never reads as error 0
    EXPECT_EQ(res.Missing, GetParam().missing);
    EXPECT_FALSE(res.objTp || res.objAveFp || res.objRdata || res.objQi || res.objQo);
}
INSTANTIATE_TEST_SUITE_P(
    Values, MissingCatchment,
    ::testing::Values(MissingCase{"AreaZero", slot::SumArea, SlotValue::Double(0), MissingInput::CatchmentArea},
                      MissingCase{"AreaEmpty", slot::SumArea, SlotValue(), MissingInput::CatchmentArea},
                      MissingCase{"FpZero", slot::SumFp, SlotValue::Int32(0), MissingInput::CatchmentFp},
                      MissingCase{"CNegative", slot::SumC, SlotValue::Double(-1), MissingInput::CatchmentC}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wyndlor
