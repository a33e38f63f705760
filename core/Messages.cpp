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
        return QStringLiteral("参考値（同じ流入ハイドログラフの1分刻みの洪水調節）：計算できません");
    return QStringLiteral("参考値（同じ流入ハイドログラフの1分刻みの洪水調節）：最大放流量 %1 m3/s，最大水位 %2 m")
        .arg(FormatResult(check.refQ2), FormatResult(check.refHmax));
}

QString BalanceText(const AccuracyCheck &check) {
    const QString value = std::isfinite(check.balance) ? FormatResult(check.balance) : QStringLiteral("－");
    return QStringLiteral("水量収支：(流入量－放流量－貯水量の変化)／流入量 ＝ %1 ％").arg(value);
}

namespace {

// A signed length in metres with three decimals: "+0.180", "-0.045".
QString SignedMetres(double value) { return FormatLevel(value); }
QString OneDecimal(double value) { return QString::fromStdString(FormatPicture(value, "0.0")); }
QString Minutes(int32_t value) { return QString::number(value); }

QString InflowLine(const AccuracyCheck &check) {
    return QStringLiteral("計算時間間隔Δｔ＝%1分が洪水到達時間ｔｐ＝%2分より長いため，設計洪水流量Ｑ1＝%3 m3/s は"
                          "Δｔ≒ｔｐの%4分での %5 m3/s より %6 ％小さく，設計洪水を過小に見積もっています。"
                          "Δｔ＝%4分で計算し直してください。")
        .arg(Minutes(check.deltaT), OneDecimal(check.tp), FormatResult(check.q1), Minutes(check.tpStep),
             FormatResult(check.q1AtTpStep), OneDecimal(-check.InflowShare() * 100));
}

QString RoutingLine(const AccuracyCheck &check, const CQo *qo) {
    QString text = QStringLiteral("このΔｔでの指針の洪水追跡は，この池では精度が不十分です。"
                                  "同じ洪水を1分刻みで追跡すると，設計洪水位は %1 m に達します。")
                       .arg(FormatLevel(check.designFloodLevel));
    if (!check.hasReference())
        text = QStringLiteral("このΔｔでの指針の洪水追跡は，この池では精度が不十分です。");
    if (check.Has(AccuracyReason::Depth))
        text += QStringLiteral("最大水位の差 %1 m（許容 %2 m）。")
                    .arg(FormatResult(std::fabs(check.hmax - check.refHmax)), FormatResult(kDepthTolerance));
    if (check.Has(AccuracyReason::Discharge) && check.refQ2 > 0)
        text += QStringLiteral("最大放流量の差 %1 ％（許容 %2 ％）。")
                    .arg(OneDecimal(std::fabs(check.q2 - check.refQ2) / check.refQ2 * 100),
                         OneDecimal(kDischargeTolerance * 100));
    else if (check.Has(AccuracyReason::Discharge))
        text += QStringLiteral("1分刻みでは放流が生じないのに，最大放流量が %1 m3/s です。").arg(FormatResult(check.q2));
    const RoutingDiagnostics &r = check.routing;
    if (check.Has(AccuracyReason::NonConverged)) {
        text += QStringLiteral("水位の反復計算が%1時点で収束していません").arg(r.nonConverged);
        const auto first = qo && r.firstNonConverged >= 1 && r.firstNonConverged <= qo->Qo().Count()
                               ? qo->Qo().Item(r.firstNonConverged)
                               : nullptr;
        if (first) text += QStringLiteral("（最初は %1）").arg(ClockText(first->hh, first->mm));
        text += QStringLiteral("。");
    }
    if (std::isfinite(check.safeSideLevel)) text += SafeSideText(check) + QStringLiteral("。");
    return text;
}

QString StartLine(const AccuracyCheck &check) {
    QString text;
    if (std::isfinite(check.startOffset))
        text = QStringLiteral("計算は出発水位から %1 m ずれた水位から始まり（出発水位の截頭角錐体の貯水量を，"
                              "ｈ－Ａﾃﾞｰﾀの行の間を直線とした貯水量で水位に戻すため），結果が変わります。")
                   .arg(SignedMetres(check.startOffset));
    else
        text = QStringLiteral("出発水位の貯水量から水位を求められません。");
    return text + QStringLiteral("出発水位の前後とその上にｈ－Ａﾃﾞｰﾀの行を追加してください"
                                 "（Δｔを変えても直りません）。");
}

QString AboveCrestLine(const AccuracyCheck &check) {
    return QStringLiteral("出発水位が洪水吐の越流頂（常時満水位 %1 m）より高く，洪水の前から越流しています。"
                          "出発水位を確認してください。")
        .arg(FormatLevel(check.crest));
}

QString AboveTableLine(const AccuracyCheck &check) {
    return QStringLiteral("水位がｈ－Ａﾃﾞｰﾀの最高標高 %1 m を超え，その上の貯水量は外挿です。"
                          "設計洪水位より上の標高までｈ－Ａﾃﾞｰﾀの行を追加してください。")
        .arg(FormatResult(check.topLevel));
}

QString NoReferenceLine() {
    return QStringLiteral("参考値（同じ流入ハイドログラフの1分刻みの洪水調節）を計算できないため，計算結果の精度を確認できません。"
                          "ｈ－Ａﾃﾞｰﾀ（貯水量）を確認してください。");
}

}  // namespace

