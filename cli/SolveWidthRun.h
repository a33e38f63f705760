// wyndlor-calc --solve-width HWLa: the narrowest spillway width of each
// project file that keeps its design flood water level at or below HWLa.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wyndlor::cli {

// Solves every file and prints a table (or one JSON object per file and
// line).  Returns 0 when every file was read and calculated (also when no
// width is enough: that is an answer), 1 when any failed.
int RunSolveWidth(double allowable, const std::vector<std::string> &files, bool json, std::ostream &out);

}  // namespace wyndlor::cli
