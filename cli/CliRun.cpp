#include "cli/CliRun.h"

#include "calc/SlotValue.h"
#include "cli/FileOutputs.h"
#include "cli/FileRun.h"
#include "cli/JsonWriter.h"
#include "cli/SolveWidthRun.h"
#include "cli/StudyRun.h"
#include "cli/TextTable.h"
#include "core/Messages.h"
#include "core/SystemHelpers.h"

#include <cerrno>
#include <ostream>
#include <unistd.h>

#ifndef OSTREVIN_VERSION
#define OSTREVIN_VERSION "1.4.0"
#endif

namespace wyndlor::cli {

namespace {

const char *const kUsage =
    "Usage: wyndlor-calc [--json | --csv] FILE.wyd...\n"
    "       wyndlor-calc --report OUT.prn [--format FMT] [--ini INI] FILE.wyd\n"
    "       wyndlor-calc --pdf OUT.pdf [--format FMT] [--ini INI] FILE.wyd\n"
    "       wyndlor-calc --upgrade OUT.wyd FILE.wyd\n"
    "       wyndlor-calc --solve-width HWLa [--json] FILE.wyd...\n"
    "       wyndlor-calc --study-drawdown DMAX[:STEP] [--factor F[,F...]] [--json | --csv] FILE.wyd...\n"
    "       wyndlor-calc --version | --help\n"
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
    "Beside the guideline values every result carries an accuracy check in three\n"
    "parts. The inflow: Q1 against Q1 at the guideline's step dt ~ tp (tpStep,\n"
    "Q1AtTpStep); reason inflow when Q1 is more than 5 % below it (calculate at\n"
    "tpStep). The routing: the same flood routed at 1-minute steps (reference\n"
    "values, its design flood water level designFloodLevel); reasons nonConverged,\n"
    "depth, discharge, and then safeSideLevel, the higher of the two levels. The\n"
    "data: start, aboveCrest, aboveTable (the h-A data or the starting level),\n"
    "noReference. See the JSON \"check\" object and the table's and CSV's columns.\n"
    "\n"
    "--report OUT writes the whole printed report of one project (the three sections\n"
    "joined by form feeds) as a Shift_JIS print file; --pdf OUT writes it as a PDF,\n"
    "one page per report page. The report format file is the program's Wyndlor.FMT\n"
    "unless --format names another. The numbering style of the headings is the one\n"
    "set in the desktop program, read from its settings file Wyndlor.INI unless\n"
    "--ini names another: ~/.config/Tarnvale/Wyndlor/Wyndlor.INI ($XDG_CONFIG_HOME)\n"
    "for an installed program, beside the program in a portable folder. Exit status\n"
    "1 when the project cannot be read or calculated or a report section fails.\n"
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
    "(0.1 m is enough) or none. Where the check finds the routing inaccurate at\n"
    "that width, the answer is the width the 1-minute routing of the same flood\n"
    "needs (basis reference). With --json: {\"file\", \"solve\": {\"allowable\", \"B\",\n"
    "\"HWL\", \"Hmax\", \"Q2\", \"basis\", \"guidelineB\", \"guidelineHWL\", \"warning\",\n"
    "\"reasons\", \"referenceB\", \"status\"}}. Exit status 1 when a\n"
    "file cannot be read or calculated.\n"
    "\n"
    "--study-drawdown DMAX[:STEP] studies the pond's flood-control effect: the design\n"
    "flood routed from the full water level lowered by 0, STEP, 2 STEP ... DMAX m\n"
    "(STEP 0.25 m when left out), under the rainfall factors F on the constant a\n"
    "(--factor, 1.0 and 1.1 when left out), at most 100 cases. Per case the empty\n"
    "volume, Q1, Q2, Q1-Q2 (m3/s and %), Hmax, HWL, whether it spills and the\n"
    "accuracy check; per factor the smallest drawdown (0.01 m) without spill. Frustum\n"
    "method: a drawdown below the lowest h-A row is skipped; constant-area method:\n"
    "the pond keeps its full-water area below the full water level. With --json:\n"
    "{\"file\", \"study\": {\"cases\": [{\"drawdown\", \"emptyVolume\", \"factor\", \"Q1\",\n"
    "\"Q2\", \"reduction\", \"Hmax\", \"HWL\", \"spills\", \"warning\", \"reasons\", ...}],\n"
    "\"noSpill\": [{\"factor\", \"drawdown\"}], \"storageBelowFWL\": \"table\" | \"constantArea\"}}.\n"
    "Exit status 1 when a file cannot be read or calculated.\n";

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
    std::string reportOut, pdfOut, upgradeOut, format, ini, solveWidth, studyDrawdown, studyFactors;
    bool options = true, study = false;
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
        } else if (options && a == "--version") {
            out << "wyndlor-calc (Ostrevin) " << OSTREVIN_VERSION << "\n";
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
        } else if (options && (a == "--study-drawdown" || a == "--factor")) {
            study = study || a == "--study-drawdown";
            if (!value(a == "--factor" ? studyFactors : studyDrawdown)) {
                err << "wyndlor-calc: " << a << " needs a list\n" << kUsage;
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
    if (study || !studyFactors.empty()) {
        StudyLists lists;
        std::string why = ParseStudyLists(studyDrawdown, studyFactors, lists);
        if (!study) why = "--factor goes with --study-drawdown";
        if (!solveWidth.empty() || !upgradeOut.empty() || !reportOut.empty() || !pdfOut.empty() || !format.empty() ||
            !ini.empty())
            why = "--study-drawdown goes with --factor, --json or --csv only";
        if (!why.empty()) {
            err << "wyndlor-calc: " << why << "\n" << kUsage;
            return 2;
        }
        const StudyFormat as = mode == Mode::Json ? StudyFormat::Json
                               : mode == Mode::Csv ? StudyFormat::Csv
                                                   : StudyFormat::Table;
        return RunStudy(lists, files, as, out);
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
