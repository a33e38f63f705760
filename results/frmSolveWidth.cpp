#include "results/frmSolveWidth.h"

#include "core/Messages.h"
#include "results/frmMenuRO.h"
#include "widgets/HelpWindow.h"
#include "widgets/MessageBoxes.h"
#include "widgets/NumberField.h"
#include "widgets/WindowPlace.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace wyndlor {

namespace {

const QString kSection = QStringLiteral("SolveWidth");
// The texts wrap at this many full-width characters.
constexpr int kTextChars = 30;
// Levels as the h-V form enters them: -999 m to 999 m, shown with their sign.
constexpr double kLowestLevel = -999, kHighestLevel = 999;
const char *const kLevelDisplay = "+##0.000;-##0.000";
const char *const kLevelEdit = "##0.000";

QLabel *WrappedLabel(const QString &name, int width, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    return label;
}

}  // namespace

void TakeSpillwayWidth(Project &project, double B) {
    SetSpillwayWidth(project.Data, B);
    project.Data.HasSection = true;
    project.MarkEdited();
}

frmSolveWidth::frmSolveWidth(const CalcRun &run, std::function<void(double)> takeWidth, QWidget *parent)
    : QDialog(parent), run_(run), takeWidth_(std::move(takeWidth)) {
    setObjectName(QStringLiteral("frmSolveWidth"));
    setWindowTitle(msg::SolveWidthTitle());
    const int textWidth = kTextChars * fontMetrics().horizontalAdvance(QStringLiteral("あ"));

    auto *input = new QGroupBox(QStringLiteral("許容水位"), this);
    auto *inputRows = new QGridLayout(input);
    numHWLa_ = new NumberField(kLowestLevel, kHighestLevel, kLevelDisplay, kLevelEdit, input);
    numHWLa_->setObjectName(QStringLiteral("numHWLa"));
    numHWLa_->SetValue(run.Ok ? run.Results.DesignFloodLevel : 0.0);
    cmdSolve_ = new QPushButton(QStringLiteral("試算(&S)"), input);
    cmdSolve_->setObjectName(QStringLiteral("cmdSolve"));
    cmdSolve_->setDefault(true);
    connect(cmdSolve_, &QPushButton::clicked, this, &frmSolveWidth::Solve);
    lblCurrent_ = WrappedLabel(QStringLiteral("lblCurrent"), textWidth, input);
    lblCurrent_->setText(msg::CurrentWidthText(SpillwayWidth(run.Data), run.Data));
    inputRows->addWidget(new QLabel(QStringLiteral("許容水位ＨＷＬa（m）"), input), 0, 0);
    inputRows->addWidget(numHWLa_, 0, 1);
    inputRows->addWidget(cmdSolve_, 0, 2);
    inputRows->addWidget(lblCurrent_, 1, 0, 1, 3);

    auto *answer = new QGroupBox(QStringLiteral("試算結果"), this);
    auto *answerRows = new QGridLayout(answer);
    lblAnswer_ = WrappedLabel(QStringLiteral("lblAnswer"), textWidth, answer);
    answerRows->addWidget(lblAnswer_, 0, 0, 1, 2);
    numB_ = ResultField(QStringLiteral("numB"), answer);
    numHWL_ = ResultField(QStringLiteral("numHWL"), answer);
    numHmax_ = ResultField(QStringLiteral("numHmax"), answer);
    numQ2_ = ResultField(QStringLiteral("numQ2"), answer);
    const std::pair<QString, QLineEdit *> fields[] = {
        {QStringLiteral("洪水吐の幅Ｂ(m)"), numB_},
        {QStringLiteral("設計洪水位ＨＷＬ(m)"), numHWL_},
        {QStringLiteral("最大水位ｈ1(m)"), numHmax_},
        {QStringLiteral("最大放流量Ｑ2(m3/s)"), numQ2_},
    };
    int row = 1;
    for (const auto &[caption, field] : fields) {
        answerRows->addWidget(new QLabel(caption, answer), row, 0);
        answerRows->addWidget(field, row, 1);
        ++row;
    }
    lblCheck_ = WrappedLabel(QStringLiteral("lblCheck"), textWidth, answer);
    answerRows->addWidget(lblCheck_, row, 0, 1, 2);

    grdWidths_ = new QTableWidget(0, 3, this);
    grdWidths_->setObjectName(QStringLiteral("grdWidths"));
    grdWidths_->setHorizontalHeaderLabels({QStringLiteral("幅Ｂ(m)"), QStringLiteral("設計洪水位ＨＷＬ(m)"),
                                           QStringLiteral("許容水位に対して")});
    grdWidths_->verticalHeader()->setVisible(false);
    grdWidths_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdWidths_->setSelectionMode(QAbstractItemView::NoSelection);
    grdWidths_->setFocusPolicy(Qt::NoFocus);
    grdWidths_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const int rows = 2 * kWidthTableHalfRows + 1;
    const int rowHeight = grdWidths_->verticalHeader()->defaultSectionSize();
    grdWidths_->setFixedHeight(grdWidths_->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                               2 * grdWidths_->frameWidth());

    cmdTake_ = new QPushButton(QStringLiteral("この幅を洪水吐ﾃﾞｰﾀに取り込む(&T)"), this);
    cmdTake_->setObjectName(QStringLiteral("cmdTake"));
    cmdTake_->setAutoDefault(false);
    cmdTake_->setEnabled(false);
    connect(cmdTake_, &QPushButton::clicked, this, &frmSolveWidth::TakeWidth);
    lblTaken_ = WrappedLabel(QStringLiteral("lblTaken"), textWidth, this);
    cmdExit_ = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setAutoDefault(false);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);

    auto *cmdHelp = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdHelp->setAutoDefault(false);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, help::kSolveWidth); });
    AddHelpKey(this, help::kSolveWidth);

    auto *layout = new QVBoxLayout(this);
    lblStale_ = StaleResultsLabel(this);
    layout->addWidget(lblStale_);
    layout->addWidget(input);
    layout->addWidget(answer);
    layout->addWidget(new QLabel(QStringLiteral("幅と設計洪水位"), this));
    layout->addWidget(grdWidths_);
    layout->addWidget(cmdTake_);
    layout->addWidget(lblTaken_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExit_);
    buttons->addWidget(cmdHelp);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmSolveWidth::~frmSolveWidth() = default;

