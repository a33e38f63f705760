// Report section 『設計洪水流量の計算』: the rational formula with the design
// margin, the flood arrival time iteration, the rainfall intensities and
// the arranged rainfall waveform, and the inflow hydrograph with the design
// flood discharge.
#pragma once

#include "report/ReportValues.h"
#include "report/PrintWriter.h"

namespace wyndlor {

// Appends the section to writer.PrintFilePath from the template sections
// "設計洪水流量_合理式", "設計洪水流量_tp", "設計洪水流量_降雨波形" and
// "設計洪水流量_流入ハイドログラフ".  False when a template section cannot be
// read or the file cannot be written (the writer's FailureReason says
// which).  Tables of any length print whole, paged.
bool WriteDischargeReport(PrintWriter &writer, const QString &formatFile, const DischargeValues &v);

}  // namespace wyndlor
