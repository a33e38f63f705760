// The command-line calculator: reads project files, makes one calculation
// run of each, and prints the results as a table, CSV or JSON, or writes
// the printed report of one project as a print file or a PDF.
#pragma once

#include <iosfwd>
#include <streambuf>
#include <string>
#include <vector>

namespace wyndlor::cli {

// True when the arguments ask for a PDF, which needs a GUI application
// object (on the offscreen platform) for its fonts.
bool WantsPdf(const std::vector<std::string> &args);

// The whole program: arguments without the program name.  Returns the exit
// status: 0 all files read and calculated, 1 any failed, 2 usage error.
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// The program's standard output: a buffered stream onto file descriptor 1
// that keeps the error of the first failed write, so that no failure is
// lost in a buffer or overwritten by a later call.  Every mode writes
// through it (main hands it to RunCli).
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
    StandardOutput(const StandardOutput &) = delete;
    StandardOutput &operator=(const StandardOutput &) = delete;
    // Writes what is buffered and closes the descriptor (a file system may
    // report a failed write only at the close).  0, or the errno of the
    // first failure.
    int Close();

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    void Drain();
    char buffer_[64 * 1024];
    int error_ = 0;
    bool closed_ = false;
};

// The end of every run: closes the standard output and turns a failed
// write there (a full disk, /dev/full) into exit status 1 with the reason
// on `err`, whatever the mode.  Returns the exit status of the program.
int FinishStandardOutput(int status, StandardOutput &out, std::ostream &err);

}  // namespace wyndlor::cli
