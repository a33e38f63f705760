#include "report/ReportJob.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"
#include "core/Messages.h"
#include "report/ReportValues.h"
#include "core/SystemHelpers.h"
#include "report/ConditionsReport.h"
#include "report/DischargeReport.h"
#include "report/WaterLevelReport.h"

#include <QFile>

#include <algorithm>

namespace wyndlor {

QString NumberingSettingsFile(const QString &iniFile) {
    const bool own = !CPrivateProfile::GetValueString(iniFile, QStringLiteral("Chapter"), QStringLiteral("Method")).isEmpty();
    return own ? iniFile : DefaultSettingsFileName();
}

void ReadNumberingSettings(PrintWriter &writer, const QString &settingsFile) {
    const QString iniFile = NumberingSettingsFile(settingsFile);
    const QString section = QStringLiteral("Chapter");
    // Bounded as the numbering dialog shows them: a method or style outside
    // its list counts as 0 (none), a margin is held within 0-10 columns.
    auto within = [](int32_t v, int32_t last) { return v >= 0 && v <= last ? v : 0; };
    writer.NumberingMethod =
        within(CPrivateProfile::GetValueLong(iniFile, section, QStringLiteral("Method")), kLastNumberingMethod);
    for (int32_t k = 1; k <= 4; ++k) {
        writer.HeadingStyles[static_cast<size_t>(k)] =
            within(CPrivateProfile::GetValueLong(iniFile, section, QStringLiteral("Style%1").arg(k)), kLastHeadingStyle);
        writer.HeadingMargins[static_cast<size_t>(k)] = std::clamp(
            CPrivateProfile::GetValueLong(iniFile, section, QStringLiteral("Margin%1").arg(k)), 0, kMaxMarginColumns);
    }
    // Level 5 has no settings.
    writer.HeadingStyles[kHeadingLevels] = 0;
    writer.HeadingMargins[kHeadingLevels] = 0;
    // The first chapter takes the initial number: its counter starts below it.
    const int32_t init = CPrivateProfile::GetValueLong(iniFile, section, QStringLiteral("Init"));
    writer.HeadingCounters[1] = std::clamp(init, 1, kMaxHeadingCounter) - 1;
}

namespace {

bool WriteSection(int32_t section, PrintWriter &writer, const CalcRun &run, const QString &formatFile) {
    const ProjectData &data = run.Data;
    const CalcResults &results = run.Results;
    writer.FailureReason.clear();
    const auto notCalculated = [&writer] {
        writer.FailureReason = msg::ReportNotCalculated();
        return false;
    };
    switch (section) {
    case 0: {
        ConditionsValues v;
        if (!CollectConditionsValues(data, results, v)) return notCalculated();
        return WriteConditionsReport(writer, formatFile, v);
    }
    case 1: {
        DischargeValues v;
        if (!CollectDischargeValues(data, results, v, run.ValidCheck())) return notCalculated();
        return WriteDischargeReport(writer, formatFile, v);
    }
    default: {
        WaterLevelValues v;
        if (!CollectWaterLevelValues(data, results, v, run.ValidCheck())) return notCalculated();
        return WriteWaterLevelReport(writer, formatFile, v);
    }
    }
}

}  // namespace

QString PrepareReport(PrintWriter &writer, const CalcRun &run, const QString &formatFile, const QString &iniFile) {
    writer.Reset();
    ReadNumberingSettings(writer, iniFile);
    QString errors;
    for (int32_t section = 0; section < kReportSections; ++section) {
        writer.PrintFilePath = writer.NewPrintFile();
        writer.FailureReason.clear();
        const bool ok = !writer.PrintFilePath.isEmpty() && WriteSection(section, writer, run, formatFile);
        if (!ok) errors += QStringLiteral("\n") + msg::SectionFailureMessage(section);
        if (!ok && !writer.FailureReason.isEmpty()) errors += QStringLiteral("\n　") + writer.FailureReason;
    }
    writer.PrintFilePath = writer.NewPrintFile();
    return errors;
}

bool JoinReport(PrintWriter &writer, const std::array<bool, kReportSections> &ticked) {
    if (writer.PrintFileList.size() < kReportSections + 1) return false;
    bool any = false;
    for (bool t : ticked) any = any || t;
    if (!any) return false;
    writer.PrintFilePath = writer.PrintFileList.last();
    if (!CanWriteFile(writer.PrintFilePath)) return false;
    bool added = false;
    for (int32_t section = 0; section < kReportSections; ++section) {
        if (!ticked[static_cast<size_t>(section)]) continue;
        if (added && !writer.AppendPageBreak()) return false;
        if (!AppendFileLines(writer.PrintFilePath, writer.PrintFileList[section])) return false;
        added = true;
    }
    return true;
}

void RemovePrintFiles(PrintWriter &writer) {
    for (const QString &path : writer.PrintFileList) RemoveFile(path);
    writer.PrintFileList.clear();
}

bool WriteFullReport(const QString &outPath, const CalcRun &run, const QString &formatFile, const QString &iniFile,
                     QString &message) {
    PrintWriter writer;
    const QString errors = PrepareReport(writer, run, formatFile, iniFile);
    bool ok = errors.isEmpty();
    if (ok) {
        ok = JoinReport(writer, {true, true, true});
        // The joined file is written over the output through a temporary
        // file beside it: on any failure the previous report stays.
        QByteArray bytes;
        int32_t code = ok ? ReadRegularFile(writer.PrintFilePath, kMaxPrintFileBytes, bytes) : err::PathAccess;
        if (code == 0) code = WriteFileReplacing(outPath, bytes);
        ok = code == 0;
        if (!ok) message = msg::ReportFileWriteFailed(outPath, code);
    } else {
        message = errors.mid(1);  // without the leading line feed
    }
    RemovePrintFiles(writer);
    return ok;
}

}  // namespace wyndlor