QString InflowText(const AccuracyCheck &check) {
    if (check.deltaT == 0) return QString();
    if (check.tpStep == 0)
        return QStringLiteral("流入：Δｔ＝%1分，洪水到達時間ｔｐを計算できないため，Δｔ≒ｔｐとの比較はできません")
            .arg(Minutes(check.deltaT));
    return QStringLiteral("流入：Δｔ＝%1分，ｔｐ＝%2分，Ｑ1＝%3 m3/s（Δｔ≒ｔｐの%4分では %5 m3/s）")
        .arg(Minutes(check.deltaT), OneDecimal(check.tp), FormatResult(check.q1), Minutes(check.tpStep),
             std::isfinite(check.q1AtTpStep) ? FormatResult(check.q1AtTpStep) : QStringLiteral("－"));
}

QString InflowAboveText(const AccuracyCheck &check) {
    if (!check.Q1AboveTpStep()) return QString();
    return QStringLiteral("Ｑ1はΔｔ≒ｔｐでの値より %1 ％大きく，安全側です。")
        .arg(OneDecimal(check.InflowShare() * 100));
}

QString ReferenceLevelText(const AccuracyCheck &check) {
    if (!check.hasReference()) return QString();
    return QStringLiteral("1分刻みの計算の設計洪水位：%1 m（指針の計算 %2 m）")
        .arg(FormatLevel(check.designFloodLevel), FormatLevel(check.guidelineLevel));
}

QString SafeSideText(const AccuracyCheck &check) {
    if (!std::isfinite(check.safeSideLevel)) return QString();
    return QStringLiteral("安全側の設計洪水位：%1 m").arg(FormatLevel(check.safeSideLevel));
}

QString AccuracyWarningText(const AccuracyCheck &check, const CQo *qo) {
    if (!check.warning()) return QString();
    QStringList lines;
    if (check.Has(AccuracyReason::Inflow)) lines << InflowLine(check);
    if (check.HasRoutingReason()) lines << RoutingLine(check, qo);
    if (check.Has(AccuracyReason::Start)) lines << StartLine(check);
    if (check.Has(AccuracyReason::AboveCrest)) lines << AboveCrestLine(check);
    if (check.Has(AccuracyReason::AboveTable)) lines << AboveTableLine(check);
    if (check.Has(AccuracyReason::NoReference)) lines << NoReferenceLine();
    return lines.join(QLatin1Char('\n'));
}

