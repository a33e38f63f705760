// The texts of the main window's message boxes and captions, in one place.
// The half-width katakana and full-width punctuation are the program's own
// wording and are kept exactly as users (and support) know them.
#pragma once

#include <QString>

namespace wyndlor::shell {

inline QString ProductTitle() { return QStringLiteral("Ostrevin"); }

// "Ostrevin" alone, or "name.wyd - Ostrevin" while a file is in use.
inline QString MainCaption(const QString &fileTitle) {
    return fileTitle.isEmpty() ? ProductTitle() : fileTitle + QStringLiteral(" - ") + ProductTitle();
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

inline QString ReadErrorTitle() { return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読み込みｴﾗｰ"); }
inline QString ReadErrorText(long long code) {
    return QStringLiteral("指定された入力ﾃﾞｰﾀﾌｧｲﾙの読み込みができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(code) + QStringLiteral("）\n\n") + ContactHint();
}

inline QString WriteErrorTitle() { return QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ書き込みｴﾗｰ"); }
inline QString WriteErrorText(long long code) {
    return QStringLiteral("入力ﾃﾞｰﾀﾌｧｲﾙを作成することができませんでした。（ｴﾗｰｺｰﾄﾞ ： ") +
           FormatErrorCode(code) + QStringLiteral("）\n\n") + ContactHint();
}

inline QString ExitTitle() { return QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ終了"); }
inline QString ExitText(const QString &currentFileName) {
    return QStringLiteral("現在編集中の入力ﾃﾞｰﾀがあります。上書き保存してから終了しますか？\n\n"
                          "編集中のﾌｧｲﾙ名：") +
           currentFileName;
}

inline QString NotAvailableText() { return QStringLiteral("この機能はまだ利用できません。"); }

// Settings file sections and keys of the shell.
inline QString MainSection() { return QStringLiteral("MenuMain"); }
inline QString FileSection() { return QStringLiteral("FileName"); }
inline QString InitDirKey() { return QStringLiteral("InitDir"); }

}  // namespace wyndlor::shell
