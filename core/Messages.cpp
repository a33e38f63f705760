#include "core/Messages.h"

#include "calc/CQo.h"
#include "core/PictureNumber.h"

#include <QStringList>

#include <cmath>

namespace wyndlor::msg {

QString OpenFailureLine(const OpenResult &result) {
    switch (result.outcome) {
    case OpenOutcome::Ok: return QString();
    case OpenOutcome::WrongType: return WrongTypeText();
    case OpenOutcome::UnsupportedVersion: return UnsupportedVersionText(result.version);
    default: break;
    }
    return QStringLiteral("指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(result.code) + QStringLiteral("）") +
           (result.code == err::FileTooLarge ? ProjectTooLargeText() : QString());
}

QString CalcFailedDetail(CalcStep step, int32_t code) {
    return CalcFailedText() + QStringLiteral("（") + CalcStepText(step) + QStringLiteral("，ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(code) + QStringLiteral("）");
}

QString CalcStepText(CalcStep step) {
    switch (step) {
    case CalcStep::None: return QString();
    case CalcStep::Input: return QStringLiteral("入力ﾃﾞｰﾀの確認");
    case CalcStep::Tp: return QStringLiteral("洪水到達時間の計算");
    case CalcStep::Average: return QStringLiteral("流域平均値の計算");
    case CalcStep::Rainfall: return QStringLiteral("降雨波形の計算");
    case CalcStep::Qi: return QStringLiteral("流入ハイドログラフの計算");
    case CalcStep::Qo: return QStringLiteral("洪水調節計算");
    case CalcStep::Level: return QStringLiteral("設計洪水位の計算");
    }
    return QString();
}

QString MissingInputName(MissingInput missing) {
    switch (missing) {
    case MissingInput::None: return QString();
    case MissingInput::CatchmentArea: return QStringLiteral("流域面積Ａ(km2)");
    case MissingInput::CatchmentFp: return QStringLiteral("流域平均流出係数ｆp");
    case MissingInput::CatchmentC: return QStringLiteral("流域平均洪水到達時間係数Ｃ");
    }
    return QString();
}

QString CalcRefusedText(MissingInput missing) {
    return QStringLiteral("採用値「%1」が0以下のため，計算できません。"
                          "「流域面積等の入力」で入力してください。")
        .arg(MissingInputName(missing));
}

QString CalcFailureText(const CalcResults &results) {
    if (results.FailedStep == CalcStep::None) return QString();
    if (results.FailedStep == CalcStep::Input) return CalcRefusedText(results.Missing);
    return CalcFailedDetail(results.FailedStep, results.FailedError);
}

QString ClockText(int32_t hours, int32_t minutes) {
    return QStringLiteral("%1:%2").arg(hours, 3, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

QString FormatResult(double value) { return QString::fromStdString(FormatPicture(value, "0.000")); }

QString FormatLevel(double value) {
    const QString text = FormatResult(value);
    return text.startsWith(QLatin1Char('-')) ? text : QStringLiteral("+") + text;
}

// ---- The accuracy check of the flood routing ----

QString ReferenceText(const AccuracyCheck &check) {
    if (!check.hasReference())
        return QStringLiteral("参考値（1分刻みの計算）：計算できません");
    return QStringLiteral("参考値（1分刻みの計算）：最大放流量 %1 m3/s，最大水位 %2 m")
        .arg(FormatResult(check.refQ2), FormatResult(check.refHmax));
}

QString BalanceText(const AccuracyCheck &check) {
    const QString value = std::isfinite(check.balance) ? FormatResult(check.balance) : QStringLiteral("－");
    return QStringLiteral("水量収支：(流入量－放流量－貯水量の変化)／流入量 ＝ %1 ％").arg(value);
}

namespace {

// A signed length in metres with three decimals: "+0.180", "-0.045".
QString SignedMetres(double value) { return FormatLevel(value); }

QString TimeStepLine(const AccuracyCheck &check, const CQo *qo) {
    QString text = QStringLiteral("計算時間間隔Δｔが大きいため，計算結果の精度が不十分です。");
    if (check.Has(AccuracyReason::Depth))
        text += QStringLiteral("最大水位が参考値と %1 m 異なります（許容 %2 m）。")
                    .arg(FormatResult(std::fabs(check.hmax - check.refHmax)), FormatResult(kDepthTolerance));
    if (check.Has(AccuracyReason::Discharge) && check.refQ2 > 0)
        text += QStringLiteral("最大放流量が参考値と %1 ％異なります（許容 %2 ％）。")
                    .arg(QString::fromStdString(FormatPicture(std::fabs(check.q2 - check.refQ2) / check.refQ2 * 100, "0.0")),
                         QString::fromStdString(FormatPicture(kDischargeTolerance * 100, "0.0")));
    else if (check.Has(AccuracyReason::Discharge))
        text += QStringLiteral("参考値では放流が生じないのに，最大放流量が %1 m3/s です。").arg(FormatResult(check.q2));
    const RoutingDiagnostics &r = check.routing;
    if (check.Has(AccuracyReason::NonConverged)) {
        text += QStringLiteral("水位の反復計算が%1時点で収束していません").arg(r.nonConverged);
        const auto first = qo && r.firstNonConverged >= 1 && r.firstNonConverged <= qo->Qo().Count()
                               ? qo->Qo().Item(r.firstNonConverged)
                               : nullptr;
        if (first) text += QStringLiteral("（最初は %1）").arg(ClockText(first->hh, first->mm));
        text += QStringLiteral("。");
    }
    if (check.suggestion == AccuracySuggestion::SmallerStep)
        text += QStringLiteral("Δｔ＝%1分以下での再計算をお勧めします。").arg(check.suggestedDT);
    else if (check.suggestion == AccuracySuggestion::NoStepPasses)
        text += QStringLiteral("この池と洪水吐では，%1分以上のΔｔで信頼できる結果は得られません。")
                    .arg(kSmallestSuggestedDeltaT);
    return text;
}

QString StartLine(const AccuracyCheck &check) {
    QString text;
    if (std::isfinite(check.startOffset))
        text = QStringLiteral("計算は出発水位から %1 m ずれた水位から始まります（出発水位の截頭角錐体の貯水量を，"
                              "ｈ－Ａﾃﾞｰﾀの行の間を直線とした貯水量で水位に戻すため）。")
                   .arg(SignedMetres(check.startOffset));
    else
        text = QStringLiteral("出発水位の貯水量から水位を求められません。");
    return text + QStringLiteral("出発水位の前後とその上にｈ－Ａﾃﾞｰﾀの行を追加してください"
                                 "（Δｔを小さくしても直りません）。");
}

QString AboveTableLine(const AccuracyCheck &check) {
    return QStringLiteral("水位がｈ－Ａﾃﾞｰﾀの最高標高 %1 m を超え，その上の貯水量は外挿です。"
                          "設計洪水位より上の標高までｈ－Ａﾃﾞｰﾀの行を追加してください。")
        .arg(FormatResult(check.topLevel));
}

QString NoReferenceLine() {
    return QStringLiteral("参考値（1分刻みの計算）を計算できないため，計算結果の精度を確認できません。"
                          "ｈ－Ａﾃﾞｰﾀ（貯水量）を確認してください。");
}

}  // namespace

QString AccuracyWarningText(const AccuracyCheck &check, const CQo *qo) {
    if (!check.warning()) return QString();
    QStringList lines;
    if (check.HasStepReason()) lines << TimeStepLine(check, qo);
    if (check.Has(AccuracyReason::Start)) lines << StartLine(check);
    if (check.Has(AccuracyReason::AboveTable)) lines << AboveTableLine(check);
    if (check.Has(AccuracyReason::NoReference)) lines << NoReferenceLine();
    return lines.join(QLatin1Char('\n'));
}

QString RecommendedStepText(const AccuracyCheck &check) {
    if (check.suggestion == AccuracySuggestion::SmallerStep)
        return QStringLiteral("精度確認による推奨値：Δｔ≦%1分（計算時 %2分）").arg(check.suggestedDT).arg(check.deltaT);
    if (check.suggestion == AccuracySuggestion::NoStepPasses)
        return QStringLiteral("精度確認：%1分以上のΔｔでは信頼できる結果が得られません").arg(kSmallestSuggestedDeltaT);
    return QString();
}

QString AccuracyReasonWords(const AccuracyCheck &check, const QString &separator) {
    QStringList words;
    for (AccuracyReason r : check.reasons) words << QString::fromLatin1(AccuracyReasonWord(r));
    return words.join(separator);
}

QString AccuracyCheckWords(const AccuracyCheck &check) {
    if (!check.warning()) return QStringLiteral("ok");
    QString text = AccuracyReasonWords(check, QStringLiteral(","));
    if (check.suggestion == AccuracySuggestion::SmallerStep)
        text += QStringLiteral(" (Δt ≤ %1 min)").arg(check.suggestedDT);
    else if (check.suggestion == AccuracySuggestion::NoStepPasses)
        text += QStringLiteral(" (no Δt ≥ %1 min passes)").arg(kSmallestSuggestedDeltaT);
    return text;
}

// ---- Sizing the spillway --------------------------------------------------

QString FormatWidth(double B) { return QString::fromStdString(FormatPicture(B, "0.0")); }

QString CurrentWidthText(double B, const ProjectData &data) {
    const QString which = SpillwayWidthSlot(data) == slot::SectB1
                              ? QStringLiteral("水路流入式(堰無し)の水路幅")
                              : QStringLiteral("越流堰式および側水路式（堰有り）の堰の有効幅");
    return QStringLiteral("現在の幅 Ｂ＝%1 m（%2）").arg(FormatWidth(B), which);
}

QString WidthTrialVerdict(const WidthTrial &t, double allowable) {
    if (!t.ok) return QStringLiteral("計算ｴﾗｰ");
    return t.HWL <= allowable + kLevelNoise ? QStringLiteral("以下") : QStringLiteral("超過");
}

QString WidthAnswerText(const WidthSolution &s) {
    if (!s.ok) return CalcFailedDetail(s.failedStep, s.failedError);
    switch (s.status) {
    case WidthStatus::Found:
        return QStringLiteral("設計洪水位を許容水位以下とする最小の幅は Ｂ＝%1 m です。").arg(FormatWidth(s.B));
    case WidthStatus::AlreadyEnough:
        return QStringLiteral("最小の幅 Ｂ＝%1 m で既に設計洪水位が許容水位以下です。").arg(FormatWidth(s.B));
    case WidthStatus::None: break;
    }
    if (s.belowCrest)
        return QStringLiteral("許容水位が越流頂の標高（常時満水位 %1 m）より低いため，どの幅でも満たせません。")
            .arg(FormatLevel(s.crest));
    return QStringLiteral("幅を %1 m まで広げても設計洪水位が許容水位を超えます。")
        .arg(FormatWidth(kMaxWidthSteps * kWidthStep));
}

QString WidthCheckText(const WidthSolution &s) {
    if (!s.ok || s.status == WidthStatus::None || !s.check) return QString();
    const AccuracyCheck &c = *s.check;
    if (!c.ok) return QStringLiteral("精度確認：この幅の計算は判定できませんでした。");
    if (!c.warning()) return QStringLiteral("精度確認：問題ありません（1分刻みの参考計算との差は許容範囲内です）。");
    QString text = QStringLiteral("精度確認：この幅では計算時間間隔Δｔに対して精度が不十分です。"
                                  "1分刻みの参考計算では最大水位 %1 m（標高 %2 m）となり，")
                       .arg(FormatResult(c.refHmax), FormatLevel(s.crest + c.refHmax));
    if (s.referenceStatus == WidthStatus::None)
        text += QStringLiteral("幅 %1 m まででも許容水位を超えます。").arg(FormatWidth(kMaxWidthSteps * kWidthStep));
    else
        text += QStringLiteral("参考計算で許容水位以下とするには Ｂ＝%1 m が必要です。").arg(FormatWidth(s.referenceB));
    return text;
}

}  // namespace wyndlor::msg
