#include "results/ResultGridView.h"

#include "core/Messages.h"
#include "core/SystemHelpers.h"
#include "widgets/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace wyndlor {

namespace {
// A grid column is ten characters wide, as in the first version.
constexpr int kColumnChars = 10;
}  // namespace

ResultGridView::ResultGridView(ResultTableModel *model, QString caption, QString sourceFile, QWidget *parent)
    : QTableView(parent), model_(model), caption_(std::move(caption)), sourceFile_(std::move(sourceFile)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    // Fixed row heights keep a thousand-row table instant to scroll.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < model_->ColumnCount(); ++c) {
        const int heading =
            horizontalHeader()->fontMetrics().horizontalAdvance(model_->Column(c + 1).Heading) + 16;
        setColumnWidth(c, std::max(charWidth * kColumnChars + 8, heading));
    }
    // The info-background colour fills the grid outside the cells.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    setPalette(pal);

    auto *copy = new QAction(QStringLiteral("コピー(&C)"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ResultGridView::CopySelection);
    auto *csv = new QAction(QStringLiteral("CSV保存..."), this);
    connect(csv, &QAction::triggered, this, &ResultGridView::SaveCsv);
    addAction(copy);
    addAction(csv);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ResultGridView::keyPressEvent(QKeyEvent *event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultGridView::CopySelection() {
    const QString text = SelectionToTsv(*model_, selectionModel()->selectedIndexes());
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ResultGridView::SaveCsv() {
    const QString suggested = SuggestedOutputPath(sourceFile_, caption_, QStringLiteral("csv"));
    QString path = QFileDialog::getSaveFileName(this, msg::CsvSaveTitle(), suggested,
                                                QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    // A name typed without an extension is still a CSV file.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    QString error;
    if (!SaveTableCsv(*model_, path, &error))
        MessageBoxes().Show(this, msg::CsvSaveFailedText() + path + QStringLiteral("\n") + error, msg::CsvSaveTitle(),
                            MsgIcon::Critical, MsgButtons::Ok);
}

}  // namespace wyndlor
