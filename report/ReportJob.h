// Building the whole printed report: the writer's reset, the numbering
// style from the settings file, the three section files in their order, and
// the joining of sections into the one print file the previewer shows.
//
// The print menu calls PrepareReport when it opens, JoinReport on its print
// button and RemovePrintFiles when it closes; the command-line calculator
// calls WriteFullReport.
#pragma once

#include "core/CalcRun.h"
#include "report/PrintWriter.h"

#include <QString>

#include <array>

namespace wyndlor {

constexpr int32_t kReportSections = 3;

// The file the numbering style is read from: the settings file when it
// holds a style of its own (section "Chapter"), else the default settings
// shipped with the program (DefaultSettingsFileName).
QString NumberingSettingsFile(const QString &iniFile);

// Reads section "Chapter" of NumberingSettingsFile(settingsFile) into the
// writer: "Method", "Style1"-"Style4", "Margin1"-"Margin4" (missing keys
// are 0), and "Init", the number of the first chapter (0 and 1 both
// start at 1).
void ReadNumberingSettings(PrintWriter &writer, const QString &settingsFile);

// Resets the writer, reads the numbering settings, and writes each section
// into a new print file (PrintFileList entries 1-3, in the order 計算条件,
// 設計洪水流量の計算, 設計洪水位の計算), then creates the empty joined print
// file (entry 4, left as PrintFilePath).  Returns the error text: for each
// failed section a line feed and its message, then, when known, a line feed
// and the reason (the format file or print file at fault); "" when all
// succeeded.  The
// files of the sections that succeeded stay usable.  Every value comes from
// `run`, its inputs included; its accuracy check adds its note to
// 設計洪水位の計算 when it warns.
QString PrepareReport(PrintWriter &writer, const CalcRun &run, const QString &formatFile, const QString &iniFile);

// Empties the joined print file (the last one created) and appends the
// ticked sections to it, one form feed between two sections.  False when
// nothing is ticked or a file operation failed.
bool JoinReport(PrintWriter &writer, const std::array<bool, kReportSections> &ticked);

// Deletes every print file created since the reset (failures ignored).
void RemovePrintFiles(PrintWriter &writer);

// The whole report, all three sections joined, as a Shift_JIS print file at
// outPath.  False with `message` naming the failed sections (one per line)
// when a section could not be written, or the output file when it could not
// be written; the temporary section files are removed either way.
bool WriteFullReport(const QString &outPath, const CalcRun &run, const QString &formatFile, const QString &iniFile,
                     QString &message);

}  // namespace wyndlor
