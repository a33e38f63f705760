// The plain-text forms of a batch of runs: a table aligned for a terminal
// (full-width characters take two columns) and CSV with a header row.
#pragma once

#include "cli/FileRun.h"

#include <string>
#include <vector>

namespace wyndlor::cli {

std::string CsvHeader();
std::string FormatCsvRow(const FileRun &f);
std::string FormatTable(const std::vector<FileRun> &runs);

}  // namespace wyndlor::cli
