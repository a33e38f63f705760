#include "cli/TextTable.h"

#include <QList>
#include <QString>
#include "core/Messages.h"
#include "core/PictureNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace wyndlor::cli {

// Text from a project file or a file name, safe on a terminal: control
// characters (C0, DEL, C1; an escape sequence could redraw or retitle the
// terminal) are written as \uXXXX, as the JSON output writes them.
std::string Printable(const std::string &s) {
    bool plain = true;
    for (unsigned char c : s) plain = plain && c >= 0x20 && c != 0x7F && c != 0xC2;
    if (plain) return s;
    std::string out;
    for (char32_t cp : QString::fromStdString(s).toUcs4()) {
        if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(cp));
            out += buf;
        } else {
            out += QString::fromUcs4(&cp, 1).toStdString();
        }
    }
    return out;
}

std::string CsvField(const std::string &raw) {
    const std::string s = Printable(raw);
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string o = "\"";
    for (char c : s) o += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return o + "\"";
}

// The check's columns added later (reasons, startOffset, balance, then the
// inflow and the design flood water levels) follow the status, so that the
// earlier columns keep their places.
std::string CsvHeader() {
    return "file,Q1,Q2,Hmax,DesignFloodLevel,refQ2,refHmax,warning,status,reasons,startOffset,balance,"
           "deltaT,tp,tpStep,Q1AtTpStep,refDesignFloodLevel,safeSideLevel";
}

namespace {
// Three decimals, or empty for a value that is not there (NaN).
std::string Fixed3OrEmpty(double v) { return std::isfinite(v) ? Fixed3(v) : std::string(); }
std::string Fixed1OrEmpty(double v) { return std::isfinite(v) ? FormatPicture(v, "0.0") : std::string(); }
std::string StepOrEmpty(int32_t minutes) { return minutes > 0 ? std::to_string(minutes) : std::string(); }
}  // namespace

std::string FormatCsvRow(const FileRun &f) {
    std::string row = CsvField(f.file.toStdString());
    if (Succeeded(f)) {
        const CalcResults &r = f.run.Results;
        row += "," + Fixed3(r.objQi->Q1()) + "," + Fixed3(r.objQo->Q2()) + "," + Fixed3(r.objQo->Hmax()) + "," +
               Fixed3(r.DesignFloodLevel);
        const AccuracyCheck *c = f.run.ValidCheck();
        if (c)
            row += "," + Fixed3OrEmpty(c->refQ2) + "," + Fixed3OrEmpty(c->refHmax) + "," +
                   (c->warning() ? "true" : "false");
        else
            row += ",,,";
        row += ",ok";
        // The reasons' words separated by spaces, which need no quoting.
        if (c)
            row += "," + msg::AccuracyReasonWords(*c, QStringLiteral(" ")).toStdString() + "," +
                   Fixed3OrEmpty(c->startOffset) + "," + Fixed3OrEmpty(c->balance) + "," +
                   StepOrEmpty(c->deltaT) + "," + Fixed1OrEmpty(c->tp) + "," + StepOrEmpty(c->tpStep) + "," +
                   Fixed3OrEmpty(c->q1AtTpStep) + "," + Fixed3OrEmpty(c->designFloodLevel) + "," +
                   Fixed3OrEmpty(c->safeSideLevel);
        else
            row += ",,,,,,,,,";
    } else {
        row += ",,,,,,,," + CsvField(FailureText(f)) + ",,,,,,,,,";
    }
    return row;
}

namespace {
// Display width of UTF-8 text in terminal columns: full-width (CJK,
// kana, full-width forms) count two, half-width katakana one.
size_t Width(const std::string &s) {
    size_t w = 0;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        uint32_t cp;
        int len;
        if (c < 0x80) { cp = c; len = 1; }
        else if ((c >> 5) == 6) { cp = c & 0x1F; len = 2; }
        else if ((c >> 4) == 14) { cp = c & 0x0F; len = 3; }
        else { cp = c & 0x07; len = 4; }
        for (int k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += len;
        const bool halfKana = cp >= 0xFF61 && cp <= 0xFF9F;
        w += (cp >= 0x1100 && !halfKana) ? 2 : 1;
    }
    return w;
}

std::string Pad(const std::string &s, size_t width, bool right) {
    const size_t w = Width(s);
    if (w >= width) return s;
    return right ? std::string(width - w, ' ') + s : s + std::string(width - w, ' ');
}
}  // namespace

std::string FormatTable(const std::vector<FileRun> &runs) {
    const std::vector<std::string> head = {"file",        "Q1 (m3/s)",       "Q2 (m3/s)",
                                           "Hmax (m)",    "design flood WL (m)", "Δt/tp (min)",
                                           "Q1 at Δt≈tp", "1-min WL (m)",    "safe-side WL (m)",
                                           "check"};
    std::vector<std::vector<std::string>> rows;
    for (const FileRun &f : runs) {
        std::vector<std::string> row = {Printable(f.file.toStdString())};
        if (Succeeded(f)) {
            const CalcResults &r = f.run.Results;
            row.push_back(Fixed3(r.objQi->Q1()));
            row.push_back(Fixed3(r.objQo->Q2()));
            row.push_back(Fixed3(r.objQo->Hmax()));
            row.push_back(Fixed3(r.DesignFloodLevel));
            // The inflow line: the step against tp, Q1 at the guideline's
            // step with the share Q1 lies above or below it; then the
            // 1-minute routing's level and, on a routing reason, the
            // safe-side level.
            const AccuracyCheck *c = f.run.ValidCheck();
            std::string steps, q1AtTp, refLevel, safeSide;
            if (c) {
                steps = StepOrEmpty(c->deltaT) + "/" + Fixed1OrEmpty(c->tp);
                if (std::isfinite(c->q1AtTpStep))
                    q1AtTp = Fixed3(c->q1AtTpStep) + " (" + (c->InflowShare() >= 0 ? "+" : "") +
                             FormatPicture(c->InflowShare() * 100, "0.0") + " %)";
                refLevel = Fixed3OrEmpty(c->designFloodLevel);
                safeSide = Fixed3OrEmpty(c->safeSideLevel);
            }
            for (const std::string &cell : {steps, q1AtTp, refLevel, safeSide}) row.push_back(cell);
            row.push_back(Printable(CheckWords(f)));
        } else {
            row.push_back(Printable(FailureText(f)));
        }
        rows.push_back(row);
    }
    return FormatRows(head, rows);
}

std::string FormatRows(const std::vector<std::string> &head, const std::vector<std::vector<std::string>> &rows) {
    std::vector<size_t> widths(head.size());
    for (size_t c = 0; c < head.size(); ++c) widths[c] = Width(head[c]);
    for (const auto &row : rows) {
        if (row.size() == head.size())
            for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
        else
            widths[0] = std::max(widths[0], Width(row[0]));
    }
    std::string out;
    for (size_t c = 0; c < head.size(); ++c) out += (c ? "  " : "") + Pad(head[c], widths[c], c > 0 && c + 1 < head.size());
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += "\n";
    for (const auto &row : rows) {
        std::string line = Pad(row[0], widths[0], false);
        // The check column holds words and stays left-aligned and last.
        for (size_t c = 1; c < row.size(); ++c)
            line += "  " + (row.size() == head.size() && c + 1 < head.size() ? Pad(row[c], widths[c], true) : row[c]);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace wyndlor::cli
