// The previewer's own settings file, Glancer.INI in the work folder handed
// with /INI=: the window's place (pixels), the zoom and the folder of the
// last exported PDF.  Without a work folder nothing is read or written.
//
// The file is one section "[Glancer]" of key=value lines, Shift_JIS with
// CR LF like every text file of the programs, written whole through a
// temporary file beside it and renamed over it once every byte reached the
// disk (a full disk keeps the old file and is said).
#pragma once

#include <QRect>
#include <QString>

namespace wyndlor::glancer {

enum class ZoomMode { FitPage, FitWidth, Factor };

struct GlancerState {
    QRect geometry;          // outer frame's top-left, client size; empty when never stored
    bool maximized = false;
    ZoomMode zoomMode = ZoomMode::FitWidth;
    double zoomFactor = 1.0; // 1 = paper at its real size on a 96 DPI screen
    int outlineWidth = 0;    // pixels; 0 = default
    QString pdfFolder;       // "" = the print file's folder
};

class GlancerSettings {
public:
    explicit GlancerSettings(const QString &workFolder);

    // "" without a work folder.
    QString FilePath() const { return path_; }
    GlancerState Load() const;
    // "" when written (or nothing to write), else the message for the user.
    QString Save(const GlancerState &state) const;

private:
    QString path_;
};

}  // namespace wyndlor::glancer
