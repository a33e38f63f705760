// One project file through the command-line calculator: read exactly as the
// desktop program's Open reads it, then one calculation run from a fresh
// data set, so nothing of one file reaches the next file's output.
#pragma once

#include "core/CalcRun.h"
#include "core/ProjectFile.h"

#include <QString>

#include <string>

namespace wyndlor::cli {

struct FileRun {
    QString file;
    OpenResult read;
    bool readOk = false;
    CalcRun run;          // empty (Ok false, no objects) when the file was not read
};

// Reads and calculates one file; with `check` also the accuracy check.
FileRun RunFile(const QString &path, bool check = true);

// Reads a project file as the desktop program's Open does, into a fresh
// data set: "" or why it could not be read, in the system's words.
std::string ReadProject(const std::string &file, ProjectData &data);

// True when the file was read and calculated.
inline bool Succeeded(const FileRun &f) { return f.readOk && f.run.Ok; }

// The failure of a run in the system's words; "" when it succeeded.
std::string FailureText(const FileRun &f);

// The accuracy check in words: "" without a check, "ok" when it passes,
// else its reasons (msg::AccuracyCheckWords).
std::string CheckWords(const FileRun &f);

// Three decimals, as the results menu shows them.
std::string Fixed3(double v);

}  // namespace wyndlor::cli
