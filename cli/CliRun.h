// The command-line calculator: reads project files, makes one calculation
// run of each, and prints the results as a table, CSV or JSON, or writes
// the printed report of one project as a print file or a PDF.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wyndlor::cli {

// True when the arguments ask for a PDF, which needs a GUI application
// object (on the offscreen platform) for its fonts.
bool WantsPdf(const std::vector<std::string> &args);

// The whole program: arguments without the program name.  Returns the exit
// status: 0 all files read and calculated, 1 any failed, 2 usage error.
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// The end of every run: flushes and closes the standard output and turns a
// failed write there (a full disk, /dev/full, a closed terminal) into exit
// status 1 with the reason on `err`, whatever the mode.  Returns the exit
// status of the program.
int FinishStandardOutput(int status, std::ostream &out, std::ostream &err);

}  // namespace wyndlor::cli
