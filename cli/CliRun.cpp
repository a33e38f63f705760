#include "CliRun.h"

#include "AppPaths.h"
#include "PdfExport.h"
#include "ReportJob.h"

#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace wyndlor::cli {

namespace {

const char *const kUsage =
    "Usage: wyndlor-calc [--json | --csv] FILE.wyd...\n"
    "       wyndlor-calc --report OUT.prn [--format FMT] [--ini INI] FILE.wyd\n"
    "       wyndlor-calc --pdf OUT.pdf [--format FMT] [--ini INI] FILE.wyd\n"
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
    "flood routed through the same pond at 1-minute steps (reference values), and a\n"
    "warning when the calculation time step is too coarse for the pond, with the\n"
    "largest step that gives a reliable result (the JSON \"check\" object, the\n"
    "table's and CSV's check columns).\n"
    "\n"
    "--report OUT writes the whole printed report of one project (the three sections\n"
    "joined by form feeds) as a Shift_JIS print file; --pdf OUT writes it as a PDF,\n"
    "one page per report page. The report format file and the numbering style are\n"
    "taken from Wyndlor.FMT and Wyndlor.INI beside the program unless --format and\n"
    "--ini name others. Exit status 1 when the project cannot be read or calculated\n"
    "or a report section fails.\n";

std::string Num(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Fixed3(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::string JsonString(const std::string &s) {
    std::string o = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': o += "\\\""; break;
        case '\\': o += "\\\\"; break;
        case '\n': o += "\\n"; break;
        case '\r': o += "\\r"; break;
        case '\t': o += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                o += buf;
            } else {
                o += static_cast<char>(c);
            }
        }
    }
    return o + "\"";
}

std::string Bool(bool b) { return b ? "true" : "false"; }

// A JSON object built field by field.
class Obj {
public:
    Obj &Raw(const char *key, const std::string &value) {
        s_ += (s_.size() > 1 ? "," : "") + JsonString(key) + ":" + value;
        return *this;
    }
    Obj &Num(const char *key, double v) { return Raw(key, cli::Num(v)); }
    Obj &Int(const char *key, int64_t v) { return Raw(key, std::to_string(v)); }
    std::string Str() const { return s_ + "}"; }

private:
    std::string s_ = "{";
};

template <class Coll, class Fn>
std::string Array(const Coll &c, Fn item) {
    std::string s = "[";
    bool first = true;
    for (const auto &it : c) {
        if (!first) s += ",";
        first = false;
        s += item(*it);
    }
    return s + "]";
}

std::string AveJson(const std::shared_ptr<clsAve> &a) {
    if (!a) return "null";
    return Obj()
        .Int("Error", a->Error())
        .Num("GN", a->GN())
        .Num("GNV", a->GNV())
        .Num("Ave", a->Ave())
        .Raw("items", Array(a->DataItem(),
                            [](const clsAveItem &i) {
                                return Obj()
                                    .Raw("Title", JsonString(i.Title))
                                    .Num("n", i.n)
                                    .Num("V", i.V)
                                    .Num("NV", i.NV)
                                    .Str();
                            }))
        .Str();
}

}  // namespace

FileRun RunFile(const QString &path, bool check) {
    FileRun run;
    run.file = path;
    InitProjectData(run.data);
    run.read = OpenProjectFile(path, run.data);
    run.readOk = run.read.outcome == OpenOutcome::Ok;
    if (run.readOk) run.calcOk = CalcAll(run.data, run.res);
    if (run.calcOk && check) {
        AccuracyOptions options;
        options.keepSeries = false;
        run.check = CheckAccuracy(run.data, run.res, options);
        if (!run.check->ok) run.check.reset();
    }
    return run;
}

std::string CheckWords(const FileRun &run) {
    if (!run.check) return "";
    const AccuracyCheck &c = *run.check;
    if (!c.warning) return "ok";
    if (c.suggestion == AccuracySuggestion::SmallerStep)
        return "計算時間間隔Δｔが大きいため，計算結果の精度が不十分です。Δｔ＝" + std::to_string(c.suggestedDT) +
               "分以下での再計算をお勧めします。";
    return "計算時間間隔Δｔが大きいため，計算結果の精度が不十分です。10分以上のΔｔでは信頼できる結果が得られません。";
}

std::string FailureText(const FileRun &run) {
    if (!run.readOk) {
        std::string s;
        if (run.read.outcome == OpenOutcome::WrongType) {
            s = "入力ﾃﾞｰﾀﾌｧｲﾙ(*.wyd)ではありません。";
        } else if (run.read.outcome == OpenOutcome::UnsupportedVersion) {
            s = "入力ﾃﾞｰﾀﾌｧｲﾙの書式（Ver." + run.read.version.toStdString() + "）には現在対応しておりません。";
        } else {
            s = "指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： " +
                std::to_string(run.read.code) + "）";
        }
        return s;
    }
    if (!run.calcOk) {
        return "計算途中でｴﾗｰが発生したため，計算を中止しました。（" + std::string(CalcStepName(run.res.FailedStep)) +
               ", ｴﾗｰｺｰﾄﾞ ： " + std::to_string(run.res.FailedError) + "）";
    }
    return "";
}

