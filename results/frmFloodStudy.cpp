#include "results/frmFloodStudy.h"

#include "widgets/HelpWindow.h"
#include "widgets/MessageBoxes.h"

#include "calc/SlotValue.h"
#include "core/Messages.h"
#include "results/ResultGridView.h"
#include "results/frmGraph.h"
#include "results/frmMenuRO.h"
#include "widgets/NumberField.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace wyndlor {

namespace {

const QString kSection = QStringLiteral("FloodStudy");
const char *const kDrawdownDisplay = "##0.000";
// A curve colour per factor, in list order (then again from the first).
const QColor kFactorColours[] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 128, 0), QColor(128, 0, 160),
                                 QColor(200, 120, 0)};
const QColor kCrestColour(90, 90, 90);
constexpr int kNoteColumn = 12;
// Rows of the table's design height.
constexpr int kDesignRows = 12;

// The case table, with a warned case's row in the warning colour and the
// note column left-aligned.
class StudyTableModel : public ResultTableModel {
public:
    using ResultTableModel::ResultTableModel;
    std::vector<bool> warned;

    QVariant data(const QModelIndex &index, int role) const override {
        if (index.isValid() && role == Qt::ForegroundRole && static_cast<size_t>(index.row()) < warned.size() &&
            warned[static_cast<size_t>(index.row())])
            return kWarningColour;
        if (index.isValid() && role == Qt::TextAlignmentRole && index.column() + 1 == kNoteColumn)
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return ResultTableModel::data(index, role);
    }
};

QVector<ResultColumn> StudyColumns() {
    return {
        {QStringLiteral("降雨倍率"), CellKind::Text, 0},
        {QStringLiteral("水位低下量(m)"), CellKind::Number, 3},
        {QStringLiteral("開始水位(m)"), CellKind::Number, 3},
        {QStringLiteral("空き容量(m3)"), CellKind::Integer, 0},
        {QStringLiteral("Ｑ1(m3/s)"), CellKind::Number, 3},
        {QStringLiteral("Ｑ2(m3/s)"), CellKind::Number, 3},
        {QStringLiteral("低減量(m3/s)"), CellKind::Number, 3},
        {QStringLiteral("低減率(%)"), CellKind::Number, 1},
        {QStringLiteral("ｈ1(m)"), CellKind::Number, 3},
        {QStringLiteral("ＨＷＬ(m)"), CellKind::Number, 3},
        {QStringLiteral("越流"), CellKind::Text, 0},
        {QStringLiteral("精度確認・備考"), CellKind::Text, 0},
    };
}

void FillStudyTable(StudyTableModel &grid, const FloodStudy &s) {
    grid.SetRowCount(static_cast<int>(s.cases.size()));
    grid.warned.assign(s.cases.size(), false);
    for (int r = 1; r <= grid.RowCount(); ++r) {
        const StudyCase &c = s.cases[static_cast<size_t>(r - 1)];
        grid.SetCell(r, 1, msg::FormatFactor(c.factor));
        grid.SetCell(r, 2, c.drawdown);
        grid.SetCell(r, 3, c.startLevel);
        const QString note = msg::StudyCaseNote(c, s);
        if (!note.isEmpty()) {
            grid.SetCell(r, kNoteColumn, note);
            continue;
        }
        grid.SetCell(r, 4, c.emptyVolume);
        grid.SetCell(r, 5, c.Q1);
        grid.SetCell(r, 6, c.Q2);
        grid.SetCell(r, 7, c.reduction);
        grid.SetCell(r, 8, c.reductionPercent);
        grid.SetCell(r, 9, c.Hmax);
        grid.SetCell(r, 10, c.HWL);
        grid.SetCell(r, 11, c.spills ? QStringLiteral("あり") : QStringLiteral("なし"));
        grid.SetCell(r, kNoteColumn, c.warning ? QStringLiteral("警告：") + msg::StudyReasonsText(c.reasons)
                                               : QStringLiteral("問題なし"));
        grid.warned[static_cast<size_t>(r - 1)] = c.warning;
    }
}

