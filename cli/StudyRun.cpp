#include "cli/StudyRun.h"

#include "calc/FloodStudy.h"
#include "calc/RoundOff.h"
#include "cli/FileRun.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/Messages.h"
#include "core/PictureNumber.h"

#include <ostream>
#include <sstream>

namespace wyndlor::cli {

namespace {

// Splits at `sep`; every part must be a plain number.
bool ParseNumbers(const std::string &text, char sep, std::vector<double> &out) {
    std::stringstream in(text);
    std::string part;
    out.clear();
    while (std::getline(in, part, sep)) {
        double v = 0;
        if (ParsePlainNumber(part, v) != 0) return false;
        out.push_back(v);
    }
    // "1.0," leaves an empty last part that getline does not return.
    return !text.empty() && text.back() != sep;
}

struct FileStudy {
    std::string file;
    std::string failure;  // "" when the file was read and its project calculates
    FloodStudy study;
};

FileStudy Study(const std::string &file, const StudyLists &lists) {
    FileStudy f;
    f.file = file;
    ProjectData data;
    f.failure = ReadProject(file, data);
    if (!f.failure.empty()) return f;
    f.study = RunFloodStudy(data, lists.drawdowns, lists.factors);
    if (!f.study.ok) f.failure = msg::StudyFailureText(f.study).toStdString();
    return f;
}

// Every case the data allow calculated (a skipped case is an answer).
bool Complete(const FileStudy &f) {
    if (!f.failure.empty()) return false;
    for (const StudyCase &c : f.study.cases)
        if (c.skip == StudySkip::None && !c.ok) return false;
    return true;
}

const char *SkipWord(StudySkip s) { return s == StudySkip::BelowTable ? "belowTable" : "beyondVolume"; }
const char *Bool(bool b) { return b ? "true" : "false"; }

std::string ReasonsJson(const std::vector<AccuracyReason> &reasons) {
    std::string o = "[";
    for (size_t i = 0; i < reasons.size(); ++i)
        o += (i ? ",\"" : "\"") + std::string(AccuracyReasonWord(reasons[i])) + "\"";
    return o + "]";
}

std::string ReasonWords(const std::vector<AccuracyReason> &reasons, const char *sep) {
    std::string o;
    for (size_t i = 0; i < reasons.size(); ++i) o += (i ? sep : "") + std::string(AccuracyReasonWord(reasons[i]));
    return o;
}

std::string CaseJson(const StudyCase &c, const FloodStudy &s) {
    std::string o = "{\"drawdown\":" + JsonNumber(c.drawdown);
    const std::string head = ",\"factor\":" + JsonNumber(c.factor);
    const std::string start = ",\"startLevel\":" + JsonNumber(RoundOff(c.startLevel, 3));
    if (c.skip != StudySkip::None)
        return o + head + start + ",\"skipped\":\"" + SkipWord(c.skip) +
               "\",\"note\":" + JsonString(msg::StudyCaseNote(c, s).toStdString()) + "}";
    if (!c.ok) return o + head + start + ",\"error\":" + JsonString(msg::StudyCaseNote(c, s).toStdString()) + "}";
    return o + ",\"emptyVolume\":" + JsonNumber(c.emptyVolume) + head + ",\"Q1\":" + JsonNumber(c.Q1) +
           ",\"Q2\":" + JsonNumber(c.Q2) + ",\"reduction\":" + JsonNumber(c.reduction) +
           ",\"Hmax\":" + JsonNumber(c.Hmax) + ",\"HWL\":" + JsonNumber(RoundOff(c.HWL, 3)) +
           ",\"spills\":" + Bool(c.spills) + ",\"warning\":" + Bool(c.warning) + ",\"reasons\":" +
           ReasonsJson(c.reasons) + start + ",\"reductionPercent\":" + JsonNumber(RoundOff(c.reductionPercent, 2)) +
           ",\"maxLevel\":" + JsonNumber(c.maxLevel) + "}";
}

std::string FormatJson(const FileStudy &f) {
    std::string o = "{\"file\":" + JsonString(f.file) + ",\"study\":";
    if (!f.failure.empty()) return o + "null,\"error\":" + JsonString(f.failure) + "}";
    const FloodStudy &s = f.study;
    o += "{\"cases\":[";
    for (size_t i = 0; i < s.cases.size(); ++i) o += (i ? "," : "") + CaseJson(s.cases[i], s);
    o += "],\"noSpill\":[";
    for (size_t i = 0; i < s.noSpill.size(); ++i) {
        const NoSpillDrawdown &n = s.noSpill[i];
        o += std::string(i ? "," : "") + "{\"factor\":" + JsonNumber(n.factor) +
             ",\"drawdown\":" + (n.found ? JsonNumber(n.drawdown) : "null");
        if (n.found) o += ",\"warning\":" + std::string(Bool(n.warning)) + ",\"reasons\":" + ReasonsJson(n.reasons);
        o += "}";
    }
    o += std::string("],\"storageBelowFWL\":\"") +
         (s.storage == StorageBelowFWL::Table ? "table" : "constantArea") + "\",\"fwl\":" + JsonNumber(s.fwl) +
         ",\"deepest\":" + JsonNumber(RoundOff(s.deepest, 3)) + "}";
    return o + "}";
}

std::string Drawdown(double d) { return FormatPicture(d, "0.000"); }
std::string Factor(double f) { return msg::FormatFactor(f).toStdString(); }

// The last column: the check's verdict, or why the case has no result.
std::string CheckColumn(const StudyCase &c, const FloodStudy &s) {
    if (c.skip != StudySkip::None || !c.ok) return msg::StudyCaseNote(c, s).toStdString();
    return c.warning ? ReasonWords(c.reasons, ",") : "ok";
}

std::string NoSpillCsv(const FloodStudy &s, double factor) {
    for (const NoSpillDrawdown &n : s.noSpill)
        if (n.factor == factor) return n.found ? Drawdown(n.drawdown) : "none";
    return "";
}

void PrintCsv(const FileStudy &f, std::ostream &out) {
    const std::string file = CsvField(f.file);
    if (!f.failure.empty()) {
        out << file << ",,,,,,,,,,,,,,," << CsvField(f.failure) << ",\n";
        return;
    }
    const FloodStudy &s = f.study;
    for (const StudyCase &c : s.cases) {
        out << file << "," << Factor(c.factor) << "," << Drawdown(c.drawdown) << "," << Fixed3(c.startLevel);
        if (c.skip == StudySkip::None && c.ok)
            out << "," << FormatPicture(c.emptyVolume, "0") << "," << Fixed3(c.Q1) << "," << Fixed3(c.Q2) << ","
                << Fixed3(c.reduction) << "," << FormatPicture(c.reductionPercent, "0.0") << "," << Fixed3(c.Hmax)
                << "," << Fixed3(c.HWL) << "," << Fixed3(c.maxLevel) << "," << Bool(c.spills) << ","
                << Bool(c.warning) << "," << ReasonWords(c.reasons, " ") << ",";
        else
            out << ",,,,,,,,,,,," << CsvField(msg::StudyCaseNote(c, s).toStdString());
        out << "," << NoSpillCsv(s, c.factor) << "\n";
    }
}

void PrintTable(const FileStudy &f, std::ostream &out) {
    out << Printable(f.file) << "\n";
    if (!f.failure.empty()) {
        out << "  " << f.failure << "\n\n";
        return;
    }
    const FloodStudy &s = f.study;
    out << msg::StorageBelowFWLText(s.storage).toStdString() << "\n";
    const QString note = msg::StudyStartNote(s);
    if (!note.isEmpty()) out << note.toStdString() << "\n";
    std::vector<std::vector<std::string>> rows;
    for (const StudyCase &c : s.cases) {
        if (c.skip != StudySkip::None || !c.ok) {
            rows.push_back({Factor(c.factor), Drawdown(c.drawdown), Fixed3(c.startLevel), "-", "-", "-", "-", "-",
                            "-", "-", "-", CheckColumn(c, s)});
            continue;
        }
        rows.push_back({Factor(c.factor), Drawdown(c.drawdown), Fixed3(c.startLevel),
                        FormatPicture(c.emptyVolume, "0"), Fixed3(c.Q1), Fixed3(c.Q2), Fixed3(c.reduction),
                        FormatPicture(c.reductionPercent, "0.0"), Fixed3(c.Hmax), Fixed3(c.HWL),
                        c.spills ? "yes" : "no", CheckColumn(c, s)});
    }
    out << FormatRows({"factor", "d (m)", "start (m)", "empty (m3)", "Q1 (m3/s)", "Q2 (m3/s)", "Q1-Q2 (m3/s)",
                       "(%)", "Hmax (m)", "HWL (m)", "spills", "check"},
                      rows);
    for (const NoSpillDrawdown &n : s.noSpill) out << msg::NoSpillText(n, s).toStdString() << "\n";
    out << "\n";
}

}  // namespace

std::string ParseStudyLists(const std::string &drawdown, const std::string &factors, StudyLists &out) {
    std::vector<double> range;
    if (!ParseNumbers(drawdown, ':', range) || range.size() > 2)
        return "--study-drawdown needs DMAX or DMAX:STEP in m";
    const double step = range.size() == 2 ? range[1] : kDefaultDrawdownStep;
    if (StudyListError e = CheckDrawdownRange(range[0], step); e != StudyListError::None)
        return msg::StudyListErrorText(e).toStdString();
    out.drawdowns = DrawdownList(range[0], step);
    if (factors.empty()) {
        out.factors = DefaultRainFactors();
    } else if (!ParseNumbers(factors, ',', out.factors)) {
        return "--factor needs numbers separated by commas";
    }
    if (StudyListError e = CheckStudyLists(out.drawdowns, out.factors); e != StudyListError::None)
        return msg::StudyListErrorText(e).toStdString();
    return "";
}

int RunStudy(const StudyLists &lists, const std::vector<std::string> &files, StudyFormat format,
             std::ostream &out) {
    bool allOk = true;
    if (format == StudyFormat::Csv)
        out << "file,factor,drawdown,startLevel,emptyVolume,Q1,Q2,reduction,reductionPercent,Hmax,HWL,maxLevel,"
               "spills,warning,reasons,note,noSpillDrawdown\n";
    for (const std::string &file : files) {
        const FileStudy f = Study(file, lists);
        allOk = allOk && Complete(f);
        if (format == StudyFormat::Json)
            out << FormatJson(f) << "\n";
        else if (format == StudyFormat::Csv)
            PrintCsv(f, out);
        else
            PrintTable(f, out);
    }
    out.flush();
    return allOk ? 0 : 1;
}

}  // namespace wyndlor::cli
