// The life cycle every window of the program shares but the main window
// and the about box: it loads once, when it is first shown, and keeps its
// place (and, for the resizable result and graph windows, its size) in its
// own section of the settings file when it closes.
//
// Loading, in this order: a non-empty UsrCaption becomes the caption; a
// window of fixed size takes the size of its layout; the place (and size)
// is restored from the section; then the window's own OnLoad (LoadData,
// filling).  The help button and F1 open the window's page of the manual.
// Closing runs the window's own OnUnload, then writes the place.  The place
// is set before the window is first mapped, so the window manager puts the
// outer frame there and the place written on closing is the same frame
// place: a window opened and closed again and again stays where it is.
#pragma once

#include "widgets/WindowPlace.h"

#include <QDialog>
#include <QString>
#include <cstdint>

class QPushButton;

namespace wyndlor {

class WindowBase : public QDialog {
    Q_OBJECT
public:
    // Set by the owner before the window is shown: an empty caption keeps
    // the window's own; a help file replaces the manual's page of the
    // window (the page named after its settings section), which the help
    // button and F1 open otherwise.
    QString UsrCaption;
    QString UsrHelpFile;
    int32_t UsrHelpContextID = 0;
    // How the window was closed, for the owner to read afterwards ("OK" or
    // "ｷｬﾝｾﾙ" on the input forms).
    QString UsrTag;

    // The loading steps above; runs once.  Showing the window runs it, and
    // tests call it directly.
    void Load();
    bool IsLoaded() const { return loaded_; }

    void setVisible(bool visible) override;
    void done(int result) override;

public slots:
    // Opens the help file given by the owner, else the window's page.
    void OnHelp();

protected:
    enum class Keeps { Place, PlaceAndSize };
    WindowBase(const QString &section, Keeps keeps, PlaceRule rule, QWidget *parent);

    // The button that opens the help.
    void SetHelpButton(QPushButton *button);
    // The window's own loading steps, after caption, place and help.
    virtual void OnLoad() {}
    // The window's own closing steps, before the place is written.
    virtual void OnUnload() {}
    // Closing steps and place, once; a window destroyed without closing
    // calls it from its own destructor when OnUnload must still run.
    void Unload();

private:
    QString section_;
    Keeps keeps_;
    PlaceRule rule_;
    QPushButton *help_ = nullptr;
    QString helpPage_;
    bool loaded_ = false;
    bool unloaded_ = false;
};

}  // namespace wyndlor
