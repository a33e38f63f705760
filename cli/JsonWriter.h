// The JSON form of one file's run: one object on one line, with every
// engine table, so that other programs can take the whole calculation.
// Numbers are written in their shortest exact form (they read back to the
// same double); a value that is not finite is null.
#pragma once

#include "cli/FileRun.h"

#include <string>

namespace wyndlor::cli {

std::string FormatJson(const FileRun &f);  // one line, no newline

// JSON building blocks, also for other writers of this program.
std::string JsonNumber(double v);
std::string JsonString(const std::string &s);
// The reasons of an accuracy check as an array of their words.
std::string ReasonsJson(const AccuracyCheck &c);

}  // namespace wyndlor::cli
