#include "results/frmResOut.h"

#include "widgets/MessageBoxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>

namespace wyndlor {

namespace {

// Distances of the window's layout, in pixels at 96 DPI (15 twips each):
// the grid's margin to the window edge and to the legend (120 twips), the
// gap left of the button column (240 twips), and the total of margins
// around the grid across the window (360 twips).
constexpr int kGridMargin = 8;
constexpr int kButtonColumnGap = 16;
constexpr int kGridSideMargins = 24;
constexpr int kGridBottomGap = 16;
constexpr int kButtonSpacing = 6;
constexpr int kMinButtonWidth = 100;
// Design size of the grid: every column at its width and this many rows.
constexpr int kDesignRows = 20;

const QString kElapsed = QStringLiteral("；降雨開始からの経過時間(min)");

}  // namespace

ResultTableConfig ResOutQiConfig() {
    ResultTableConfig c;
    c.FormName = QStringLiteral("frmResOutQi");
    c.Caption = QStringLiteral("流入ハイドログラフ");
    c.Section = QStringLiteral("ResOutQi");
    c.GraphButtonName = QStringLiteral("cmdGraphQi");
    c.Columns = {
        {QStringLiteral("t(min)"), CellKind::Integer, 0},
        {QStringLiteral("r(mm/h)"), CellKind::Number, 3},
        {QStringLiteral("Q(m3/s)"), CellKind::Number, 4},
        {QStringLiteral("Qi(m3/s)"), CellKind::Number, 3},
    };
    c.Legend = {
        {QStringLiteral("ｔ"), kElapsed},
        {QStringLiteral("ｒ"), QStringLiteral("；降雨強度(mm/h)")},
        {QStringLiteral("Ｑ"), QStringLiteral("；合理式による流量(m3/s)")},
        {QStringLiteral("Ｑi"), QStringLiteral("；設計流入量(m3/s)")},
    };
    return c;
}

ResultTableConfig ResOutQoConfig() {
    ResultTableConfig c;
    c.FormName = QStringLiteral("frmResOutQo");
    c.Caption = QStringLiteral("洪水調節計算結果");
    c.Section = QStringLiteral("ResOutQo");
    c.GraphButtonName = QStringLiteral("cmdGraphQo");
    c.Columns = {
        {QStringLiteral("時刻(hh:mm)"), CellKind::Text, 0},
        {QStringLiteral("t(min)"), CellKind::Integer, 0},
        {QStringLiteral("Ｑi(m3/s)"), CellKind::Number, 3},
        {QStringLiteral("Ｑo(m3/s)"), CellKind::Number, 3},
        {QStringLiteral("Ｈ(m)"), CellKind::Number, 3},
        {QStringLiteral("Ｖ(m3)"), CellKind::Integer, 0},
        {QStringLiteral("備考"), CellKind::Text, 0},
    };
    c.Legend = {
        {QStringLiteral("ｔ"), kElapsed},
        {QStringLiteral("Ｑi"), QStringLiteral("；流入量(m3/s)")},
        {QStringLiteral("Ｑo"), QStringLiteral("；放流量(m3/s)")},
        {QStringLiteral("Ｈ"), QStringLiteral("；水位(m)  速度水頭を含む越流総水頭")},
        {QStringLiteral("Ｖ"), QStringLiteral("；貯留量(m3)")},
    };
    return c;
}

ResultTableGeometry LayOutResultTable(QSize client, int gridTop, int closeButtonWidth,
                                      int statusBarHeight, int legendHeight) {
    ResultTableGeometry g;
    const int column = closeButtonWidth + kButtonColumnGap;
    g.Grid.setWidth(std::max(0, client.width() - (column + kGridSideMargins)));
    g.Grid.setHeight(
        std::max(0, client.height() - kGridBottomGap - (statusBarHeight + legendHeight)));
    g.LegendTop = gridTop + g.Grid.height() + kGridMargin;
    g.ButtonLeft = client.width() - column;
    return g;
}

frmResOut::frmResOut(ResultTableConfig config, QWidget *parent)
    : WindowBase(config.Section, Keeps::PlaceAndSize, PlaceRule::CentreNonPositive, parent),
      config_(std::move(config)) {
    setObjectName(config_.FormName);
    setWindowTitle(config_.Caption);
    setSizeGripEnabled(false);  // the status bar carries the grip

    model_ = new ResultTableModel(config_.Columns, this);
    view_ = new ResultGridView(model_, config_.Caption, config_.SourceFile, this);
    view_->setObjectName(QStringLiteral("vaSpread1"));

    legend_ = new QGroupBox(QStringLiteral("記号説明"), this);
    legend_->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(legend_);
    for (int i = 0; i < config_.Legend.size(); ++i) {
        auto *symbol = new QLabel(config_.Legend[i].Symbol, legend_);
        auto *text = new QLabel(config_.Legend[i].Text, legend_);
        symbol->setObjectName(QStringLiteral("lblMemo%1").arg(2 * i));
        text->setObjectName(QStringLiteral("lblMemo%1").arg(2 * i + 1));
        grid->addWidget(symbol, i, 0);
        grid->addWidget(text, i, 1);
    }
    grid->setColumnStretch(1, 1);
    legend_->resize(legend_->sizeHint());

    cmdGraph_ = new QPushButton(QStringLiteral("ｸﾞﾗﾌ表示"), this);
    cmdGraph_->setObjectName(config_.GraphButtonName);
    cmdCsv_ = new QPushButton(QStringLiteral("CSV保存..."), this);
    cmdCsv_->setObjectName(QStringLiteral("cmdCsv"));
    cmdHelp_ = new QPushButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"), this);
    cmdHelp_->setObjectName(QStringLiteral("cmdHelp"));
    cmdClose_ = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdGraph_->setAutoDefault(false);
    cmdCsv_->setAutoDefault(false);
    cmdHelp_->setAutoDefault(false);

    int buttonWidth = kMinButtonWidth;
    for (QPushButton *b : {cmdGraph_, cmdCsv_, cmdHelp_, cmdClose_})
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    int top = kGridMargin;
    for (QPushButton *b : {cmdGraph_, cmdCsv_, cmdHelp_, cmdClose_}) {
        b->setGeometry(0, top, buttonWidth, b->sizeHint().height());
        top += b->sizeHint().height() + kButtonSpacing;
    }

    connect(cmdGraph_, &QPushButton::clicked, this, &frmResOut::GraphRequested);
    connect(cmdCsv_, &QPushButton::clicked, this, &frmResOut::SaveCsv);
    SetHelpButton(cmdHelp_);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setSizeGripEnabled(true);
    lblStale_ = StaleResultsLabel(status_);
    lblStale_->setVisible(config_.Stale);
    status_->addWidget(lblStale_);

    view_->move(kGridMargin, kGridMargin);
    resize(DesignSize());
    LayOut();
}

frmResOut::~frmResOut() = default;

QSize frmResOut::DesignSize() const {
    int gridWidth = view_->verticalHeader()->sizeHint().width() + 2 * view_->frameWidth() +
                    view_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_->ColumnCount(); ++c) gridWidth += view_->columnWidth(c);
    const int gridHeight = view_->horizontalHeader()->sizeHint().height() +
                           kDesignRows * view_->verticalHeader()->defaultSectionSize() +
                           2 * view_->frameWidth();
    const int width =
        gridWidth + cmdClose_->width() + kButtonColumnGap + kGridSideMargins;
    const int height = gridHeight + kGridBottomGap + status_->sizeHint().height() +
                       legend_->height();
    return QSize(width, height);
}

void frmResOut::LayOut() {
    const int statusHeight = status_->sizeHint().height();
    const ResultTableGeometry g = LayOutResultTable(size(), view_->y(), cmdClose_->width(),
                                                    statusHeight, legend_->height());
    view_->resize(g.Grid);
    legend_->move(kGridMargin, g.LegendTop);
    for (QPushButton *b : {cmdGraph_, cmdCsv_, cmdHelp_, cmdClose_}) b->move(g.ButtonLeft, b->y());
    status_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void frmResOut::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void frmResOut::CopySelection() { view_->CopySelection(); }

void frmResOut::SaveCsv() { view_->SaveCsv(); }

}  // namespace wyndlor