std::string FormatJson(const FileRun &run) {
    Obj o;
    o.Raw("file", JsonString(run.file.toStdString()));
    o.Raw("read", Obj()
                      .Raw("ok", Bool(run.readOk))
                      .Raw("version", JsonString(run.read.version.toStdString()))
                      .Int("error", run.read.code)
                      .Str());
    if (!run.readOk) {
        for (const char *k : {"calc", "results", "tp", "aveFp", "aveC", "rainfall", "inflow", "routing", "check"})
            o.Raw(k, "null");
        return o.Str();
    }
    const CalcResults &r = run.res;
    o.Raw("calc", Obj().Raw("ok", Bool(run.calcOk)).Str());
    o.Raw("results", Obj()
                         .Num("Q1", r.objQi ? r.objQi->Q1() : 0)
                         .Num("Q2", r.objQo ? r.objQo->Q2() : 0)
                         .Num("Hmax", r.objQo ? r.objQo->Hmax() : 0)
                         .Int("n", r.objQo ? r.objQo->n() : 0)
                         .Num("DesignFloodLevel", r.DesignFloodLevel)
                         .Str());
    o.Raw("tp", !r.objTp ? "null"
                         : Obj()
                               .Raw("ok", Bool(r.TpError == 0))
                               .Num("tp", r.objTp->tp())
                               .Raw("rows", Array(r.objTp->TpData(),
                                                  [](const clsTpData &i) {
                                                      return Obj().Num("t", i.t).Num("r", i.r).Num("re", i.re).Num("tp", i.tp).Str();
                                                  }))
                               .Str());
    o.Raw("aveFp", AveJson(r.objAveFp));
    o.Raw("aveC", AveJson(r.objAveC));
    o.Raw("rainfall", !r.objRdata ? "null"
                                  : Obj()
                                        .Int("Error", r.objRdata->Error())
                                        .Raw("Datain", Array(r.objRdata->Datain(),
                                                             [](const clsRdataIn &i) {
                                                                 return Obj().Int("t", i.t).Num("r", i.r).Num("nr", i.nr).Num("i", i.i).Str();
                                                             }))
                                        .Raw("DataR", Array(r.objRdata->DataR(),
                                                            [](const clsRdataR &i) {
                                                                return Obj()
                                                                    .Int("t", i.t)
                                                                    .Int("tshh", i.tshh)
                                                                    .Int("tsmm", i.tsmm)
                                                                    .Int("tehh", i.tehh)
                                                                    .Int("temm", i.temm)
                                                                    .Num("r", i.r)
                                                                    .Str();
                                                            }))
                                        .Str());
    o.Raw("inflow", !r.objQi ? "null"
                             : Obj()
                                   .Int("Error", r.objQi->Error())
                                   .Num("Q1", r.objQi->Q1())
                                   .Raw("rows", Array(r.objQi->Qi(),
                                                      [](const clsQiData &i) {
                                                          return Obj().Int("t", i.t).Num("r", i.r).Num("Qi", i.Qi).Num("Qid", i.Qid).Str();
                                                      }))
                                   .Str());
    o.Raw("routing", !r.objQo ? "null"
                              : Obj()
                                    .Int("Error", r.objQo->Error())
                                    .Int("n", r.objQo->n())
                                    .Num("Q2", r.objQo->Q2())
                                    .Num("Hmax", r.objQo->Hmax())
                                    .Raw("HVC", Array(r.objQo->HVC(),
                                                      [](const clsQoHVC &i) {
                                                          return Obj().Num("EL", i.EL).Num("h", i.h).Num("A", i.A).Num("V", i.V).Str();
                                                      }))
                                    .Raw("rows", Array(r.objQo->Qo(),
                                                       [](const clsQoData &i) {
                                                           return Obj()
                                                               .Int("t", i.t)
                                                               .Int("hh", i.hh)
                                                               .Int("mm", i.mm)
                                                               .Num("Qi", i.Qi)
                                                               .Num("Qo", i.Qo)
                                                               .Num("EL", i.EL)
                                                               .Num("h", i.h)
                                                               .Num("V", i.V)
                                                               .Str();
                                                       }))
                                    .Str());
    o.Raw("check", !run.check ? "null"
                              : Obj()
                                    .Num("Q2", run.check->refQ2)
                                    .Num("Hmax", run.check->refHmax)
                                    .Num("tPeak", run.check->tPeak)
                                    .Num("k", run.check->routing.maxK)
                                    .Int("nonConverged", run.check->routing.nonConverged)
                                    .Raw("warning", Bool(run.check->warning))
                                    .Raw("suggestedDT", run.check->suggestion == AccuracySuggestion::SmallerStep
                                                            ? std::to_string(run.check->suggestedDT)
                                                            : std::string("null"))
                                    .Str());
    return o.Str();
}

