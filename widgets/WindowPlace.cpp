#include "widgets/WindowPlace.h"

#include "core/AppPaths.h"
#include "core/CPrivateProfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
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

// Width of the title bar that must stay on a screen to drag the window
// back, in pixels.
constexpr int kTitleGrip = 100;
// Title bar height assumed before the window manager has framed the
// window, in pixels.
constexpr int kAssumedTitleBar = 20;

// The primary screen's geometry: window places are kept relative to it.
QRect PrimaryArea() {
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QList<QRect> ScreenAreas() {
    QList<QRect> areas;
    for (const QScreen *s : QGuiApplication::screens()) areas.append(s->availableGeometry());
    if (areas.isEmpty()) areas.append(PrimaryArea());
    return areas;
}

int TitleBarHeight(const QWidget *w) {
    if (w->isVisible()) {
        const int strut = w->geometry().top() - w->frameGeometry().top();
        if (strut > 0) return strut;
    }
    return kAssumedTitleBar;
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

bool TitleBarVisible(const QRect &frame, const QList<QRect> &screens, int titleBarHeight) {
    // The strip that carries the title bar: the whole of its height and a
    // grip of kTitleGrip pixels (or the whole width of a narrower window)
    // must lie on one screen, so the window can always be dragged back.
    const int grip = std::min(frame.width(), kTitleGrip);
    const QRect bar(frame.topLeft(), QSize(std::max(1, frame.width()), titleBarHeight));
    for (const QRect &screen : screens) {
        const QRect on = bar & screen;
        if (on.height() >= titleBarHeight && on.width() >= grip) return true;
    }
    return false;
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

    const QRect area = PrimaryArea();
    // The stored values are outer-window places; before the first show the
    // frame is not known yet, so the client size stands for the window.
    const QSize outer = w->isVisible() ? w->frameGeometry().size() : w->size();
    const int placedTop = PlaceAxis(top, PixelsToTwipsY(area.height()),
                                    PixelsToTwipsY(outer.height()), rule);
    const int placedLeft = PlaceAxis(left, PixelsToTwipsX(area.width()),
                                     PixelsToTwipsX(outer.width()), rule);
    QPoint place(area.x() + TwipsToPixelsX(placedLeft), area.y() + TwipsToPixelsY(placedTop));
    // A place that leaves the title bar on no screen (a screen since taken
    // away, a setting edited by hand) centres the window on both axes.
    if (!TitleBarVisible(QRect(place, outer), ScreenAreas(), TitleBarHeight(w)))
        place = QPoint(area.x() + TwipsToPixelsX(PlaceAxis(0, PixelsToTwipsX(area.width()),
                                                         PixelsToTwipsX(outer.width()), rule)),
                       area.y() + TwipsToPixelsY(PlaceAxis(0, PixelsToTwipsY(area.height()),
                                                         PixelsToTwipsY(outer.height()), rule)));
    // Moving a window that has no native window yet gives the place of its
    // outer frame, which is what pos() reads back when it closes; a window
    // already created but not yet shown would take it as its client place
    // and creep up by its title bar on every opening.
    w->move(place);
}

void SaveWindowPlace(const QWidget *w, const QString &section, bool withSize) {
    if (!w) return;
    const QString ini = IniFileName();
    // Stored relative to the primary screen, as RestoreWindowPlace reads it,
    // also for a window on another screen.
    const QPoint pos = w->pos() - PrimaryArea().topLeft();
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
