#include "widgets/WindowPlace.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace wyndlor {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultDpi = 96.0;
// The largest place or size taken from the settings file, in twips: 32767
// pixels at 96 DPI, the largest window coordinate the window systems
// accept.  A larger stored value is damaged and counts as missing, so no
// conversion to pixels can overflow.
constexpr int kMaxPlaceTwips = 32767 * 15;

int Bounded(int twips) { return twips > kMaxPlaceTwips ? 0 : twips; }

QScreen *ScreenOf(const QWidget *w) {
    if (w && w->screen()) return w->screen();
    return QGuiApplication::primaryScreen();
}

double DpiX() {
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchX() : kDefaultDpi;
}
double DpiY() {
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchY() : kDefaultDpi;
}

int Convert(int value, double from, double to) {
    return static_cast<int>(std::lround(value * to / from));
}

}  // namespace

int TwipsToPixelsX(int twips) { return Convert(twips, kTwipsPerInch, DpiX()); }
int TwipsToPixelsY(int twips) { return Convert(twips, kTwipsPerInch, DpiY()); }
int PixelsToTwipsX(int pixels) { return Convert(pixels, DpiX(), kTwipsPerInch); }
int PixelsToTwipsY(int pixels) { return Convert(pixels, DpiY(), kTwipsPerInch); }

int PlaceAxis(int value, int screenSize, int windowSize, PlaceRule rule) {
    const bool beyond = rule == PlaceRule::CentreNonPositiveOrBeyond && value >= screenSize;
    if (value > 0 && !beyond) return value;
    // Integer division truncates toward zero, as the settings have always
    // been computed; a window larger than the screen keeps its top-left
    // corner on the screen.
    const int centred = (screenSize - windowSize) / 2;
    return centred < 0 ? 0 : centred;
}

void RestoreWindowPlace(QWidget *w, const QString &section, bool withSize, PlaceRule rule) {
    if (!w) return;
    const QString ini = IniFileName();
    if (withSize) {
        const int width = Bounded(CPrivateProfile::GetValueLong(ini, section, QStringLiteral("Width")));
        const int height = Bounded(CPrivateProfile::GetValueLong(ini, section, QStringLiteral("Height")));
        QSize size = w->size();
        if (width > 0) size.setWidth(TwipsToPixelsX(width));
        if (height > 0) size.setHeight(TwipsToPixelsY(height));
        w->resize(size);
    }
    const int top = Bounded(CPrivateProfile::GetValueLong(ini, section, QStringLiteral("Top")));
    const int left = Bounded(CPrivateProfile::GetValueLong(ini, section, QStringLiteral("Left")));

    const QScreen *screen = ScreenOf(w);
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // The stored values are outer-window places; before the first show the
    // frame is not known yet, so the client size stands for the window.
    const QSize outer = w->isVisible() ? w->frameGeometry().size() : w->size();
    const int placedTop = PlaceAxis(top, PixelsToTwipsY(area.height()),
                                    PixelsToTwipsY(outer.height()), rule);
    const int placedLeft = PlaceAxis(left, PixelsToTwipsX(area.width()),
                                     PixelsToTwipsX(outer.width()), rule);
    w->move(area.x() + TwipsToPixelsX(placedLeft), area.y() + TwipsToPixelsY(placedTop));
}

void SaveWindowPlace(const QWidget *w, const QString &section, bool withSize) {
    if (!w) return;
    const QString ini = IniFileName();
    // Stored relative to the window's screen, as RestoreWindowPlace reads it.
    const QScreen *screen = ScreenOf(w);
    const QPoint pos = w->pos() - (screen ? screen->geometry().topLeft() : QPoint());
    CPrivateProfile::SetValueString(ini, section, QStringLiteral("Top"),
                                    QString::number(PixelsToTwipsY(pos.y())));
    CPrivateProfile::SetValueString(ini, section, QStringLiteral("Left"),
                                    QString::number(PixelsToTwipsX(pos.x())));
    if (withSize) {
        CPrivateProfile::SetValueString(ini, section, QStringLiteral("Width"),
                                        QString::number(PixelsToTwipsX(w->width())));
        CPrivateProfile::SetValueString(ini, section, QStringLiteral("Height"),
                                        QString::number(PixelsToTwipsY(w->height())));
    }
}

}  // namespace wyndlor