QLabel *WrappedLabel(const QString &name, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

bool ParseFactorText(const QString &text, std::vector<double> &factors) {
    factors.clear();
    static const QRegularExpression separators(QStringLiteral("[,，、\\s]+"));
    for (const QString &part : text.split(separators, Qt::SkipEmptyParts)) {
        double f = 0;
        if (ParsePlainNumber(part.toStdString(), f) != 0) return false;
        factors.push_back(f);
    }
    return !factors.empty();
}

GraphData StudyGraphData(const FloodStudy &s, const QString &sourceFile) {
    GraphData d;
    d.FormName = QStringLiteral("frmGraphStudy");
    d.Caption = d.Header = msg::FloodStudyTitle();
    d.Section = QStringLiteral("GraphStudy");
    d.XTitle = QStringLiteral("水位低下量ｄ(m)");
    d.YTitle = QStringLiteral("最大放流量Ｑ2(m3/s)");
    d.Y2Title = QStringLiteral("設計洪水位ＨＷＬ(m)");
    d.XLabelFormat = QStringLiteral("%.2f");
    d.SourceFile = sourceFile;
    d.Y2Base = s.fwl;
    double depth = 0, dEnd = 0;
    for (size_t fi = 0; fi < s.noSpill.size(); ++fi) {
        const double f = s.noSpill[fi].factor;
        const QColor colour = kFactorColours[fi % std::size(kFactorColours)];
        GraphSeries q2, hwl;
        q2.Label = QStringLiteral("Ｑ2 %1倍").arg(msg::FormatFactor(f));
        hwl.Label = QStringLiteral("ＨＷＬ %1倍").arg(msg::FormatFactor(f));
        q2.Colour = hwl.Colour = colour;
        q2.Marker = MarkerShape::Circle;
        hwl.Marker = MarkerShape::Square;
        hwl.Line = Qt::DashLine;
        hwl.RightAxis = true;
        for (const StudyCase &c : s.cases) {
            dEnd = std::max(dEnd, c.drawdown);
            if (c.factor != f || !c.ok) continue;
            q2.Points.append(QPointF(c.drawdown, c.Q2));
            hwl.Points.append(QPointF(c.drawdown, c.HWL));
            depth = std::max(depth, c.HWL - s.fwl);
        }
        d.Series << q2 << hwl;
    }
    GraphSeries crest;
    crest.Label = QStringLiteral("天端 %1 m").arg(msg::FormatLevel(s.fwl));
    crest.Colour = kCrestColour;
    crest.Line = Qt::DotLine;
    crest.LineWidth = 2;
    crest.RightAxis = true;
    crest.Points = {QPointF(0, s.fwl), QPointF(dEnd, s.fwl)};
    d.Series << crest;
    d.Y2Max = WaterLevelAxisMax(depth);
    return d;
}

frmFloodStudy::frmFloodStudy(const CalcRun &run, QWidget *parent)
    : WindowBase(kSection, Keeps::PlaceAndSize, PlaceRule::CentreNonPositiveOrBeyond, parent), run_(run) {
    setObjectName(QStringLiteral("frmFloodStudy"));
    setWindowTitle(msg::FloodStudyTitle());
    setSizeGripEnabled(true);

    auto *input = new QGroupBox(QStringLiteral("試算条件"), this);
    auto *rows = new QGridLayout(input);
    numMax_ = new NumberField(0, kMaxStudyDrawdown, kDrawdownDisplay, kDrawdownDisplay, input);
    numMax_->setObjectName(QStringLiteral("numMaxDrawdown"));
    numMax_->SetValue(kDefaultMaxDrawdown);
    numStep_ = new NumberField(kDrawdownUnit, kMaxStudyDrawdown, kDrawdownDisplay, kDrawdownDisplay, input);
    numStep_->setObjectName(QStringLiteral("numStep"));
    numStep_->SetValue(kDefaultDrawdownStep);
    txtFactors_ = new QLineEdit(input);
    txtFactors_->setObjectName(QStringLiteral("txtFactors"));
    QStringList factors;
    for (double f : DefaultRainFactors()) factors << msg::FormatFactor(f);
    txtFactors_->setText(factors.join(QStringLiteral(", ")));
    cmdStudy_ = new QPushButton(QStringLiteral("試算(&S)"), input);
    cmdStudy_->setObjectName(QStringLiteral("cmdStudy"));
    cmdStudy_->setDefault(true);
    connect(cmdStudy_, &QPushButton::clicked, this, &frmFloodStudy::RunStudy);
    rows->addWidget(new QLabel(QStringLiteral("最大水位低下量（m）"), input), 0, 0);
    rows->addWidget(numMax_, 0, 1);
    rows->addWidget(new QLabel(QStringLiteral("刻み（m）"), input), 0, 2);
    rows->addWidget(numStep_, 0, 3);
    rows->addWidget(new QLabel(QStringLiteral("降雨倍率（定数ａに乗じる，カンマ区切り）"), input), 1, 0, 1, 2);
    rows->addWidget(txtFactors_, 1, 2, 1, 2);
    rows->addWidget(cmdStudy_, 0, 4, 2, 1);
    rows->setColumnStretch(5, 1);

    lblMessage_ = WrappedLabel(QStringLiteral("lblMessage"), this);
    QPalette pal = lblMessage_->palette();
    pal.setColor(QPalette::WindowText, kWarningColour);
    lblMessage_->setPalette(pal);
    lblStorage_ = WrappedLabel(QStringLiteral("lblStorage"), this);
    lblNoSpill_ = WrappedLabel(QStringLiteral("lblNoSpill"), this);

    model_ = new StudyTableModel(StudyColumns(), this);
    model_->SetRowCount(0);
    view_ = new ResultGridView(model_, msg::FloodStudyTitle(), run.SourceFile, this);
    view_->setObjectName(QStringLiteral("grdCases"));
    noteWidth_ = view_->columnWidth(kNoteColumn - 1) * 3;
    view_->setColumnWidth(kNoteColumn - 1, noteWidth_);

    cmdGraph_ = new QPushButton(QStringLiteral("ｸﾞﾗﾌ表示"), this);
    cmdGraph_->setObjectName(QStringLiteral("cmdGraph"));
    cmdCsv_ = new QPushButton(QStringLiteral("CSV保存..."), this);
    cmdCsv_->setObjectName(QStringLiteral("cmdCsv"));
    cmdClose_ = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    auto *cmdHelp = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, help::kFloodStudy); });
    for (QPushButton *b : {cmdGraph_, cmdCsv_, cmdHelp, cmdClose_}) b->setAutoDefault(false);
    connect(cmdGraph_, &QPushButton::clicked, this, [this] { CreateGraph(this)->exec(); });
    connect(cmdCsv_, &QPushButton::clicked, view_, &ResultGridView::SaveCsv);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

    // The study recalculates the run's input: while the project has changed
    // since the run, it is the study of the input before the change.
    lblStale_ = StaleResultsLabel(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblStale_);
    layout->addWidget(input);
    layout->addWidget(lblMessage_);
    layout->addWidget(lblStorage_);
    layout->addWidget(view_, 1);
    layout->addWidget(lblNoSpill_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdGraph_);
    buttons->addWidget(cmdCsv_);
    buttons->addStretch();
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdClose_);
    layout->addLayout(buttons);

    int width = view_->verticalHeader()->sizeHint().width() + 2 * view_->frameWidth() + 24;
    for (int c = 0; c < model_->ColumnCount(); ++c) width += view_->columnWidth(c);
    resize(width + 2 * layout->contentsMargins().left(),
           sizeHint().height() + kDesignRows * view_->verticalHeader()->defaultSectionSize());
    ShowStudy();
}