void frmSolveWidth::Solve() {
    if (!numHWLa_->Validate()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    WidthSolveOptions options;
    options.tableHalfRows = kWidthTableHalfRows;
    solution_ = SolveWidth(run_.Data, numHWLa_->Value(), options);
    QApplication::restoreOverrideCursor();
    ShowSolution();
}

void frmSolveWidth::ShowSolution() {
    const WidthSolution &s = solution_;
    // The answer: the 1-minute routing's width where the guideline routing
    // is not accurate for the pond; the guideline's search result is then
    // named in the check lines and marked in the table.
    const bool answer = s.ok && s.AnswerStatus() != WidthStatus::None;
    lblAnswer_->setText(msg::WidthAnswerText(s));
    numB_->setText(answer ? msg::FormatWidth(s.AnswerB()) : QString());
    numHWL_->setText(answer ? msg::FormatLevel(s.AnswerHWL()) : QString());
    numHmax_->setText(answer ? msg::FormatResult(s.AnswerHmax()) : QString());
    numQ2_->setText(answer ? msg::FormatResult(s.AnswerQ2()) : QString());
    lblCheck_->setText(msg::WidthCheckText(s));
    const bool warns = s.check && s.check->ok && s.check->warning();
    QPalette pal = lblCheck_->palette();
    pal.setColor(QPalette::WindowText, warns ? kWarningColour : palette().color(QPalette::WindowText));
    lblCheck_->setPalette(pal);

    grdWidths_->setRowCount(static_cast<int>(s.table.size()));
    for (int r = 0; r < grdWidths_->rowCount(); ++r) {
        const WidthTrial &t = s.table[static_cast<size_t>(r)];
        const QString cells[] = {msg::FormatWidth(t.B), t.ok ? msg::FormatLevel(t.HWL) : QString(),
                                 msg::WidthTrialVerdict(t, s.allowable)};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c < 2 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
            if (t.B == s.B) {  // the answer's row
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grdWidths_->setItem(r, c, item);
        }
    }

    lblTaken_->setText(answer && s.AnswerB() > kMaxFormWidth ? msg::WidthBeyondFormText(kMaxFormWidth) : QString());
    cmdTake_->setEnabled(answer && takeWidth_ && s.AnswerB() <= kMaxFormWidth);
}

void frmSolveWidth::TakeWidth() {
    if (!cmdTake_->isEnabled() || !takeWidth_) return;
    const double B = solution_.AnswerB();
    takeWidth_(B);
    cmdTake_->setEnabled(false);
    lblTaken_->setText(msg::WidthTakenText(msg::FormatWidth(B)));
    lblCurrent_->setText(msg::CurrentWidthText(B, run_.Data));
    RefreshStale();
}

void frmSolveWidth::SetStaleQuery(RunStaleQuery stale) {
    stale_ = std::move(stale);
    RefreshStale();
}

void frmSolveWidth::RefreshStale() { lblStale_->setVisible(stale_ && stale_()); }

void frmSolveWidth::setVisible(bool visible) {
    if (visible && !loaded_) {
        loaded_ = true;
        adjustSize();
        RestoreWindowPlace(this, kSection, false, PlaceRule::CentreNonPositiveOrBeyond);
    }
    QDialog::setVisible(visible);
}

void frmSolveWidth::done(int result) {
    if (loaded_) SaveWindowPlace(this, kSection, false);
    QDialog::done(result);
}

void RunSolveWidth(const CalcRun &run, QWidget *parent, std::function<void(double)> takeWidth,
                   RunStaleQuery stale) {
    frmSolveWidth window(run, std::move(takeWidth), parent);
    window.SetStaleQuery(std::move(stale));
    window.exec();
}

}  // namespace wyndlor
