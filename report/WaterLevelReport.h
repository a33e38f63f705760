// Report section 『設計洪水位の計算』: the flood routing table of every time
// step, the peak outflow against the design flood discharge, the largest
// overflow depth and the design flood water level.  When the accuracy check
// of the calculation warns, a note closes the section: the peak outflow and
// the largest overflow depth of a 1-minute reference routing (or that it
// could not be computed), the volume balance of the routing, and every
// reason of the warning with its remedy (the time step to recalculate at,
// the h-A rows to add).  Without a warning the section is as before.
#pragma once

#include "report/ReportValues.h"
#include "report/PrintWriter.h"

namespace wyndlor {

// Appends the section to writer.PrintFilePath from the template sections
// "設計洪水位1" and "設計洪水位2" (its lines 10-20 for the note of v.Note).  False when a template section cannot be
// read, the file cannot be written, or the routing has more than
// kMaxRoutingRows time points.
bool WriteWaterLevelReport(PrintWriter &writer, const QString &formatFile, const WaterLevelValues &v);

// The mark of the peak-outflow row in the routing table.
QString PeakMark(int32_t row, int32_t peakRow);
// "＞" when the peak outflow exceeds the design flood discharge, else "≦".
QString ComparisonSign(double q2, double q1);

}  // namespace wyndlor