frmFloodStudy::~frmFloodStudy() = default;

ResultTableModel &frmFloodStudy::Grid() const { return *model_; }

void frmFloodStudy::OnLoad() {
    // The defaults are studied at once, so that the window opens with an
    // answer.
    RunStudy();
}

void frmFloodStudy::ShowMessage(const QString &text) {
    lblMessage_->setText(text);
    lblMessage_->setVisible(!text.isEmpty());
}

bool frmFloodStudy::RunStudy() {
    if (!numMax_->Validate() || !numStep_->Validate()) return false;
    std::vector<double> factors;
    StudyListError error = CheckDrawdownRange(numMax_->Value(), numStep_->Value());
    if (error == StudyListError::None && !ParseFactorText(txtFactors_->text(), factors))
        error = StudyListError::BadFactor;
    const std::vector<double> drawdowns = DrawdownList(numMax_->Value(), numStep_->Value());
    if (error == StudyListError::None) error = CheckStudyLists(drawdowns, factors);
    if (error != StudyListError::None) {
        ShowMessage(msg::StudyListErrorText(error));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    study_ = RunFloodStudy(run_.Data, drawdowns, factors);
    QApplication::restoreOverrideCursor();
    ShowStudy();
    return true;
}

void frmFloodStudy::ShowStudy() {
    const FloodStudy &s = study_;
    const bool made = s.ok || s.listError != StudyListError::None || s.calculations > 0;
    ShowMessage(made ? msg::StudyFailureText(s) : QString());
    QStringList storage;
    if (s.ok) storage << msg::StorageBelowFWLText(s.storage);
    if (!msg::StudyStartNote(s).isEmpty()) storage << msg::StudyStartNote(s);
    lblStorage_->setText(storage.join(QLatin1Char('\n')));
    QStringList noSpill;
    for (const NoSpillDrawdown &n : s.noSpill) noSpill << msg::NoSpillText(n, s);
    lblNoSpill_->setText(noSpill.join(QLatin1Char('\n')));
    FillStudyTable(static_cast<StudyTableModel &>(*model_), s);
    // The notes take the width they need, never less than the design width.
    view_->resizeColumnToContents(kNoteColumn - 1);
    view_->setColumnWidth(kNoteColumn - 1, std::max(noteWidth_, view_->columnWidth(kNoteColumn - 1)));
    cmdGraph_->setEnabled(s.ok);
    cmdCsv_->setEnabled(s.ok);
}

std::unique_ptr<frmGraph> frmFloodStudy::CreateGraph(QWidget *parent) {
    GraphData data = StudyGraphData(study_, run_.SourceFile);
    data.Stale = stale_;
    return std::make_unique<frmGraph>(std::move(data), parent);
}

void frmFloodStudy::SetStale(bool stale) {
    stale_ = stale;
    lblStale_->setVisible(stale);
}

}  // namespace wyndlor
