// Sizing the spillway on the shipped examples, each answer recalculated
// here with the width written into the slot of the example's own type.
#include "calc/AccuracyCheck.h"
#include "calc/WidthSolver.h"
#include "cli/CliRun.h"
#include "core/ProjectFile.h"

#include <QDir>
#include <gtest/gtest.h>

#include <sstream>

namespace wyndlor {
namespace {

ProjectData Example(const char *file) {
    ProjectData d;
    InitProjectData(d);
    const OpenResult r = OpenProjectFile(QDir(QStringLiteral(WYNDLOR_EXAMPLES_DIR)).filePath(file), d);
    EXPECT_EQ(r.outcome, OpenOutcome::Ok) << file;
    return d;
}

// HWL with B (m) in `widthSlot`; NaN when the calculation fails.
double LevelAt(ProjectData d, int32_t widthSlot, double B) {
    d.SectionData(widthSlot) = SlotValue::Double(B);
    CalcResults res;
    return CalcAll(d, res) ? res.DesignFloodLevel : std::nan("");
}

struct ExampleCase {
    const char *name;
    const char *file;
    int32_t widthSlot;  // B of the example's spillway type
    double allowable;   // m, below the level the example reaches
};

class SolveWidthExample : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(SolveWidthExample, FoundWidthHoldsAndTheStepBelowDoesNot) {
    const ExampleCase &c = GetParam();
    const ProjectData d = Example(c.file);
    const WidthSolution s = SolveWidth(d, c.allowable);
    ASSERT_TRUE(s.ok);
    ASSERT_EQ(s.status, WidthStatus::Found);
    EXPECT_LE(LevelAt(d, c.widthSlot, s.B), c.allowable + kLevelNoise);
    const double below = LevelAt(d, c.widthSlot, std::round(s.B * 10 - 1) / 10);
    EXPECT_FALSE(below <= c.allowable) << below;
    EXPECT_EQ(SolveWidth(d, c.allowable).B, s.B);  // the data set was not touched
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SolveWidthExample,
    ::testing::Values(ExampleCase{"ChannelInflowNishitani", "nishitani-ike.wyd", slot::SectB1, 129.3},
                      ExampleCase{"WeirFrustumOsawa", "osawa-ike.wyd", slot::SectB, 46.0},
                      ExampleCase{"WeirConstantAreaYamanaka", "yamanaka-ike.wyd", slot::SectB, 83.2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SolveWidth, Statuses) {
    const ProjectData d = Example("yamanaka-ike.wyd");  // crest 82.5 m
    const WidthSolution enough = SolveWidth(d, 90.0);
    EXPECT_EQ(enough.status, WidthStatus::AlreadyEnough);
    EXPECT_EQ(enough.B, kWidthStep);
    const WidthSolution belowCrest = SolveWidth(d, 82.49);
    EXPECT_EQ(belowCrest.status, WidthStatus::None);
    EXPECT_TRUE(belowCrest.belowCrest);
    EXPECT_EQ(belowCrest.calculations, 1);
    const WidthSolution tooLarge = SolveWidth(d, 82.501);  // 1 mm of head for the whole flood
    EXPECT_EQ(tooLarge.status, WidthStatus::None);
    EXPECT_FALSE(tooLarge.belowCrest);
}

// A step too coarse for the pond: the reference's own width is given, and
// its reference level holds there.
TEST(SolveWidth, WarningGivesTheReferenceWidth) {
    ProjectData d = Example("nishitani-ike.wyd");
    d.DeltaTData(slot::DeltaT) = SlotValue::Double(120);
    const WidthSolution s = SolveWidth(d, 129.5);
    ASSERT_EQ(s.status, WidthStatus::Found);
    ASSERT_TRUE(s.check && s.check->warning());
    ASSERT_EQ(s.referenceStatus, WidthStatus::Found);
    d.SectionData(slot::SectB1) = SlotValue::Double(s.referenceB);
    CalcResults res;
    ASSERT_TRUE(CalcAll(d, res));
    EXPECT_LE(s.crest + CheckRouting(*res.objQo).refHmax, 129.5 + kLevelNoise);
    EXPECT_GT(s.referenceB, s.B);
}

TEST(SolveWidthCli, JsonAsAgreedAndFailedFile) {
    const std::string osawa = QDir(QStringLiteral(WYNDLOR_EXAMPLES_DIR)).filePath("osawa-ike.wyd").toStdString();
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunCli({"--solve-width", "46", "--json", osawa}, out, err), 0);
    EXPECT_EQ(out.str(), "{\"file\":\"" + osawa +
                             "\",\"solve\":{\"allowable\":46,\"B\":17,\"HWL\":46,\"Hmax\":0.8,\"Q2\":21.889,"
                             "\"warning\":false,\"referenceB\":null,\"status\":\"found\"}}\n");
    EXPECT_EQ(cli::RunCli({"--solve-width", "46", osawa, "missing.wyd"}, out, err), 1);
    EXPECT_EQ(cli::RunCli({"--solve-width", "high", osawa}, out, err), 2);
}

}  // namespace
}  // namespace wyndlor
