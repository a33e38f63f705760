// Report section 『設計洪水位の計算』: the flood routing table of every time
// step, the peak outflow against the design flood discharge, the largest
// overflow depth and the design flood water level.  When the accuracy check
// of the calculation warns, a note under a heading of its own stands before
// the closing "以　上": the peak outflow and the largest overflow depth of a
// 1-minute reference routing (or that it could not be computed), the volume
// balance of the routing, and every reason of the warning with its remedy
// (the time step to recalculate at, the h-A rows to add).
#pragma once

#include "report/ReportValues.h"
#include "report/PrintWriter.h"

namespace wyndlor {

// Appends the section to writer.PrintFilePath from the template sections
// "設計洪水位1" and "設計洪水位2" (its lines 10-20 for the note of v.Note,
// before the closing line 9).  False when a template section cannot be
// read or the file cannot be written (the writer's FailureReason says
// which).  A routing of any length prints whole, paged.
bool WriteWaterLevelReport(PrintWriter &writer, const QString &formatFile, const WaterLevelValues &v);

// The mark of the peak-outflow row in the routing table.
QString PeakMark(int32_t row, int32_t peakRow);
// "＞" when the peak outflow exceeds the design flood discharge, else "≦".
QString ComparisonSign(double q2, double q1);

}  // namespace wyndlor
