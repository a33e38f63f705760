#include "previewer/GlancerSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

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

// QSettings opens the file and reads it blocking: a FIFO or a device in
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
    QSettings ini(path_, QSettings::IniFormat);
    ini.beginGroup(kSection);
    const int left = ini.value("Left", 0).toInt();
    const int top = ini.value("Top", 0).toInt();
    const int width = ini.value("Width", 0).toInt();
    const int height = ini.value("Height", 0).toInt();
    auto within = [](int v, int low) { return v >= low && v <= kMaxPlace; };
    if (within(width, 1) && within(height, 1) && within(left, -kMaxPlace) && within(top, -kMaxPlace))
        state.geometry = QRect(left, top, width, height);
    state.maximized = ini.value("Maximized", false).toBool();
    state.zoomMode = ModeFromName(ini.value("ZoomMode").toString());
    bool ok = false;
    const double factor = ini.value("Zoom", 1.0).toDouble(&ok);
    if (ok && factor >= kMinZoom && factor <= kMaxZoom)
        state.zoomFactor = factor;
    state.outlineWidth = std::clamp(ini.value("OutlineWidth", 0).toInt(), 0, kMaxOutlineWidth);
    state.pdfFolder = ini.value("PdfFolder").toString();
    ini.endGroup();
    return state;
}

void GlancerSettings::Save(const GlancerState &state) const
{
    if (path_.isEmpty() || !UsableFile(path_))
        return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings ini(path_, QSettings::IniFormat);
    ini.beginGroup(kSection);
    if (!state.geometry.isEmpty()) {
        ini.setValue("Left", state.geometry.left());
        ini.setValue("Top", state.geometry.top());
        ini.setValue("Width", state.geometry.width());
        ini.setValue("Height", state.geometry.height());
    }
    ini.setValue("Maximized", state.maximized);
    ini.setValue("ZoomMode", ModeName(state.zoomMode));
    ini.setValue("Zoom", state.zoomFactor);
    ini.setValue("OutlineWidth", state.outlineWidth);
    ini.setValue("PdfFolder", state.pdfFolder);
    ini.endGroup();
    ini.sync();
}

}  // namespace wyndlor::glancer
