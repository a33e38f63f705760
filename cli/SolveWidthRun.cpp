#include "cli/SolveWidthRun.h"

#include "calc/RoundOff.h"
#include "calc/WidthSolver.h"
#include "cli/FileRun.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/Messages.h"
#include "core/PictureNumber.h"
#include "core/ProjectFile.h"

#include <ostream>

namespace wyndlor::cli {

namespace {

struct FileSolve {
    std::string file;
    std::string failure;  // "" when the file was read and calculated
    WidthSolution solution;
};

FileSolve Solve(const std::string &file, double allowable) {
    FileSolve f;
    f.file = file;
    ProjectData data;
    f.failure = ReadProject(file, data);
    if (!f.failure.empty()) return f;
    f.solution = SolveWidth(data, allowable);
    if (!f.solution.ok) f.failure = msg::WidthAnswerText(f.solution).toStdString();
    return f;
}

const char *StatusWord(WidthStatus s) {
    switch (s) {
    case WidthStatus::Found: return "found";
    case WidthStatus::AlreadyEnough: return "alreadyEnough";
    case WidthStatus::None: break;
    }
    return "none";
}

bool Warns(const WidthSolution &s) { return s.check && s.check->ok && s.check->warning(); }

std::string FormatJson(const FileSolve &f) {
    std::string o = "{\"file\":" + JsonString(f.file) + ",\"solve\":";
    if (!f.failure.empty()) return o + "null,\"error\":" + JsonString(f.failure) + "}";
    const WidthSolution &s = f.solution;
    const bool answer = s.AnswerStatus() != WidthStatus::None;
    const bool guidelineAnswer = s.status != WidthStatus::None;
    auto num = [&](double v, bool present) { return present ? JsonNumber(v) : std::string("null"); };
    const bool refFound = s.referenceSearched && s.referenceStatus != WidthStatus::None;
    // The answer is the 1-minute routing's width where the guideline
    // routing is not accurate for the pond at its width ("basis"
    // "reference"); the guideline's search result stays beside it.  HWL to
    // the 1 mm the levels are kept to, without the binary noise of crest +
    // depth.
    o += "{\"allowable\":" + JsonNumber(s.allowable) + ",\"B\":" + num(s.AnswerB(), answer) +
         ",\"HWL\":" + num(RoundOff(s.AnswerHWL(), 3), answer) + ",\"Hmax\":" +
         num(RoundOff(s.AnswerHmax(), 3), answer) + ",\"Q2\":" + num(RoundOff(s.AnswerQ2(), 3), answer) +
         ",\"basis\":\"" + (s.SizedByReference() ? "reference" : "guideline") + "\"" +
         ",\"guidelineB\":" + num(s.B, guidelineAnswer) + ",\"guidelineHWL\":" +
         num(RoundOff(s.HWL, 3), guidelineAnswer) + ",\"warning\":" + (Warns(s) ? "true" : "false") +
         ",\"reasons\":" + (s.check && s.check->ok ? ReasonsJson(*s.check) : std::string("[]")) +
         ",\"referenceB\":" + num(s.referenceB, refFound) + ",\"status\":\"" +
         StatusWord(s.AnswerStatus()) + "\"}";
    return o + "}";
}

// The check column: "ok", the answer's basis and the check's findings, or
// why there is no answer.
std::string CheckColumn(const WidthSolution &s) {
    if (s.AnswerStatus() == WidthStatus::None) return msg::WidthAnswerText(s).toStdString();
    if (s.check && s.check->ok && !s.check->warning()) return "ok";
    QString text = msg::WidthCheckText(s);
    if (s.SizedByReference()) text = msg::WidthAnswerText(s) + QLatin1Char(' ') + text;
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
}

}  // namespace

int RunSolveWidth(double allowable, const std::vector<std::string> &files, bool json, std::ostream &out) {
    bool allOk = true;
    std::vector<std::vector<std::string>> rows;
    for (const std::string &file : files) {
        const FileSolve f = Solve(file, allowable);
        allOk = allOk && f.failure.empty();
        if (json) {
            out << FormatJson(f) << "\n";
            continue;
        }
        if (!f.failure.empty()) {
            rows.push_back({f.file, f.failure});
            continue;
        }
        const WidthSolution &s = f.solution;
        const bool answer = s.AnswerStatus() != WidthStatus::None;
        rows.push_back({f.file, answer ? FormatPicture(s.AnswerB(), "0.0") : "-",
                        answer ? Fixed3(s.AnswerHWL()) : "-", answer ? Fixed3(s.AnswerHmax()) : "-",
                        answer ? Fixed3(s.AnswerQ2()) : "-",
                        std::string(StatusWord(s.AnswerStatus())) + (s.SizedByReference() ? " (1-min)" : ""),
                        CheckColumn(s)});
    }
    if (!json)
        out << FormatRows({"file", "B (m)", "HWL (m)", "Hmax (m)", "Q2 (m3/s)", "status", "check"}, rows);
    out.flush();
    return allOk ? 0 : 1;
}

}  // namespace wyndlor::cli
