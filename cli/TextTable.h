// The plain-text forms of a batch of runs: a table aligned for a terminal
// (full-width characters take two columns) and CSV with a header row.
#pragma once

#include "cli/FileRun.h"

#include <string>
#include <vector>

namespace wyndlor::cli {

// Text safe on a terminal (control characters as \uXXXX), and the same as
// one CSV field, quoted where it needs to be.
std::string Printable(const std::string &s);
std::string CsvField(const std::string &raw);

std::string CsvHeader();
std::string FormatCsvRow(const FileRun &f);
std::string FormatTable(const std::vector<FileRun> &runs);

// Rows under a heading, aligned: the first column left, the middle ones
// right, the last (words) left and unpadded.  A row with fewer cells than
// the heading (a failure in words) runs on after its first cell.
std::string FormatRows(const std::vector<std::string> &head, const std::vector<std::vector<std::string>> &rows);

}  // namespace wyndlor::cli