QString GuidelineStepText(int32_t tpStep, double q1AtTpStep) {
    if (tpStep <= 0) return QString();
    if (!std::isfinite(q1AtTpStep)) return QStringLiteral("Δｔ≒ｔｐ：%1分").arg(Minutes(tpStep));
    return QStringLiteral("Δｔ≒ｔｐ：%1分（Ｑ1＝%2 m3/s）").arg(Minutes(tpStep), FormatResult(q1AtTpStep));
}

QString AccuracyReasonWords(const AccuracyCheck &check, const QString &separator) {
    QStringList words;
    for (AccuracyReason r : check.reasons) words << QString::fromLatin1(AccuracyReasonWord(r));
    return words.join(separator);
}

QString AccuracyCheckWords(const AccuracyCheck &check) {
    if (!check.warning()) return QStringLiteral("ok");
    return AccuracyReasonWords(check, QStringLiteral(","));
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
    if (s.SizedByReference()) {
        const QString why = QStringLiteral("このΔｔでの指針の洪水追跡はこの池では精度が不十分なため，"
                                           "同じ洪水を1分刻みで追跡した設計洪水位で幅を求めました。");
        switch (s.referenceStatus) {
        case WidthStatus::Found:
            return why + QStringLiteral("許容水位以下とする最小の幅は Ｂ＝%1 m です。").arg(FormatWidth(s.referenceB));
        case WidthStatus::AlreadyEnough:
            return why + QStringLiteral("最小の幅 Ｂ＝%1 m で既に許容水位以下です。").arg(FormatWidth(s.referenceB));
        case WidthStatus::None: break;
        }
        return why + QStringLiteral("幅を %1 m まで広げても許容水位を超えます。")
                         .arg(FormatWidth(kMaxWidthSteps * kWidthStep));
    }
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
    QStringList lines;
    if (const QString inflow = InflowText(c); !inflow.isEmpty()) lines << inflow;
    if (c.Has(AccuracyReason::Inflow)) lines << InflowLine(c);
    else if (c.Q1AboveTpStep()) lines << InflowAboveText(c);
    if (s.SizedByReference())
        lines << QStringLiteral("参考：指針の計算による探索結果は Ｂ＝%1 m（設計洪水位 %2 m）です。")
                     .arg(FormatWidth(s.B), FormatLevel(s.HWL));
    else if (!c.warning())
        lines << QStringLiteral("精度確認：問題ありません（1分刻みの計算との差は許容範囲内です）。");
    if (c.Has(AccuracyReason::Start)) lines << StartLine(c);
    if (c.Has(AccuracyReason::AboveCrest)) lines << AboveCrestLine(c);
    if (c.Has(AccuracyReason::AboveTable)) lines << AboveTableLine(c);
    if (c.Has(AccuracyReason::NoReference)) lines << NoReferenceLine();
    return lines.join(QLatin1Char('\n'));
}

// ---- The flood-control study ----

QString FormatDrawdown(double d) { return QString::fromStdString(FormatPicture(d, "0.00#")); }
QString FormatFactor(double f) { return QString::fromStdString(FormatPicture(f, "0.0##")); }

QString StorageBelowFWLText(StorageBelowFWL storage) {
    if (storage == StorageBelowFWL::Table)
        return QStringLiteral("常時満水位より下の貯水量は，ｈ－Ａﾃﾞｰﾀの截頭角錐体として求めています。");
    return QStringLiteral("常時満水位より下の池は，常時満水時の貯水面積のまま（鉛直な池岸）として"
                          "貯水量を求めています（指針の方法は常時満水位より上のみを扱います）。");
}

QString StudyStartNote(const FloodStudy &s) {
    if (!s.ok || s.storage != StorageBelowFWL::Table || s.projectStart == s.fwl) return QString();
    return QStringLiteral("入力の出発水位 %1 m は常時満水位 %2 m と異なります。試算は常時満水位から"
                          "水位を下げて始めるため，低下量0の結果は計算結果と一致しません。")
        .arg(FormatLevel(s.projectStart), FormatLevel(s.fwl));
}

