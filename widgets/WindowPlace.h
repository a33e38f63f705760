// Window places in the settings file, in twips (15 twips are one pixel at
// 96 DPI; the screen's logical DPI converts them).
#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace wyndlor {

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

enum class PlaceRule {
    CentreNonPositive,        // Top or Left <= 0 centres that axis
    CentreNonPositiveOrBeyond // also a value at or beyond the screen size
};

// The rule for one axis, all values in twips: `value` itself when the rule
// accepts it, else (screenSize - windowSize) / 2 truncated, never below 0.
int PlaceAxis(int value, int screenSize, int windowSize, PlaceRule rule);

// True when the title bar of a window whose outer frame is `frame` (its
// full height, and 100 px of its width or all of a narrower window) lies on
// one of `screens`, all in pixels.
bool TitleBarVisible(const QRect &frame, const QList<QRect> &screens, int titleBarHeight);

// Restores Top and Left (and Width and Height when `withSize`; a missing or
// non-positive size keeps the design size) from `section` of the settings
// file IniFileName().  Each axis whose value the rule rejects is centred on
// the screen, (screen - window) / 2, never below 0; a place that would put
// the title bar on no screen centres both axes.  Call it before the window
// is first shown: the place is that of the outer frame.
void RestoreWindowPlace(QWidget *w, const QString &section, bool withSize, PlaceRule rule);
// Writes Top and Left (and Width and Height) of `w` as decimal twips.
void SaveWindowPlace(const QWidget *w, const QString &section, bool withSize);

}  // namespace wyndlor
