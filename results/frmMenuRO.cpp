#include "results/frmMenuRO.h"

#include "core/Messages.h"
#include "widgets/MessageBoxes.h"
#include "results/frmFloodStudy.h"
#include "results/frmGraph.h"
#include "results/frmResOut.h"

#include "calc/CQo.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace wyndlor {

namespace {

const char *const kTag = "Tag";
const QString kResOutQi = QStringLiteral("ResOutQi");
const QString kResOutQo = QStringLiteral("ResOutQo");

// The accuracy lines wrap at this many full-width characters, or at the
// frame's width when that is wider.
constexpr int kCheckLineChars = 26;

// A wrapped label of fixed width whose height holds all of its text: the
// dialog has a fixed size from its layout's size hint, which does not ask
// a word-wrapped label for its height at the width it gets.
void FixWrappedSize(QLabel *label, int width) {
    label->setWordWrap(true);
    label->setFixedWidth(width);
    // An empty label has no height for any width (-1): it takes none.
    label->setFixedHeight(std::max(0, label->heightForWidth(width)));
}

// The text laid out in lines of at most `width` pixels that break only
// between its phrases (after "：" and "，"), never inside a word or between
// a number and its unit; a phrase wider than a line keeps a line of its own.
QString BreakBetweenPhrases(const QString &text, const QFontMetrics &metrics, int width) {
    QStringList phrases;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(0xFF1A) || text[i] == QChar(0xFF0C)) {  // "：" "，"
            phrases << text.mid(start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < text.size()) phrases << text.mid(start);
    QStringList lines;
    for (const QString &phrase : phrases) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + phrase) <= width)
            lines.last() += phrase;
        else
            lines << phrase;
    }
    return lines.join(QLatin1Char('\n'));
}


}  // namespace

const QColor kWarningColour(192, 0, 0);

