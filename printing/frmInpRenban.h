// The numbering style of the printed report's headings, "連番条件設定".
//
// The report has four heading levels: chapter (章), section (節), item (項)
// and number (№).  The engineer chooses how heading numbers are composed
// (none, each level's own number, or chapter and section joined by "-" or
// "."), the number style of each level (1, (1), 1), (a), a), (i), i), ①, ･)
// and the left margin of each level in half-width columns.  The form shows
// a sample of the chosen composition and of the margins; the report itself
// is numbered by the print-file writer, which reads these settings when the
// print menu builds the report.  The owner's handlers (RenbanBinding.h)
// copy between the form and section "Chapter" of the settings file.
#pragma once

#include "forms/InputDialog.h"

#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;

namespace wyndlor {

class NumberField;

constexpr int kNumberedLevels = 4;   // 章, 節, 項, №
constexpr int kNumberingMethods = 4; // none, own, joined "-", joined "."
constexpr int kHeadingStyleCount = 9;
constexpr int kMaxInitialNumber = 99;
constexpr int kMaxHeadingMargin = 10;  // half-width columns

// The texts of the style lists, style 1 to 9 in list order.
const QStringList &HeadingStyleTexts();

// The sample of a numbering method: the heading of each level with "○○○"
// for its text, chapter at column 0, section 2, item 4, number 8.  A method
// outside 0-3 shows as method 0.
QString MethodSample(int method);
// The sample of the margins: the same headings, each level preceded by its
// margin in spaces.
QString MarginSample(int method, const std::array<int, kNumberedLevels> &margins);

class frmInpRenban : public InputDialog {
    Q_OBJECT
public:
    explicit frmInpRenban(QWidget *parent = nullptr);

    QTabWidget *TabStrip1;                                 // tabs "Tab1"-"Tab3"
    NumberField *numInit;                                  // 0-99
    OptionGroup *optMethod;                                // index = "Method"
    std::array<QRadioButton *, kNumberingMethods> optMethodButton;
    QPlainTextEdit *txtMethod;                             // sample, read only
    std::array<QComboBox *, kNumberedLevels> cboStyle;     // list index + 1 = style
    std::array<NumberField *, kNumberedLevels> numMargin;  // 0-10 columns
    QPlainTextEdit *txtMargin;                             // sample, read only
    QLabel *lblMarginNote;

    // The method the samples show: the selected option, 0 when none is.
    int SelectedMethod() const;
    // The margins as they stand in the fields, typed text included, held
    // to the field's range.
    std::array<int, kNumberedLevels> Margins() const;

public slots:
    void ShowMethodSample();
    void ShowMarginSample();

protected:
    void AfterLoad() override;

private:
    void OnTabChanged(int index);
    int shownTab_ = 0;
};

}  // namespace wyndlor
