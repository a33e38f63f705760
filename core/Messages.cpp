#include "core/Messages.h"

#include "calc/CQo.h"
#include "core/PictureNumber.h"

namespace wyndlor::msg {

QString OpenFailureLine(const OpenResult &result) {
    switch (result.outcome) {
    case OpenOutcome::Ok: return QString();
    case OpenOutcome::WrongType: return WrongTypeText();
    case OpenOutcome::UnsupportedVersion: return UnsupportedVersionText(result.version);
    default: break;
    }
    return QStringLiteral("指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(result.code) + QStringLiteral("）");
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

QString ReferenceText(const AccuracyCheck &check) {
    return QStringLiteral("参考値（1分刻みの計算）：最大放流量 %1 m3/s，最大水位 %2 m")
        .arg(FormatResult(check.refQ2), FormatResult(check.refHmax));
}

QString AccuracyWarningText(const AccuracyCheck &check, const CQo *qo) {
    if (!check.warning) return QString();
    QString text = QStringLiteral("計算時間間隔Δｔが大きいため，計算結果の精度が不十分です。");
    if (check.suggestion == AccuracySuggestion::SmallerStep)
        text += QStringLiteral("Δｔ＝%1分以下での再計算をお勧めします。").arg(check.suggestedDT);
    else if (check.suggestion == AccuracySuggestion::NoStepPasses)
        text += QStringLiteral("この池と洪水吐では，%1分以上のΔｔで信頼できる結果は得られません。")
                    .arg(kSmallestSuggestedDeltaT);
    const RoutingDiagnostics &r = check.routing;
    if (r.nonConverged > 0) {
        text += QStringLiteral("（水位の反復計算が%1時点で収束していません").arg(r.nonConverged);
        const auto first = qo && r.firstNonConverged >= 1 && r.firstNonConverged <= qo->Qo().Count()
                               ? qo->Qo().Item(r.firstNonConverged)
                               : nullptr;
        if (first) text += QStringLiteral("。最初は %1").arg(ClockText(first->hh, first->mm));
        text += QStringLiteral("）");
    }
    return text;
}

}  // namespace wyndlor::msg