namespace {
std::string CsvField(const std::string &s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string o = "\"";
    for (char c : s) o += (c == '"') ? std::string("\"\"") : std::string(1, c);
    return o + "\"";
}
}  // namespace

std::string CsvHeader() { return "file,Q1,Q2,Hmax,DesignFloodLevel,refQ2,refHmax,warning,suggestedDT,status"; }

std::string FormatCsvRow(const FileRun &run) {
    std::string row = CsvField(run.file.toStdString());
    if (run.readOk && run.calcOk) {
        const CalcResults &r = run.res;
        row += "," + Fixed3(r.objQi->Q1()) + "," + Fixed3(r.objQo->Q2()) + "," + Fixed3(r.objQo->Hmax()) + "," +
               Fixed3(r.DesignFloodLevel);
        if (run.check) {
            const AccuracyCheck &c = *run.check;
            row += "," + Fixed3(c.refQ2) + "," + Fixed3(c.refHmax) + "," + (c.warning ? "true" : "false") + "," +
                   (c.suggestion == AccuracySuggestion::SmallerStep ? std::to_string(c.suggestedDT) : "");
        } else {
            row += ",,,,";
        }
        row += ",ok";
    } else {
        row += ",,,,,,,,," + CsvField(FailureText(run));
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
    const std::vector<std::string> head = {"file", "Q1 (m3/s)", "Q2 (m3/s)", "Hmax (m)", "design flood WL (m)", "check"};
    std::vector<std::vector<std::string>> rows;
    for (const auto &run : runs) {
        std::vector<std::string> row = {run.file.toStdString()};
        if (run.readOk && run.calcOk) {
            row.push_back(Fixed3(run.res.objQi->Q1()));
            row.push_back(Fixed3(run.res.objQo->Q2()));
            row.push_back(Fixed3(run.res.objQo->Hmax()));
            row.push_back(Fixed3(run.res.DesignFloodLevel));
            row.push_back(CheckWords(run));
        } else {
            row.push_back(FailureText(run));
        }
        rows.push_back(row);
    }
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

namespace {

// Writes the report of one project as a print file or a PDF.
int RunReport(const std::string &file, const std::string &reportOut, const std::string &pdfOut,
              const std::string &format, const std::string &ini, std::ostream &out, std::ostream &err) {
    FileRun run = RunFile(QString::fromLocal8Bit(file.c_str()));
    if (!run.readOk || !run.calcOk) {
        err << "wyndlor-calc: " << file << ": " << FailureText(run) << "\n";
        return 1;
    }
    const QString formatFile = format.empty() ? DefaultFormatFileName() : QString::fromLocal8Bit(format.c_str());
    const QString iniFile = ini.empty() ? DefaultIniFileName() : QString::fromLocal8Bit(ini.c_str());

    QTemporaryDir scratch;
    QString printFile = QString::fromLocal8Bit(reportOut.c_str());
    if (reportOut.empty()) {
        if (!scratch.isValid()) {
            err << "wyndlor-calc: no temporary folder for the report\n";
            return 1;
        }
        printFile = scratch.filePath(QStringLiteral("report.prn"));
    }
    QString message;
    if (!WriteFullReport(printFile, run.data, run.res, formatFile, iniFile, message, run.check ? &*run.check : nullptr)) {
        err << "wyndlor-calc: " << file << ": " << message.trimmed().toStdString() << "\n";
        return 1;
    }
    if (!pdfOut.empty()) {
        QString error;
        if (!glancer::ExportPdf(printFile, QString::fromLocal8Bit(pdfOut.c_str()), error)) {
            err << "wyndlor-calc: " << error.toStdString() << "\n";
            return 1;
        }
        out << pdfOut << "\n";
    } else {
        out << reportOut << "\n";
    }
    return 0;
}

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
    std::string reportOut, pdfOut, format, ini;
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
        } else if (options && (a == "--report" || a == "--pdf" || a == "--format" || a == "--ini")) {
            std::string &into = a == "--report" ? reportOut : a == "--pdf" ? pdfOut : a == "--format" ? format : ini;
            if (!value(into) || into.empty()) {
                err << "wyndlor-calc: " << a << " needs a file name\n" << kUsage;
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
        allOk = allOk && run.readOk && run.calcOk;
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

}  // namespace wyndlor::cli
