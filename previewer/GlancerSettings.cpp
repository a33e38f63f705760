#include "previewer/GlancerSettings.h"

#include "previewer/PrintDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace wyndlor::glancer {

namespace {

const char kSection[] = "Glancer";
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;
// Window places and sizes in pixels: far beyond any screen, yet small
// enough that no sum of them overflows.
constexpr int kMaxPlace = 100000;
constexpr int kMaxOutlineWidth = 4000;
// Glancer.INI is a dozen short lines; more than this is not read.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// The file is opened and read blocking: a FIFO or a device in
// the place of Glancer.INI would hang the previewer.
bool UsableFile(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

QString ModeName(ZoomMode mode)
{
    switch (mode) {
    case ZoomMode::FitPage: return QStringLiteral("Page");
    case ZoomMode::FitWidth: return QStringLiteral("Width");
    case ZoomMode::Factor: break;
    }
    return QStringLiteral("Factor");
}

ZoomMode ModeFromName(const QString &name)
{
    if (name == QLatin1String("Page"))
        return ZoomMode::FitPage;
    if (name == QLatin1String("Factor"))
        return ZoomMode::Factor;
    return ZoomMode::FitWidth;
}

// The keys of section [Glancer] (names in lower case) and their values.
// The file is read as Shift_JIS; one written as UTF-8 by an earlier version
// of the previewer is read as UTF-8.
QHash<QString, QString> ReadSection(const QString &path)
{
    QHash<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    const QByteArray bytes = file.read(kMaxSettingsBytes);
    QStringDecoder sjis("Shift_JIS");
    QString text = sjis.isValid() ? sjis.decode(bytes) : QString();
    if (!sjis.isValid() || sjis.hasError())
        text = QString::fromUtf8(bytes);
    bool inSection = false;
    for (const QString &raw : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inSection = line.mid(1).section(u']', 0, 0).trimmed().compare(QLatin1String(kSection), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq <= 0 || line.startsWith(u';'))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
            value = value.mid(1, value.size() - 2);
        values.insert(line.left(eq).trimmed().toLower(), value);
    }
    return values;
}

}  // namespace

GlancerSettings::GlancerSettings(const QString &workFolder)
{
    if (!workFolder.isEmpty())
        path_ = QDir(workFolder).filePath(QStringLiteral("Glancer.INI"));
}

GlancerState GlancerSettings::Load() const
{
    GlancerState state;
    if (path_.isEmpty() || !UsableFile(path_))
        return state;
    const QHash<QString, QString> ini = ReadSection(path_);
    auto number = [&ini](const char *key) { return ini.value(QLatin1String(key)).toInt(); };
    const int left = number("left");
    const int top = number("top");
    const int width = number("width");
    const int height = number("height");
    auto within = [](int v, int low) { return v >= low && v <= kMaxPlace; };
    if (within(width, 1) && within(height, 1) && within(left, -kMaxPlace) && within(top, -kMaxPlace))
        state.geometry = QRect(left, top, width, height);
    const QString maximized = ini.value(QStringLiteral("maximized"));
    state.maximized = maximized.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || maximized == u'1';
    state.zoomMode = ModeFromName(ini.value(QStringLiteral("zoommode")));
    bool ok = false;
    const double factor = ini.value(QStringLiteral("zoom")).toDouble(&ok);
    if (ok && factor >= kMinZoom && factor <= kMaxZoom)
        state.zoomFactor = factor;
    state.outlineWidth = std::clamp(number("outlinewidth"), 0, kMaxOutlineWidth);
    state.pdfFolder = ini.value(QStringLiteral("pdffolder"));
    return state;
}

QString GlancerSettings::Save(const GlancerState &state) const
{
    if (path_.isEmpty() || !UsableFile(path_))
        return QString();
    QStringList lines{QStringLiteral("[%1]").arg(QLatin1String(kSection))};
    if (!state.geometry.isEmpty()) {
        lines << QStringLiteral("Left=%1").arg(state.geometry.left())
              << QStringLiteral("Top=%1").arg(state.geometry.top())
              << QStringLiteral("Width=%1").arg(state.geometry.width())
              << QStringLiteral("Height=%1").arg(state.geometry.height());
    }
    lines << QStringLiteral("Maximized=%1").arg(state.maximized ? QStringLiteral("true") : QStringLiteral("false"))
          << QStringLiteral("ZoomMode=") + ModeName(state.zoomMode)
          << QStringLiteral("Zoom=") + QString::number(state.zoomFactor)
          << QStringLiteral("OutlineWidth=%1").arg(state.outlineWidth);
    // A folder whose name Shift_JIS cannot hold is not kept (it would come
    // back as another folder).
    QStringEncoder encoder("Shift_JIS");
    const QByteArray folder = encoder.isValid() ? QByteArray(encoder.encode(state.pdfFolder)) : QByteArray();
    const bool folderFits = encoder.isValid() && !encoder.hasError() && !state.pdfFolder.contains(u'\n') &&
                            !state.pdfFolder.contains(u'\r');
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    bytes += "PdfFolder=" + (folderFits ? folder : QByteArray()) + "\r\n";

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QString why;
    if (WriteWholeFile(path_, bytes, why))
        return QString();
    return QStringLiteral("設定ファイル「%1」に書き込めませんでした。\n%2\nウィンドウの位置と表示倍率は保存されません。")
        .arg(QDir::toNativeSeparators(path_), why);
}

}  // namespace wyndlor::glancer
