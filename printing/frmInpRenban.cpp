#include "printing/frmInpRenban.h"

#include "widgets/NumberField.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace wyndlor {

namespace {

// Columns at which the method sample puts the four levels: the heading
// hierarchy as it would read on paper, the number level set further in.
constexpr std::array<int, kNumberedLevels> kSampleIndent = {0, 2, 4, 8};

// Widest sample line: ten columns of margin before the longest heading
// "(章)-(節)-(項)○○○" (20 columns), and a little room.
constexpr int kSampleColumns = 34;

// The heading texts of the four levels for a method.
std::array<QString, kNumberedLevels> SampleHeadings(int method) {
    const QString text = QStringLiteral("○○○");
    switch (method) {
    case 1:
        return {QStringLiteral("(章)") + text, QStringLiteral("(節)") + text, QStringLiteral("(項)") + text,
                QStringLiteral("(No)") + text};
    case 2:
        return {QStringLiteral("(章)") + text, QStringLiteral("(章)-(節)") + text,
                QStringLiteral("(章)-(節)-(項)") + text, QStringLiteral("(No)") + text};
    case 3:
        return {QStringLiteral("(章)") + text, QStringLiteral("(章).(節)") + text,
                QStringLiteral("(章).(節).(項)") + text, QStringLiteral("(No)") + text};
    default:
        return {text, text, text, text};
    }
}

QString IndentedLines(const std::array<QString, kNumberedLevels> &headings,
                      const std::array<int, kNumberedLevels> &indent) {
    QStringList lines;
    for (int k = 0; k < kNumberedLevels; ++k) lines << QString(std::max(0, indent[k]), QLatin1Char(' ')) + headings[k];
    return lines.join(QLatin1Char('\n'));
}

// A fixed-pitch font in which a full-width character is two half-width
// columns wide, as on the printed page, so the samples line up as printed.
QFont SampleFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("MS Gothic"),
                   QStringLiteral("Osaka-Mono"), f.family()});
    f.setStyleHint(QFont::Monospace);
    return f;
}

QPlainTextEdit *SampleBox(const QString &name, QWidget *parent) {
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFont(SampleFont());
    const QFontMetrics fm(box->font());
    const int frame = 2 * (box->frameWidth() + static_cast<int>(box->document()->documentMargin())) + 4;
    box->setFixedSize(fm.horizontalAdvance(QString(kSampleColumns, QLatin1Char('0'))) + frame,
                      fm.lineSpacing() * (kNumberedLevels + 1) + frame);
    return box;
}

const std::array<QString, kNumberedLevels> kLevelNames = {
    QStringLiteral("（章）"), QStringLiteral("（節）"), QStringLiteral("（項）"), QStringLiteral("（№）")};

}  // namespace

const QStringList &HeadingStyleTexts() {
    static const QStringList texts = {
        QStringLiteral("1,2,3,..99"),
        QStringLiteral("(1),(2),(3) ...(99)"),
        QStringLiteral("1),2),3),.(99)"),
        QStringLiteral("(a),(b),(c),...(z)"),
        QStringLiteral("a),b),c),...z)"),
        QStringLiteral("(i),(ii),(iii),...(x)"),
        QStringLiteral("i),ii),iii),...x)"),
        QStringLiteral("①,②,③,...⑳"),
        QStringLiteral("・,・,・,...・"),
    };
    return texts;
}

QString MethodSample(int method) {
    return IndentedLines(SampleHeadings(method), kSampleIndent);
}

QString MarginSample(int method, const std::array<int, kNumberedLevels> &margins) {
    return IndentedLines(SampleHeadings(method), margins);
}

