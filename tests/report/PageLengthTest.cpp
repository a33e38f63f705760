// Every page of a section fits the sheet: the previewer and the printer lay
// out 80 columns by at most 76 lines, so a longer page would be printed
// smaller than the rest or run off the paper.  Tables of every length up to
// several pages are tried, since where a table ends decides what follows it.
#include "tests/report/ReportTestUtil.h"
#include "report/DischargeReport.h"
#include "report/WaterLevelReport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wyndlor {
namespace {

constexpr size_t kSheetLines = 76;

size_t LongestPage(const QByteArray &file) {
    size_t longest = 0;
    for (const auto &page : test::Pages(file)) longest = std::max(longest, page.size());
    return longest;
}

class PageLength : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString NewFile() {
        const QString path = dir.filePath(QStringLiteral("p%1.prn").arg(++files));
        EXPECT_TRUE(CanWriteFile(path));
        return path;
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(PageLength, WaterLevelSectionForEveryTableLength) {
    for (int rows = 1; rows <= 200; ++rows) {
        WaterLevelValues v;
        v.FWL = 100;
        v.Q1 = 5.308;
        for (int i = 0; i < rows; ++i) {
            const int t = 10 * i;
            v.Routing.push_back({t, t / 60, t % 60, 1.0, 0.1 * i, 100 + 0.01 * i, 0.01 * i, 100.0 * i});
        }
        v.PeakRow = 1;
        v.Q2 = 2.637;
        v.Hmax = 0.441;
        v.DesignFloodLevel = 100.441;
        PrintWriter w;
        w.PrintFilePath = NewFile();
        ASSERT_TRUE(WriteWaterLevelReport(w, test::FormatFile(), v));
        EXPECT_LE(LongestPage(test::ReadBytes(w.PrintFilePath)), kSheetLines) << rows << " routing rows";
    }
}

TEST_F(PageLength, DischargeSectionForEveryTableLength) {
    for (int rows = 1; rows <= 150; ++rows) {
        DischargeValues v;
        v.Margin = 20;
        v.MarginFactor = 1.2;
        v.a = 5000;
        v.b = 40;
        for (int i = 0; i < 7; ++i) v.Tp.push_back({10.0 + i, 100.0, 70.0, 76.4});
        v.tp = 112.9;
        v.DeltaT = 10;
        for (int i = 0; i < rows; ++i) {
            v.Rainfall.push_back({10 * (i + 1), 50.0, 50.0 * (i + 1), 1.0});
            v.Waveform.push_back({10 * (i + 1), 0, 10 * i % 60, 0, 10 * (i + 1) % 60, 1.0});
            v.Hydrograph.push_back({10 * (i + 1), 1.0, 0.5, 0.6});
        }
        v.Q1 = 5.308;
        PrintWriter w;
        w.PrintFilePath = NewFile();
        ASSERT_TRUE(WriteDischargeReport(w, test::FormatFile(), v));
        EXPECT_LE(LongestPage(test::ReadBytes(w.PrintFilePath)), kSheetLines) << rows << " rows";
    }
}

}  // namespace
}  // namespace wyndlor