QString StudyListErrorText(StudyListError error) {
    switch (error) {
    case StudyListError::None: return QString();
    case StudyListError::Empty: return QStringLiteral("水位低下量と降雨倍率を一つ以上指定してください。");
    case StudyListError::BadDrawdown:
        return QStringLiteral("水位低下量は 0 ～ %1 m の数値で指定してください。").arg(kMaxStudyDrawdown);
    case StudyListError::BadStep:
        return QStringLiteral("水位低下量の刻みは 0.001 m 以上の数値で指定してください。");
    case StudyListError::BadFactor:
        return QStringLiteral("降雨倍率は 0 を超え %1 以下の数値で指定してください。").arg(kMaxRainFactor);
    case StudyListError::TooManyCases:
        return QStringLiteral("試算ｹｰｽ（水位低下量の数×降雨倍率の数）は %1 以下にしてください。").arg(kMaxStudyCases);
    }
    return QString();
}

QString StudyFailureText(const FloodStudy &s) {
    if (s.ok) return QString();
    if (s.listError != StudyListError::None) return StudyListErrorText(s.listError);
    return CalcFailedDetail(s.failedStep, s.failedError);
}

QString StudyCaseNote(const StudyCase &c, const FloodStudy &s) {
    switch (c.skip) {
    case StudySkip::BelowTable:
        return QStringLiteral("開始水位がｈ－Ａﾃﾞｰﾀの最下段 %1 m より低いため，計算できません。")
            .arg(FormatLevel(s.fwl - s.deepest));
    case StudySkip::BeyondVolume:
        return QStringLiteral("貯水量を超える水位低下（満水面積で %1 m まで）のため，計算できません。")
            .arg(FormatDrawdown(s.deepest));
    case StudySkip::None: break;
    }
    return c.ok ? QString() : CalcFailedDetail(c.failedStep, c.failedError);
}

QString StudyReasonsText(const std::vector<AccuracyReason> &reasons) {
    QStringList words;
    for (AccuracyReason r : reasons) {
        switch (r) {
        case AccuracyReason::NonConverged: words << QStringLiteral("水位の反復計算が収束しない"); break;
        case AccuracyReason::Depth: words << QStringLiteral("最大水位が参考値と異なる"); break;
        case AccuracyReason::Discharge: words << QStringLiteral("最大放流量が参考値と異なる"); break;
        case AccuracyReason::Start: words << QStringLiteral("出発水位がずれる"); break;
        case AccuracyReason::AboveTable: words << QStringLiteral("ｈ－Ａﾃﾞｰﾀの最高標高を超える"); break;
        case AccuracyReason::NoReference: words << QStringLiteral("参考値を計算できない"); break;
        case AccuracyReason::Inflow: words << QStringLiteral("Δｔがｔｐより長くＱ1が過小"); break;
        case AccuracyReason::AboveCrest: words << QStringLiteral("出発水位が越流頂より高い"); break;
        default: words << QString::fromLatin1(AccuracyReasonWord(r)); break;
        }
    }
    return words.join(QStringLiteral("，"));
}

QString NoSpillText(const NoSpillDrawdown &n, const FloodStudy &s) {
    const QString factor = QStringLiteral("降雨倍率 %1：").arg(FormatFactor(n.factor));
    if (!n.found)
        return factor + QStringLiteral("ﾃﾞｰﾀの範囲（%1 m）まで水位を下げても越流します。").arg(FormatDrawdown(s.deepest));
    QString text = n.drawdown == 0 ? factor + QStringLiteral("水位を下げなくても越流しません。")
                                   : factor + QStringLiteral("越流しない最小の水位低下量は %1 m です。")
                                                  .arg(QString::fromStdString(FormatPicture(n.drawdown, "0.00")));
    if (n.warning) text += QStringLiteral("（精度確認の警告：%1）").arg(StudyReasonsText(n.reasons));
    return text;
}

}  // namespace wyndlor::msg
