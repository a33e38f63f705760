// The command-line calculator's outputs that are files of their own: the
// printed report of one project (a print file or a PDF) and a project
// rewritten as the current version.  Each is written beside its target and
// renamed over it only when every byte reached the disk.
#pragma once

#include <iosfwd>
#include <string>

namespace wyndlor::cli {

// The report of `file` into `reportOut` (a print file) or `pdfOut` (a PDF),
// one of them given; the format file and settings file when named, else
// those of the program.  Returns the exit status (0, or 1 with the reason
// on `err`).
int RunReport(const std::string &file, const std::string &reportOut, const std::string &pdfOut,
              const std::string &format, const std::string &ini, std::ostream &out, std::ostream &err);

// Reads a project of any version and writes it as the current version to
// `outFile`, through the same writer as the desktop program's Save.
int RunUpgrade(const std::string &file, const std::string &outFile, std::ostream &out, std::ostream &err);

}  // namespace wyndlor::cli