QLineEdit *ResultField(const QString &name, QWidget *parent) {
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

const frmMenuRO::Command frmMenuRO::kCommands[5] = {
    {"流入ハイドログラフの表示", "ResOutQi", &frmMenuRO::ShowTable},
    {"洪水調節計算結果の表示", "ResOutQo", &frmMenuRO::ShowTable},
    {"計算結果の印刷", "MenuPrint", &frmMenuRO::ShowPrintMenu},
    {"洪水吐幅の試算", "SolveWidth", &frmMenuRO::ShowSolveWidth},
    {"洪水調節効果の試算", "FloodStudy", &frmMenuRO::ShowFloodStudy},
};

const frmMenuRO::Command *frmMenuRO::FindCommand(const QString &tag) {
    for (const Command &c : kCommands)
        if (tag == QLatin1String(c.tag)) return &c;
    return nullptr;
}

bool frmMenuRO::HasCommand(const QString &tag) { return FindCommand(tag) != nullptr; }

void FillInflowTable(ResultTableModel &grid, const clsQi *qi) {
    if (!qi) {
        grid.SetRowCount(0);
        return;
    }
    const colQiData &items = qi->Qi();
    grid.SetRowCount(items.Count());
    for (int32_t r = 1; r <= items.Count(); ++r) {
        const auto item = items.Item(r);
        grid.SetCell(r, 1, item->t);
        grid.SetCell(r, 2, item->r);
        grid.SetCell(r, 3, item->Qi);
        grid.SetCell(r, 4, item->Qid);
    }
}

void FillRoutingTable(ResultTableModel &grid, const CQo *qo) {
    if (!qo) {
        grid.SetRowCount(0);
        return;
    }
    const int32_t peak = qo->n();
    const colQoData &items = qo->Qo();
    grid.SetRowCount(items.Count());
    for (int32_t r = 1; r <= items.Count(); ++r) {
        const auto item = items.Item(r);
        grid.SetCell(r, 1, msg::ClockText(item->hh, item->mm));
        grid.SetCell(r, 2, item->t);
        grid.SetCell(r, 3, item->Qi);
        grid.SetCell(r, 4, item->Qo);
        grid.SetCell(r, 5, item->h);  // depth above the crest, not the level EL
        grid.SetCell(r, 6, item->V);
        grid.SetCell(r, 7, r == peak ? QStringLiteral("最大") : QString());
    }
}

frmMenuRO::frmMenuRO(const CalcRun &run, std::function<void(QWidget *)> openPrintMenu, QWidget *parent,
                     std::function<void(QWidget *)> openSolveWidth)
    // A place stored on a larger screen than the present one is re-centred
    // rather than left out of sight.
    : WindowBase(QStringLiteral("MenuRO"), Keeps::Place, PlaceRule::CentreNonPositiveOrBeyond,
                 parent),
      run_(run),
      results_(run.Results),
      sourceFile_(run.SourceFile),
      check_(run.ValidCheck()),
      openPrintMenu_(std::move(openPrintMenu)),
      openSolveWidth_(std::move(openSolveWidth)) {
    setObjectName(QStringLiteral("frmMenuRO"));
    setWindowTitle(QStringLiteral("計算結果の表示および印刷"));

    auto *frame = new QGroupBox(QStringLiteral("設計洪水位"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *fields = new QGridLayout(frame);
    numQ1_ = ResultField(QStringLiteral("numQ1"), frame);
    numQ2_ = ResultField(QStringLiteral("numQ2"), frame);
    numH1_ = ResultField(QStringLiteral("numH1"), frame);
    numHWL_ = ResultField(QStringLiteral("numHWL"), frame);
    for (QLineEdit *field : {numQ1_, numQ2_, numH1_}) field->setText(msg::FormatResult(0));
    numHWL_->setText(msg::FormatLevel(0));
    const std::pair<QString, QLineEdit *> rows[] = {
        {QStringLiteral("設計洪水流量Ｑ1(m3/s)"), numQ1_},
        {QStringLiteral("最大放流量Ｑ2(m3/s)"), numQ2_},
        {QStringLiteral("最大水位ｈ1(m)"), numH1_},
        {QStringLiteral("設計洪水位ＨＷＬ(m)"), numHWL_},
    };
    int row = 0;
    for (const auto &[caption, field] : rows) {
        fields->addWidget(new QLabel(caption, frame), row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }

    auto *layout = new QVBoxLayout(this);
    lblStale_ = StaleResultsLabel(this);
    layout->addWidget(lblStale_);
    layout->addWidget(frame);
    const int glyph = fontMetrics().horizontalAdvance(QStringLiteral("あ"));
    const int lineWidth = std::max(frame->sizeHint().width(), kCheckLineChars * glyph);
    AddFailureLine(layout, lineWidth);
    AddCheckLines(layout, lineWidth);
    for (int i = 0; i < 5; ++i) {
        cmdMenu_[i] = new QPushButton(QString::fromUtf8(kCommands[i].caption), this);
        cmdMenu_[i]->setObjectName(QStringLiteral("cmdMenu%1").arg(i));
        cmdMenu_[i]->setProperty(kTag, QString::fromLatin1(kCommands[i].tag));
        cmdMenu_[i]->setAutoDefault(false);
        connect(cmdMenu_[i], &QPushButton::clicked, this, [this, i] {
            RunCommand(cmdMenu_[i]->property(kTag).toString());
        });
        layout->addWidget(cmdMenu_[i]);
    }
    // A failed run has no report: what it left may mix with nothing of
    // this input, but it is not the design flood water level of it either.
    cmdMenu_[2]->setEnabled(run_.Ok);  // a failed run never prints
    // Ctrl+P opens the print menu, as printing does in any desktop program;
    // the tooltip names the key, the caption stays as it is.
    cmdMenu_[2]->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    cmdMenu_[2]->setToolTip(cmdMenu_[2]->text() + QStringLiteral(" (Ctrl+P)"));
    cmdMenu_[3]->setEnabled(run_.Ok);
    cmdMenu_[4]->setEnabled(run_.Ok);
    cmdExit_ = new QPushButton(QStringLiteral("  前ﾒﾆｭｰ画面に戻る"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setAutoDefault(false);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);
    layout->addSpacing(cmdExit_->sizeHint().height() / 2);
    layout->addWidget(cmdExit_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmMenuRO::~frmMenuRO() = default;

void frmMenuRO::AddFailureLine(QLayout *layout, int width) {
    lblFailure_ = new QLabel(this);
    lblFailure_->setObjectName(QStringLiteral("lblFailure"));
    QPalette pal = lblFailure_->palette();
    pal.setColor(QPalette::WindowText, kWarningColour);
    lblFailure_->setPalette(pal);
    lblFailure_->setText(msg::CalcFailureText(results_));
    FixWrappedSize(lblFailure_, width);
    lblFailure_->setVisible(!run_.Ok);
    layout->addWidget(lblFailure_);
}

void frmMenuRO::AddCheckLines(QLayout *layout, int width) {
    lblInflow_ = new QLabel(this);
    lblInflow_->setObjectName(QStringLiteral("lblInflow"));
    lblReferenceLevel_ = new QLabel(this);
    lblReferenceLevel_->setObjectName(QStringLiteral("lblReferenceLevel"));
    lblReference_ = new QLabel(this);
    lblReference_->setObjectName(QStringLiteral("lblReference"));
    lblBalance_ = new QLabel(this);
    lblBalance_->setObjectName(QStringLiteral("lblBalance"));
    fraWarning_ = new QWidget(this);
    fraWarning_->setObjectName(QStringLiteral("fraWarning"));
    auto *row = new QHBoxLayout(fraWarning_);
    row->setContentsMargins(0, 0, 0, 0);
    auto *icon = new QLabel(fraWarning_);
    icon->setObjectName(QStringLiteral("imgWarning"));
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    lblWarning_ = new QLabel(fraWarning_);
    lblWarning_->setObjectName(QStringLiteral("lblWarning"));
    QPalette pal = lblWarning_->palette();
    pal.setColor(QPalette::WindowText, kWarningColour);
    lblWarning_->setPalette(pal);
    row->addWidget(icon);
    row->addWidget(lblWarning_);
    layout->addWidget(lblInflow_);
    layout->addWidget(lblReferenceLevel_);
    layout->addWidget(lblReference_);
    layout->addWidget(lblBalance_);
    layout->addWidget(fraWarning_);

    const QString warning = check_ ? msg::AccuracyWarningText(*check_, results_.objQo.get()) : QString();
    if (check_) {
        lblReference_->setText(
            BreakBetweenPhrases(msg::ReferenceText(*check_), lblReference_->fontMetrics(), width));
        lblBalance_->setText(msg::BalanceText(*check_));
        // The inflow line, with the safe-side information when Q1 lies well
        // above its value at the guideline's step.
        QStringList inflow = {msg::InflowText(*check_), msg::InflowAboveText(*check_)};
        inflow.removeAll(QString());
        for (QString &line : inflow) line = BreakBetweenPhrases(line, lblInflow_->fontMetrics(), width);
        lblInflow_->setText(inflow.join(QLatin1Char('\n')));
        lblReferenceLevel_->setText(
            BreakBetweenPhrases(msg::ReferenceLevelText(*check_), lblReferenceLevel_->fontMetrics(), width));
    }
    lblWarning_->setText(warning);
    lblReference_->setMinimumWidth(width);
    FixWrappedSize(lblBalance_, width);
    FixWrappedSize(lblWarning_, width - iconSize - row->spacing());
    lblReference_->setVisible(check_ != nullptr);
    lblInflow_->setVisible(check_ != nullptr && !lblInflow_->text().isEmpty());
    lblReferenceLevel_->setVisible(check_ != nullptr && !lblReferenceLevel_->text().isEmpty());
    lblBalance_->setVisible(check_ != nullptr);
    fraWarning_->setVisible(!warning.isEmpty());
}

void frmMenuRO::SetStaleQuery(RunStaleQuery stale) {
    stale_ = std::move(stale);
    RefreshStale();
}

void frmMenuRO::RefreshStale() { lblStale_->setVisible(IsStale()); }

void frmMenuRO::OnLoad() {
    RefreshStale();
    // A value shows only when the step that makes it completed; the step
    // that failed and those after it leave their fields blank.
    auto completed = [this](CalcStep step) {
        return run_.Ok || (results_.FailedStep != CalcStep::None && step < results_.FailedStep);
    };
    numQ1_->setText(completed(CalcStep::Qi) && results_.objQi ? msg::FormatResult(results_.objQi->Q1())
                                                              : QString());
    const bool routed = completed(CalcStep::Qo) && results_.objQo;
    numQ2_->setText(routed ? msg::FormatResult(results_.objQo->Q2()) : QString());
    numH1_->setText(routed ? msg::FormatResult(results_.objQo->Hmax()) : QString());
    numHWL_->setText(run_.Ok ? msg::FormatLevel(results_.DesignFloodLevel) : QString());
}

std::unique_ptr<frmResOut> frmMenuRO::CreateTable(const QString &tag) {
    const bool inflow = tag == kResOutQi;
    if (!inflow && tag != kResOutQo) return nullptr;
    ResultTableConfig config = inflow ? ResOutQiConfig() : ResOutQoConfig();
    config.SourceFile = sourceFile_;
    config.Stale = IsStale();
    auto table = std::make_unique<frmResOut>(std::move(config), this);
    // The results menu passes no caption and no help file.
    table->UsrCaption = QString();
    table->UsrHelpFile = QString();
    table->UsrHelpContextID = 0;
    frmResOut *raw = table.get();
    connect(raw, &frmResOut::LoadData, this, [this, raw, inflow] {
        if (inflow)
            FillInflowTable(raw->Grid(), results_.objQi.get());
        else
            FillRoutingTable(raw->Grid(), results_.objQo.get());
    });
    connect(raw, &frmResOut::GraphRequested, this, [this, raw, tag] {
        auto graph = CreateGraph(tag, raw);
        graph->exec();
    });
    return table;
}

std::unique_ptr<frmGraph> frmMenuRO::CreateGraph(const QString &tag, QWidget *parent) {
    GraphData data = tag == kResOutQi ? GraphQiData(results_.objQi.get())
                                      : GraphQoData(results_.objQo.get(), check_);
    data.SourceFile = sourceFile_;
    data.Stale = IsStale();
    return std::make_unique<frmGraph>(std::move(data), parent);
}

bool frmMenuRO::RunCommand(const QString &tag) {
    const Command *command = FindCommand(tag);
    if (!command) return false;
    setEnabled(false);
    (this->*command->run)(tag);
    setEnabled(true);
    // The sizing window may have taken a width into the project.
    RefreshStale();
    return true;
}

void frmMenuRO::ShowTable(const QString &tag) {
    auto table = CreateTable(tag);
    frmResOut *&held = tag == kResOutQi ? objResOutQi_ : objResOutQo_;
    held = table.get();
    table->exec();
    held = nullptr;
}

void frmMenuRO::ShowPrintMenu(const QString &) {
    // Also reached by tag from outside the button: a failed run never prints.
    if (!run_.Ok) return;
    if (openPrintMenu_)
        openPrintMenu_(this);
    else
        MessageBoxes().Show(this, msg::NotAvailableText(), msg::MenuPrintTitle(), MsgIcon::Information,
                            MsgButtons::Ok);
}

void frmMenuRO::ShowSolveWidth(const QString &) {
    // The search recalculates the run's own input: only a run that succeeded
    // has one worth sizing.
    if (!run_.Ok) return;
    if (openSolveWidth_)
        openSolveWidth_(this);
    else
        MessageBoxes().Show(this, msg::NotAvailableText(), msg::SolveWidthTitle(), MsgIcon::Information,
                            MsgButtons::Ok);
}

void frmMenuRO::ShowFloodStudy(const QString &) {
    // The study recalculates the run's own input; it never changes the
    // project, so it needs no owner beyond this window.
    if (!run_.Ok) return;
    frmFloodStudy study(run_, this);
    study.SetStale(IsStale());
    study.exec();
}

}  // namespace wyndlor
