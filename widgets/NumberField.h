// The numeric input field of every form.
//
// Each number the engineer enters (a level, an area, a coefficient, a time
// step) has a range it must lie in and a picture format it is shown in.  The
// field shows the value in its display format, switches to the edit format
// while it has the focus, accepts only the characters of a number as they
// are typed, and checks the range when the focus leaves: a value outside the
// range beeps, shows "入力範囲：min ～ max" (both in the display format) and
// keeps the focus in the field, so that a form is never confirmed with a
// number the calculation was not meant for.  The read-only variant only
// shows a value (the flood arrival time of the time-step form).
#pragma once

#include "widgets/PictureFormat.h"

#include <QLineEdit>

namespace wyndlor {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    NumberField(double minValue, double maxValue, const QString &displayFormat,
                const QString &editFormat = QString(), QWidget *parent = nullptr);

    double Value() const;
    // Sets the value exactly; the text shows it in the display format.
    void SetValue(double value);

    double MinValue() const { return min_; }
    double MaxValue() const { return max_; }
    const PictureFormat &DisplayFormat() const { return display_; }
    const PictureFormat &EditFormat() const { return edit_; }

    // "入力範囲：min ～ max" with both bounds in the display format.
    QString RangeText() const;

    // Shows only; never edited, never validated.
    void SetDisplayOnly(bool on);

    bool InRange() const;
    // The range check of leaving the field: beep, message, focus back.
    // True when the value lies in the range.  The forms also call it on OK,
    // since Enter confirms a form without the focus leaving the field.
    bool Validate();

protected:
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void TakeTypedText();
    void ShowDisplayText();

    double min_, max_;
    PictureFormat display_, edit_;
    double value_ = 0;
    bool typed_ = false;     // text changed by the user since the last read
    bool editing_ = false;   // edit format shown
};

}  // namespace wyndlor