frmInpRenban::frmInpRenban(QWidget *parent)
    : InputDialog(QStringLiteral("連番条件設定"), QStringLiteral("InpRenban"), parent) {
    setObjectName(QStringLiteral("frmInpRenban"));
    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    Body()->addWidget(TabStrip1);

    // Tab1: the initial number and the way the levels' numbers are joined.
    auto *page1 = new QWidget(TabStrip1);
    auto *layout1 = new QVBoxLayout(page1);
    auto *initRow = new QGridLayout;
    numInit = new NumberField(0, kMaxInitialNumber, QStringLiteral("#0"), QString(), page1);
    numInit->setObjectName(QStringLiteral("numInit"));
    AddFieldRow(initRow, QStringLiteral("初期値"), numInit);
    initRow->setColumnStretch(2, 1);
    layout1->addLayout(initRow);
    auto *frame = new QGroupBox(QStringLiteral("表現方法"), page1);
    auto *frameLayout = new QHBoxLayout(frame);
    auto *options = new QVBoxLayout;
    optMethod = new OptionGroup(this);
    const std::array<QString, kNumberingMethods> methodCaptions = {
        QStringLiteral("なし"), QStringLiteral("(章)／(節)…"), QStringLiteral("(章)－(節)…"),
        QStringLiteral("(章)．(節)…")};
    for (int i = 0; i < kNumberingMethods; ++i) {
        optMethodButton[i] = new QRadioButton(methodCaptions[i], frame);
        optMethodButton[i]->setObjectName(QStringLiteral("optMethod%1").arg(i));
        optMethod->AddOption(optMethodButton[i]);
        options->addWidget(optMethodButton[i]);
    }
    options->addStretch();
    frameLayout->addLayout(options);
    txtMethod = SampleBox(QStringLiteral("txtMethod"), frame);
    frameLayout->addWidget(txtMethod);
    layout1->addWidget(frame);
    layout1->addStretch();
    TabStrip1->addTab(page1, QStringLiteral("表現方法"));

    // Tab2: the number style of each level.
    auto *page2 = new QWidget(TabStrip1);
    auto *layout2 = new QVBoxLayout(page2);
    auto *styles = new QGridLayout;
    for (int k = 0; k < kNumberedLevels; ++k) {
        cboStyle[k] = new QComboBox(page2);
        cboStyle[k]->setObjectName(QStringLiteral("cboStyle%1").arg(k));
        cboStyle[k]->addItems(HeadingStyleTexts());
        cboStyle[k]->setCurrentIndex(-1);
        AddFieldRow(styles, kLevelNames[k] + QStringLiteral("に対して"), cboStyle[k]);
    }
    styles->setColumnStretch(2, 1);
    layout2->addLayout(styles);
    layout2->addStretch();
    TabStrip1->addTab(page2, QStringLiteral("連番種類"));

    // Tab3: the left margin of each level, with its sample.
    auto *page3 = new QWidget(TabStrip1);
    auto *layout3 = new QHBoxLayout(page3);
    auto *marginColumn = new QVBoxLayout;
    auto *margins = new QGridLayout;
    for (int k = 0; k < kNumberedLevels; ++k) {
        numMargin[k] = new NumberField(0, kMaxHeadingMargin, QStringLiteral("#0"), QString(), page3);
        numMargin[k]->setObjectName(QStringLiteral("numMargin%1").arg(k));
        AddFieldRow(margins, kLevelNames[k], numMargin[k]);
        // The sample follows the typing, not only the leaving of the field.
        connect(numMargin[k], &QLineEdit::textChanged, this, &frmInpRenban::ShowMarginSample);
    }
    marginColumn->addLayout(margins);
    marginColumn->addStretch();
    layout3->addLayout(marginColumn);
    auto *sampleColumn = new QVBoxLayout;
    txtMargin = SampleBox(QStringLiteral("txtMargin"), page3);
    sampleColumn->addWidget(txtMargin);
    lblMarginNote = new QLabel(QStringLiteral("※ 半角１文字幅を１単位とします"), page3);
    sampleColumn->addWidget(lblMarginNote);
    sampleColumn->addStretch();
    layout3->addLayout(sampleColumn);
    TabStrip1->addTab(page3, QStringLiteral("左余白"));

    for (int i = 0; i < TabStrip1->count(); ++i) TabStrip1->tabBar()->setTabData(i, QStringLiteral("Tab%1").arg(i + 1));

    connect(optMethod, &QButtonGroup::idClicked, this, [this] {
        ShowMethodSample();
        ShowMarginSample();
    });
    connect(TabStrip1, &QTabWidget::currentChanged, this, &frmInpRenban::OnTabChanged);
    OnTabChanged(0);
}

int frmInpRenban::SelectedMethod() const {
    return optMethod->Index();
}

std::array<int, kNumberedLevels> frmInpRenban::Margins() const {
    std::array<int, kNumberedLevels> m{};
    for (int k = 0; k < kNumberedLevels; ++k)
        m[k] = std::clamp(static_cast<int>(numMargin[k]->Value()), 0, kMaxHeadingMargin);
    return m;
}

void frmInpRenban::ShowMethodSample() {
    txtMethod->setPlainText(MethodSample(SelectedMethod()));
}

void frmInpRenban::ShowMarginSample() {
    txtMargin->setPlainText(MarginSample(SelectedMethod(), Margins()));
}

void frmInpRenban::AfterLoad() {
    ShowMethodSample();
    ShowMarginSample();
    TabStrip1->setCurrentIndex(0);
}

void frmInpRenban::OnTabChanged(int index) {
    // A field left with a value out of its range keeps its tab open: on a
    // hidden, disabled page it could neither take the focus back nor be
    // checked on OK.
    if (index != shownTab_ && shownTab_ >= 0 && shownTab_ < TabStrip1->count()) {
        for (NumberField *f : TabStrip1->widget(shownTab_)->findChildren<NumberField *>()) {
            if (f->InRange()) continue;
            {
                const QSignalBlocker block(TabStrip1);
                TabStrip1->setCurrentIndex(shownTab_);
            }
            f->Validate();
            return;
        }
    }
    shownTab_ = index;
    // Only the shown page takes part, so the keyboard never reaches a field
    // of a hidden page.
    for (int i = 0; i < TabStrip1->count(); ++i) TabStrip1->widget(i)->setEnabled(i == index);
    if (index == 2) ShowMarginSample();
}

}  // namespace wyndlor
