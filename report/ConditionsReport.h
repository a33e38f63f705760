// Report section 『計算条件』: the design conditions of the project — pond
// data, storage relation (h-V curve), rainfall intensity formula, catchment
// areas with their runoff and arrival-time coefficients, and the spillway
// control section — from the template sections "設計条件1" to "設計条件4-2".
#pragma once

#include "report/ReportValues.h"
#include "report/PrintWriter.h"

namespace wyndlor {

// Appends the section to writer.PrintFilePath.  False when a template
// section cannot be read, the file cannot be written, or a table holds more
// rows than the report allows (kMaxHVRows, kMaxCatchmentRows); what was
// written before stays in the file.
bool WriteConditionsReport(PrintWriter &writer, const QString &formatFile, const ConditionsValues &v);

}  // namespace wyndlor
