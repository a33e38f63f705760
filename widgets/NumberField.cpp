#include "widgets/NumberField.h"

#include "core/Messages.h"
#include "widgets/MessageBoxes.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <cmath>

namespace wyndlor {

namespace {

// Digits before the point that typing may reach: one more than the picture
// or the range needs, so that a value just beyond the range can still be
// typed and then gets the range message instead of a silent refusal.
int TypingDigits(const PictureFormat &f, double min, double max) {
    const double big = std::max(std::fabs(min), std::fabs(max));
    const int rangeDigits = big < 1 ? 1 : static_cast<int>(std::floor(std::log10(big))) + 1;
    return std::max(f.IntegerDigits(), rangeDigits) + 1;
}

// Only one validation message at a time: the message box itself moves the
// focus, which must not start a second check in another field.
bool g_validating = false;

}  // namespace

NumberField::NumberField(double minValue, double maxValue, const QString &displayFormat,
                         const QString &editFormat, QWidget *parent)
    : QLineEdit(parent),
      min_(minValue),
      max_(maxValue),
      display_(displayFormat),
      edit_(editFormat.isEmpty() ? displayFormat : editFormat) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A minus sign is taken also where the range has no negatives: "-5"
    // then gets the range message on leaving instead of becoming 5.
    const QString sign = "[-+]?";
    const int decimals = std::max(display_.Decimals(), edit_.Decimals());
    QString pattern = sign + QString("\\d{0,%1}").arg(TypingDigits(display_, min_, max_));
    if (decimals > 0) pattern += QString("(\\.\\d{0,%1})?").arg(decimals);
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    // Wide enough for the longer bound in the display format, plus a margin
    // for the frame and one more digit.
    const int chars = std::max(display_.Format(min_).size(), display_.Format(max_).size()) + 2;
    setFixedWidth(fontMetrics().horizontalAdvance(QString(chars, QChar('0'))) + 12);
    connect(this, &QLineEdit::textEdited, this, [this] { typed_ = true; });
    ShowDisplayText();
}

double NumberField::Value() const {
    if (typed_) {
        double v = 0;
        return ParseNumberText(text(), v) ? v : 0.0;
    }
    return value_;
}

void NumberField::SetValue(double value) {
    value_ = value;
    typed_ = false;
    if (editing_)
        setText(edit_.Format(value_));
    else
        ShowDisplayText();
}

QString NumberField::RangeText() const { return msg::RangeText(display_.Format(min_), display_.Format(max_)); }

void NumberField::SetDisplayOnly(bool on) {
    setReadOnly(on);
    setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
}

bool NumberField::InRange() const {
    const double v = Value();
    return v >= min_ && v <= max_;
}

bool NumberField::Validate() {
    TakeTypedText();
    if (isReadOnly() || InRange()) return true;
    if (g_validating) return false;
    g_validating = true;
    MessageBoxes().Beep();
    MessageBoxes().Show(this, RangeText(), QString(), MsgIcon::Information, MsgButtons::Ok);
    g_validating = false;
    setFocus(Qt::OtherFocusReason);
    selectAll();
    return false;
}

void NumberField::focusInEvent(QFocusEvent *e) {
    QLineEdit::focusInEvent(e);
    if (isReadOnly()) return;
    TakeTypedText();
    editing_ = true;
    setText(edit_.Format(value_));
    // Select after the mouse press that gave the focus has placed the cursor.
    QTimer::singleShot(0, this, [this] { if (hasFocus()) selectAll(); });
}

void NumberField::focusOutEvent(QFocusEvent *e) {
    QLineEdit::focusOutEvent(e);
    if (isReadOnly()) return;
    // A focus change into a popup (a context menu) or another window is
    // not leaving the field.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason) return;
    editing_ = false;
    if (!Validate()) return;
    ShowDisplayText();
}

void NumberField::TakeTypedText() {
    if (!typed_) return;
    double v = 0;
    value_ = ParseNumberText(text(), v) ? v : 0.0;  // an emptied field means 0
    typed_ = false;
}

void NumberField::ShowDisplayText() {
    setText(display_.Format(value_));
}

}  // namespace wyndlor
