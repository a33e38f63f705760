// wyndlor-calc --study-drawdown DMAX[:STEP] [--factor F[,F...]]: the
// flood-control study of each project file, the design flood from a pond
// lowered by 0, STEP, 2 STEP ... DMAX metres under the rainfall factors F.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wyndlor::cli {

struct StudyLists {
    std::vector<double> drawdowns;  // m
    std::vector<double> factors;
};

// Parses "DMAX[:STEP]" (STEP 0.25 m when left out) and "F[,F...]" (1.0 and
// 1.1 when `factors` is empty).  Returns "" or, for a list that is not
// numbers, negative, or more than the study takes, why it is refused.
std::string ParseStudyLists(const std::string &drawdown, const std::string &factors, StudyLists &out);

enum class StudyFormat { Table, Csv, Json };

// Studies every file and prints a table per file, CSV rows of all cases,
// or one JSON object per file and line.  Returns 0 when every file was read
// and every case that the data allow was calculated, 1 otherwise.
int RunStudy(const StudyLists &lists, const std::vector<std::string> &files, StudyFormat format,
             std::ostream &out);

}  // namespace wyndlor::cli
