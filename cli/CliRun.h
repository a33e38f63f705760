// The command-line calculator: reads project files, runs the whole
// calculation on each, and prints the results as a table, CSV or JSON.
//
// Every file is read and calculated from a fresh data set and fresh engine
// objects, so nothing of one file's run reaches the next file's output.
#pragma once

#include "AccuracyCheck.h"
#include "ProjectFile.h"
#include "basCalc.h"

#include <optional>

#include <QString>
#include <iosfwd>
#include <string>
#include <vector>

namespace wyndlor::cli {

struct FileRun {
    QString file;
    OpenResult read;
    bool readOk = false;
    ProjectData data;
    CalcResults res;
    bool calcOk = false;
    std::optional<AccuracyCheck> check;  // after a successful calculation
};

// Reads and calculates one file; with `check` also the accuracy check.
FileRun RunFile(const QString &path, bool check = true);

// The failure of a run in the system's words; "" when it succeeded.
std::string FailureText(const FileRun &run);

std::string FormatJson(const FileRun &run);  // one line, no newline
std::string CsvHeader();
std::string FormatCsvRow(const FileRun &run);
std::string FormatTable(const std::vector<FileRun> &runs);

// True when the arguments ask for a PDF, which needs a GUI application
// object (on the offscreen platform) for its fonts.
bool WantsPdf(const std::vector<std::string> &args);

// The whole program: arguments without the program name.  Returns the exit
// status: 0 all files read and calculated, 1 any failed, 2 usage error.
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

}  // namespace wyndlor::cli
