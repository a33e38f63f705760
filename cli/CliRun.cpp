#include "cli/CliRun.h"

#include "calc/SlotValue.h"
#include "cli/FileOutputs.h"
#include "cli/FileRun.h"
#include "cli/JsonWriter.h"
#include "cli/SolveWidthRun.h"
#include "cli/TextTable.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"

#include <cerrno>
#include <ostream>
#include <unistd.h>

namespace wyndlor::cli {

namespace {

const char *const kUsage =
    "Usage: wyndlor-calc [--json | --csv] FILE.wyd...\n"
    "       wyndlor-calc --report OUT.prn [--format FMT] [--ini INI] FILE.wyd\n"
    "       wyndlor-calc --pdf OUT.pdf [--format FMT] [--ini INI] FILE.wyd\n"
    "       wyndlor-calc --upgrade OUT.wyd FILE.wyd\n"
    "       wyndlor-calc --solve-width HWLa [--json] FILE.wyd...\n"
    "\n"
    "Reads each Ostrevin project file (.wyd, versions 1.00 to 1.40) the way the\n"
    "desktop program opens it, runs the whole design-flood calculation (flood\n"
    "arrival time, rainfall waveform, inflow hydrograph, flood routing) and prints\n"
    "the results:\n"
    "  (default)  a table, one row per file: Q1 design flood discharge (m3/s),\n"
    "             Q2 peak outflow (m3/s), Hmax maximum overflow depth (m) and the\n"
    "             design flood water level (m), or why the file failed;\n"
    "  --csv      the same as CSV with a header row;\n"
    "  --json     one JSON object per file and line, with every engine table.\n"
    "\n"
    "Every file is read and calculated from a fresh state. Exit status: 0 when\n"
    "every file was read and calculated, 1 when any failed (the others are still\n"
    "processed), 2 for a usage error.\n"
    "\n"
    "Beside the guideline values every result carries an accuracy check: the same\n"
    "flood routed through the same pond at 1-minute steps from the same starting\n"
    "storage (reference values), the volume balance of the routing (%), and the\n"
    "reasons it warns: nonConverged, depth, discharge (the time step is too coarse;\n"
    "with the largest step that passes), start, aboveTable (the h-A data need rows\n"
    "around the starting level or above the design flood water level), noReference\n"
    "(no reference could be computed). See the JSON \"check\" object and the\n"
    "table's and CSV's check columns.\n"
    "\n"
    "--report OUT writes the whole printed report of one project (the three sections\n"
    "joined by form feeds) as a Shift_JIS print file; --pdf OUT writes it as a PDF,\n"
    "one page per report page. The report format file and the numbering style are\n"
    "taken from Wyndlor.FMT and Wyndlor.INI beside the program unless --format and\n"
    "--ini name others. Exit status 1 when the project cannot be read or calculated\n"
    "or a report section fails.\n"
    "\n"
    "--upgrade OUT reads a project of any version (1.00 to 1.40) and writes it as\n"
    "version 1.40 to OUT, exactly as the desktop program's Save writes it.\n"
    "\n"
    "Every output file is written beside its target and renamed over it only when\n"
    "every byte reached the disk: on a failure (for example a full disk, error\n"
    "61, or no permission, error 70) the previous file stays as it was and the\n"
    "exit status is 1. An output that is one of the inputs is refused, and so is a\n"
    "standard output that cannot be written (exit status 1).\n"
    "\n"
    "--solve-width HWLa finds for each project the narrowest spillway width B (in\n"
    "steps of 0.1 m, up to 1000 m) at which the design flood water level stays at or\n"
    "below the allowable level HWLa (m), all other input kept, and prints B, HWL,\n"
    "Hmax and Q2 at that width with its accuracy check; status found, alreadyEnough\n"
    "(0.1 m is enough) or none. With --json: {\"file\", \"solve\": {\"allowable\", \"B\",\n"
    "\"HWL\", \"Hmax\", \"Q2\", \"warning\", \"referenceB\", \"status\"}}, referenceB the\n"
    "width the 1-minute reference needs when the check warns. Exit status 1 when a\n"
    "file cannot be read or calculated.\n";

}  // namespace

bool WantsPdf(const std::vector<std::string> &args) {
    for (const std::string &a : args) {
        if (a == "--") return false;
        if (a == "--pdf") return true;
    }
    return false;
}

int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err) {
    enum class Mode { Table, Csv, Json } mode = Mode::Table;
    std::vector<std::string> files;
    std::string reportOut, pdfOut, upgradeOut, format, ini, solveWidth;
    bool options = true;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&](std::string &into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            out << kUsage;
            return 0;
        } else if (options && a == "--json") {
            mode = Mode::Json;
        } else if (options && a == "--csv") {
            mode = Mode::Csv;
        } else if (options && (a == "--report" || a == "--pdf" || a == "--upgrade" || a == "--format" || a == "--ini")) {
            std::string &into = a == "--report"    ? reportOut
                                : a == "--pdf"     ? pdfOut
                                : a == "--upgrade" ? upgradeOut
                                : a == "--format"  ? format
                                                   : ini;
            if (!value(into) || into.empty()) {
                err << "wyndlor-calc: " << a << " needs a file name\n" << kUsage;
                return 2;
            }
        } else if (options && a == "--solve-width") {
            double level = 0;
            if (!value(solveWidth) || ParsePlainNumber(solveWidth, level) != 0) {
                err << "wyndlor-calc: --solve-width needs the allowable level in m\n" << kUsage;
                return 2;
            }
        } else if (options && a.size() > 1 && a[0] == '-') {
            err << "wyndlor-calc: unknown option " << a << "\n" << kUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) {
        err << "wyndlor-calc: no project file given\n" << kUsage;
        return 2;
    }
    if (!upgradeOut.empty()) {
        if (files.size() != 1 || !reportOut.empty() || !pdfOut.empty() || !format.empty() || !ini.empty() ||
            mode != Mode::Table) {
            err << "wyndlor-calc: --upgrade takes exactly one project file and no other option\n" << kUsage;
            return 2;
        }
        return RunUpgrade(files.front(), upgradeOut, out, err);
    }
    if (!solveWidth.empty()) {
        if (!reportOut.empty() || !pdfOut.empty() || !format.empty() || !ini.empty() || mode == Mode::Csv) {
            err << "wyndlor-calc: --solve-width goes with --json only\n" << kUsage;
            return 2;
        }
        double level = 0;
        ParsePlainNumber(solveWidth, level);
        return RunSolveWidth(level, files, mode == Mode::Json, out);
    }
    if (!reportOut.empty() || !pdfOut.empty()) {
        if (files.size() != 1 || (!reportOut.empty() && !pdfOut.empty()) || mode != Mode::Table) {
            err << "wyndlor-calc: --report and --pdf take exactly one project file and no other output option\n"
                << kUsage;
            return 2;
        }
        return RunReport(files.front(), reportOut, pdfOut, format, ini, out, err);
    }
    if (!format.empty() || !ini.empty()) {
        err << "wyndlor-calc: --format and --ini go with --report or --pdf\n" << kUsage;
        return 2;
    }

    bool allOk = true;
    std::vector<FileRun> runs;
    if (mode == Mode::Csv) out << CsvHeader() << "\n";
    for (const std::string &f : files) {
        FileRun run = RunFile(QString::fromLocal8Bit(f.c_str()));
        allOk = allOk && Succeeded(run);
        if (mode == Mode::Json) {
            out << FormatJson(run) << "\n";
        } else if (mode == Mode::Csv) {
            out << FormatCsvRow(run) << "\n";
        } else {
            runs.push_back(std::move(run));
        }
    }
    if (mode == Mode::Table) out << FormatTable(runs);
    out.flush();
    return allOk ? 0 : 1;
}

void StandardOutput::Drain() {
    const char *p = pbase();
    while (p < pptr() && error_ == 0) {
        const ssize_t n = ::write(STDOUT_FILENO, p, static_cast<size_t>(pptr() - p));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) error_ = n < 0 ? errno : EIO;
        else p += n;
    }
    // After a failure the rest is dropped: it can never be written in order.
    setp(buffer_, buffer_ + sizeof buffer_);
}

StandardOutput::int_type StandardOutput::overflow(int_type ch) {
    Drain();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int StandardOutput::sync() {
    Drain();
    return 0;  // the error is kept for Close(); the stream goes on
}

int StandardOutput::Close() {
    if (closed_) return error_;
    Drain();
    closed_ = true;
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF && error_ == 0) error_ = errno;
    return error_;
}

int FinishStandardOutput(int status, StandardOutput &out, std::ostream &err) {
    const int e = out.Close();
    if (e == 0) return status;
    err << "wyndlor-calc: " << msg::StdoutWriteFailedText(FileErrorCode(e, false)).toStdString() << "\n";
    err.flush();
    return status == 0 ? 1 : status;
}

}  // namespace wyndlor::cli
