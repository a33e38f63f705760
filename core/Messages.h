// The message table: every message the user reads (message boxes, status
// and warning lines, read and write failures, the command-line
// calculator's failure words) is defined here once, and the desktop program
// and the command line take it from here.  The half-width katakana and
// full-width punctuation are the program's own wording and are kept exactly
// as users (and support) know them.
#pragma once

#include "calc/AccuracyCheck.h"
#include "calc/CalcDriver.h"
#include "calc/FloodStudy.h"
#include "calc/WidthSolver.h"
#include "core/ProjectFile.h"

#include <QString>

namespace wyndlor {
class CQo;
}

namespace wyndlor::msg {

inline QString ProductTitle() { return QStringLiteral("Ostrevin"); }

// "Ostrevin" alone, or "name.wyd - Ostrevin" while a file is in use.
// The caption carries Qt's "[*]" mark after the file's name (after the
// title for a new project): the window shows "*" there while the input has
// unsaved edits.
inline QString MainCaption(const QString &fileTitle) {
    return fileTitle.isEmpty() ? ProductTitle() + QStringLiteral("[*]")
                               : fileTitle + QStringLiteral("[*] - ") + ProductTitle();
}

// An error code as "##,##0": an integer with thousands separators, the
// same whatever the locale.
inline QString FormatErrorCode(long long code) {
    const bool negative = code < 0;
    QString digits = QString::number(negative ? -code : code);
    for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

inline QString ContactHint() {
    return QStringLiteral("お問い合わせの際は，上記ｴﾗｰﾒｯｾｰｼﾞおよびｴﾗｰｺｰﾄﾞをお知らせください。");
}

inline QString NewTitle() { return QStringLiteral("新規作成"); }
inline QString NewText() {
    return QStringLiteral("現在編集中の入力ﾃﾞｰﾀを全て破棄し，入力ﾃﾞｰﾀを初期化します。");
}

inline QString OpenDialogTitle() { return QStringLiteral("ﾌｧｲﾙを開く..."); }
inline QString SaveAsDialogTitle() { return QStringLiteral("ﾌｧｲﾙに名前を付けて保存..."); }
inline QString ProjectFilter() { return QStringLiteral("入力ﾃﾞｰﾀ(*.wyd)|*.wyd"); }
inline QString ProjectExtension() { return QStringLiteral(".wyd"); }

inline QString UnsupportedVersionTitle() { return QStringLiteral("ﾌｧｲﾙを開く"); }
inline QString UnsupportedVersionText(const QString &version) {
    return QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙの書式（Ver.") + version +
           QStringLiteral("）には現在対応しておりません。");
}

// A project file beyond the size any project reaches.
inline QString ProjectTooLargeText() {
    return QStringLiteral("ﾌｧｲﾙが大きすぎます（%1 MB を超えています）。").arg(kMaxProjectFileBytes / (1024 * 1024));
}
// The line naming the file a read or write failed on ("" for none).
inline QString FileNameLine(const QString &path) {
    return path.isEmpty() ? QString() : QStringLiteral("\nﾌｧｲﾙ名：") + path;
}

inline QString ReadErrorTitle() { return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読み込みｴﾗｰ"); }
inline QString ReadErrorText(long long code, const QString &path = QString()) {
    return QStringLiteral("指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(code) + QStringLiteral("）") +
           (code == err::FileTooLarge ? QStringLiteral("\n") + ProjectTooLargeText() : QString()) +
           FileNameLine(path) + QStringLiteral("\n\n") + ContactHint();
}

inline QString WriteErrorTitle() { return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ書き込みｴﾗｰ"); }
inline QString WriteErrorText(long long code, const QString &path = QString()) {
    return QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙを作成することができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(code) + QStringLiteral("）") + FileNameLine(path) + QStringLiteral("\n\n") +
           ContactHint();
}

inline QString ExitTitle() { return QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ終了"); }
// The name the unsaved-edits questions give a project never saved.
inline QString UntitledName() { return QStringLiteral("無題"); }
// "上書き保存" for a project with a file, "名前を付けて保存" for one without
// (Yes then opens the Save As dialog).
inline QString SaveVerb(const QString &currentFileName) {
    return currentFileName.isEmpty() ? QStringLiteral("名前を付けて保存") : QStringLiteral("上書き保存");
}
inline QString EditedFileLine(const QString &currentFileName) {
    return QStringLiteral("\n\n編集中のﾌｧｲﾙ名：") +
           (currentFileName.isEmpty() ? UntitledName() : currentFileName);
}
inline QString ExitText(const QString &currentFileName) {
    return QStringLiteral("現在編集中の入力ﾃﾞｰﾀがあります。") + SaveVerb(currentFileName) +
           QStringLiteral("してから終了しますか？") + EditedFileLine(currentFileName);
}

inline QString NotAvailableText() { return QStringLiteral("この機能はまだ利用できません。"); }

// A file that is no project file at all (the command line's word for it;
// the desktop program shows ReadErrorText(0)).
inline QString WrongTypeText() { return QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙ(*.wyd)ではありません。"); }

// Why a project file could not be read, in one line without the contact
// hint: the command line's failure words.
QString OpenFailureLine(const OpenResult &result);

// The calculation run.
inline QString CalcFailedText() {
    return QStringLiteral("計算途中でｴﾗｰが発生したため，計算を中止しました。");
}
// CalcFailedText with the step that stopped and its error number.
QString CalcFailedDetail(CalcStep step, int32_t code);

// Shown by every window with results while the input has changed since
// the run: the results are those of the input before the change.
inline QString StaleResultsText() { return QStringLiteral("入力が変更されています。再計算してください。"); }
// The print menu's question before printing such results.
inline QString StalePrintQuestion() {
    return StaleResultsText() + QStringLiteral("\n\n変更前の入力による計算結果を印刷しますか？");
}
// "000:00": hours of three digits, minutes of two.
QString ClockText(int32_t hours, int32_t minutes);
// The headline values: "##0.000" for discharges and depths, and
// "+##0.000;-##0.000" for levels, which read as elevations with their sign.
QString FormatResult(double value);
QString FormatLevel(double value);

// ---- The accuracy check of the flood routing ----
// "参考値（同じ流入ハイドログラフの1分刻みの洪水調節）：最大放流量 x.xxx m3/s，最大水位 x.xxx m" from the
// reference's peak outflow and largest overflow depth, or that the
// reference could not be computed.
QString ReferenceText(const AccuracyCheck &check);
// "水量収支：(流入量－放流量－貯水量の変化)／流入量 ＝ x.xxx ％", the volume
// balance of the guideline routing ("－" without inflow).
QString BalanceText(const AccuracyCheck &check);
// The inflow line of every check: "流入：Δｔ＝30分，ｔｐ＝82.8分，Ｑ1＝12.387 m3/s
// （Δｔ≒ｔｐの83分では 8.440 m3/s）", or that tp could not be computed;
// "" for a check without the inflow (CheckRouting alone).
QString InflowText(const AccuracyCheck &check);
// Information when Q1 lies more than the tolerance above its value at the
// guideline's step (the safe side): "Ｑ1はΔｔ≒ｔｐでの値より 46.8 ％大きく，
// 安全側です。"; "" otherwise.
QString InflowAboveText(const AccuracyCheck &check);
// The reference's design flood water level beside the guideline's:
// "1分刻みの計算の設計洪水位：+129.561 m（指針の計算 +129.529 m）"; "" without
// a reference.
QString ReferenceLevelText(const AccuracyCheck &check);
// With a routing reason: the safe-side level, "安全側の設計洪水位：+129.6 m"; ""
// otherwise.
QString SafeSideText(const AccuracyCheck &check);
// The warning of a check that warns, "" otherwise: one paragraph per
// criterion in plain words with its remedy.  The inflow (Q1 below its value
// at Δt ≈ tp; calculate at that step); the routing (the guideline routing
// at this Δt is not accurate for this pond, the same flood routed at
// 1-minute steps reaches the reference level, then the differences and the
// time points whose level iteration did not settle, the first by clock
// time from the routing `qo` the check was made on, left out without it);
// the start; a start above the crest; levels above the h-A table; a
// reference that could not be computed.
QString AccuracyWarningText(const AccuracyCheck &check, const CQo *qo);
// The check in the command line's words: "ok", or the reasons' words
// separated by ",".
QString AccuracyCheckWords(const AccuracyCheck &check);
// The guideline's step for the time-step form: "Δｔ≒ｔｐ：83分（Ｑ1＝8.440 m3/s）";
// "" without a step.
QString GuidelineStepText(int32_t tpStep, double q1AtTpStep);
// The reasons' words separated by `separator`.
QString AccuracyReasonWords(const AccuracyCheck &check, const QString &separator);

// The report: the failure of each section, in section order, and of the
// report file as a whole.
inline QString SectionFailureMessage(int32_t section) {
    switch (section) {
    case 0: return QStringLiteral("･『計算条件』の印刷ﾌｧｲﾙ生成ｴﾗｰ");
    case 1: return QStringLiteral("･『設計洪水量の計算』の印刷ﾌｧｲﾙ生成ｴﾗｰ");
    case 2: return QStringLiteral("･『設計洪水位の計算』の印刷ﾌｧｲﾙ生成ｴﾗｰ");
    default: return QString();
    }
}
inline QString PrintFileWriteFailed(const QString &path) {
    return QStringLiteral("印刷ﾌｧｲﾙ %1 を書き込めません。").arg(path);
}

// Why a report section could not be written: the line under its failure
// message, naming the format file or print file at fault.
inline QString FormatFileUnreadable(const QString &path) {
    return QStringLiteral("書式ﾌｧｲﾙ %1 を読めません。").arg(path);
}
inline QString FormatSectionMissing(const QString &section, const QString &path) {
    return QStringLiteral("書式ﾌｧｲﾙ %2 に「%1」がありません。").arg(section, path);
}
inline QString FormatSectionBroken(const QString &section, const QString &path) {
    return QStringLiteral("書式ﾌｧｲﾙ %2 の「%1」が正しくありません。").arg(section, path);
}
inline QString ReportNotCalculated() { return QStringLiteral("計算結果がありません。"); }

// The h-V table as the frustum method needs it.
inline QString HvcFormTitle() { return QStringLiteral("ｈ－Ｖ曲線算定ﾃﾞｰﾀの入力"); }
inline QString HvcTooFewRowsText() { return QStringLiteral("ｈ－Ｖ曲線算定ﾃﾞｰﾀは必ず2行以上入力して下さい。"); }
inline QString HvcLevelsNotRisingText() {
    return QStringLiteral("ｈ－Ｖ曲線算定ﾃﾞｰﾀの断面位置は下の行ほど高くなるように入力して下さい。");
}

// Titles and texts of the results and print windows.
inline QString MenuPrintTitle() { return QStringLiteral("計算結果の印刷"); }
inline QString NoPrintItemText() { return QStringLiteral("印刷項目はひとつ以上選択して下さい。"); }
inline QString PrintFileFailedText() { return QStringLiteral("印刷ﾌｧｲﾙを作成できませんでした。"); }
inline QString PreviewerFailedText() { return QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰｱを起動できませんでした。\n"); }
inline QString PrintTitle() { return QStringLiteral("印刷"); }
inline QString PrintFailedText() { return QStringLiteral("印刷を開始できませんでした。"); }
inline QString CsvSaveTitle() { return QStringLiteral("CSV保存"); }
inline QString CsvSaveFailedText() { return QStringLiteral("CSVファイルを保存できませんでした。\n"); }
inline QString ImageSaveTitle() { return QStringLiteral("PNG/SVG で保存"); }
inline QString ImageSaveFailedText() { return QStringLiteral("画像を保存できませんでした。\n"); }

// Files written through a temporary file and read only when regular: the
// failures of the settings file, the report file, the PDF and the exports.
inline QString ErrorCodeSuffix(long long code) {
    return QStringLiteral("（ｴﾗｰｺｰﾄﾞ ： ") + FormatErrorCode(code) + QStringLiteral("）");
}
inline QString SettingsWriteFailedTitle() { return QStringLiteral("設定ﾌｧｲﾙ書き込みｴﾗｰ"); }
inline QString SettingsWriteFailedText(const QString &path, long long code) {
    return QStringLiteral("設定ﾌｧｲﾙ %1 に書き込むことができませんでした。").arg(path) + ErrorCodeSuffix(code) +
           QStringLiteral("\nｳｨﾝﾄﾞｳの位置などの設定は保存されません。");
}
inline QString ReportFileWriteFailed(const QString &path, long long code) {
    return QStringLiteral("印刷ﾌｧｲﾙ %1 を書き込めません。").arg(path) + ErrorCodeSuffix(code);
}
inline QString PdfWriteFailed(const QString &path, long long code) {
    return QStringLiteral("PDFﾌｧｲﾙ %1 を書き込めません。").arg(path) + ErrorCodeSuffix(code);
}
inline QString ProjectWriteFailed(const QString &path, long long code) {
    return QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙ %1 を作成することができませんでした。").arg(path) + ErrorCodeSuffix(code);
}
// The command-line calculator's refusals and its standard output.
inline QString OutputIsInputText(const QString &output, const QString &input) {
    return QStringLiteral("出力ﾌｧｲﾙ %1 は入力ﾌｧｲﾙ %2 と同じﾌｧｲﾙです。入力ﾌｧｲﾙは上書きしません。").arg(output, input);
}
inline QString SettingsFileMissingText(const QString &path) {
    return QStringLiteral("設定ﾌｧｲﾙ %1 が見つかりません。").arg(path) + ErrorCodeSuffix(53);
}
inline QString NoTemporaryFileText() { return QStringLiteral("一時ﾌｧｲﾙを作成できません。"); }
inline QString StdoutWriteFailedText(long long code) {
    return QStringLiteral("標準出力に書き込めませんでした。") + ErrorCodeSuffix(code);
}
inline QString NotRegularFileText(const QString &path) {
    return QStringLiteral("%1 は通常のﾌｧｲﾙではありません。").arg(path) + ErrorCodeSuffix(75);
}

// Results that belong to their input: a failed or refused run, the
// catchment values it cannot go without, and unsaved input before New or
// Open.
// The engine's steps in the engineer's words.
QString CalcStepText(CalcStep step);
// The adopted catchment value as the catchment dialog labels it.
QString MissingInputName(MissingInput missing);
// A project refused before the first step: the value and where to enter it.
QString CalcRefusedText(MissingInput missing);
// Why a run failed, in one line ("" for a good run): the refusal, or
// CalcFailedDetail with the step and its error number.  The results menu
// and the command line say the same.
QString CalcFailureText(const CalcResults &results);
// The catchment dialog confirmed with sub-catchment rows but an adopted
// value of 0: take the area-weighted values of the table instead?
inline QString AreaDefaultsOfferText() {
    return QStringLiteral("流域面積，ｆpまたはＣの採用値が0です。\n"
                          "表の流域から求めた値（ﾃﾞﾌｫﾙﾄ値）を採用しますか？");
}
// Before New or Open with unsaved input (the exit asks ExitText).
inline QString SaveFirstText(const QString &currentFileName) {
    return QStringLiteral("現在編集中の入力ﾃﾞｰﾀがあります。") + SaveVerb(currentFileName) +
           QStringLiteral("してから続けますか？") + EditedFileLine(currentFileName);
}
// A recent file the settings file cannot hold, listed for this session.
inline QString SessionOnlyRecentText() {
    return QStringLiteral("設定ﾌｧｲﾙに保存できないﾌｧｲﾙ名のため，今回の実行中のみ表示します。");
}
inline QString OpenTitle() { return QStringLiteral("ﾌｧｲﾙを開く"); }
// Out of a numeric field's or table column's range.
inline QString RangeText(const QString &minText, const QString &maxText) {
    return QStringLiteral("入力範囲：") + minText + QStringLiteral(" ～ ") + maxText;
}

// Sizing the spillway: the window "洪水吐幅の試算" and wyndlor-calc --solve-width.
inline QString SolveWidthTitle() { return QStringLiteral("洪水吐幅の試算"); }
// The answer in one sentence: the width found (by the 1-minute routing of
// the design flood where the guideline routing is not accurate for the
// pond, and then said so), that the narrowest width is already enough, or
// why no width is.
QString WidthAnswerText(const WidthSolution &s);
// The accuracy check at the guideline's width: "" without an answer, else
// whether it passes or warns; where the answer is the 1-minute routing's
// width, the guideline's search result as information; an under-estimated
// design flood (reason inflow).
QString WidthCheckText(const WidthSolution &s);
// Why the width cannot be taken into the spillway data: it lies beyond the
// range the spillway form accepts.
inline QString WidthBeyondFormText(double maxB) {
    return QStringLiteral("この幅は洪水吐の入力範囲（%1 m まで）を超えるため，取り込めません。").arg(maxB);
}
inline QString WidthTakenText(const QString &B) {
    return QStringLiteral("洪水吐の幅を %1 m としました。再計算で結果を確かめてください。").arg(B);
}
// A width found by the search, to its 0.1 m step.
QString FormatWidth(double B);
// "現在の幅" line: the width B (m) and which width of the project's
// spillway type it is.
QString CurrentWidthText(double B, const ProjectData &data);
// A row of the table of B against HWL: at or below the allowable level,
// above it, or no result.
QString WidthTrialVerdict(const WidthTrial &t, double allowable);

// The flood-control study: the window "洪水調節効果の試算" and
// wyndlor-calc --study-drawdown.
inline QString FloodStudyTitle() { return QStringLiteral("洪水調節効果の試算"); }
// How the pond's storage below the full water level is taken.
QString StorageBelowFWLText(StorageBelowFWL storage);
// The project's own starting level when it is not the full water level
// (the study starts from the full water level less the drawdown); "".
QString StudyStartNote(const FloodStudy &s);
// Why no study was made: a refused list or a project that does not
// calculate; "" when it was made.
QString StudyFailureText(const FloodStudy &s);
QString StudyListErrorText(StudyListError error);
// Why a case has no result (skipped or failed); "" for a calculated case.
QString StudyCaseNote(const StudyCase &c, const FloodStudy &s);
// The accuracy check's reasons of a case in short words, joined by "，".
QString StudyReasonsText(const std::vector<AccuracyReason> &reasons);
// The no-spill drawdown of one factor in a sentence, flagged when the
// check at it warns.
QString NoSpillText(const NoSpillDrawdown &n, const FloodStudy &s);
// A drawdown (m, kept to 1 mm) and a rainfall factor as the study shows them.
QString FormatDrawdown(double d);
QString FormatFactor(double f);

// Settings file sections and keys of the shell.
inline QString MainSection() { return QStringLiteral("MenuMain"); }
inline QString FileSection() { return QStringLiteral("FileName"); }
inline QString InitDirKey() { return QStringLiteral("InitDir"); }

}  // namespace wyndlor::msg
