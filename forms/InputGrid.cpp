#include "forms/InputGrid.h"

#include "core/Messages.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PictureFormat.h"
#include "forms/TextGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cmath>

namespace wyndlor {

namespace {

// Characters a numeric cell of the column may hold while typing: a minus
// sign (also where the range has no negatives, so that "-5" is refused
// with the range message rather than taken as 5), the integer digits the
// range needs and the column's decimals.
QString NumericPattern(const GridColumn &c) {
    const double big = std::max(std::fabs(c.min), std::fabs(c.max));
    const int digits = big < 1 ? 1 : static_cast<int>(std::floor(std::log10(big))) + 1;
    QString p = QString("-?\\d{0,%1}").arg(digits);
    if (c.decimals > 0) p += QString("(\\.\\d{0,%1})?").arg(c.decimals);
    return p;
}

}  // namespace

InputGrid::InputGrid(int rows, std::vector<GridColumn> columns, QWidget *parent)
    : QTableWidget(rows, static_cast<int>(columns.size()), parent), columns_(std::move(columns)) {
    QStringList headings;
    for (const GridColumn &c : columns_) headings << c.heading;
    setHorizontalHeaderLabels(headings);
    const int charWidth = fontMetrics().horizontalAdvance(QChar(0x3042)) / 2 + 1;
    for (int c = 0; c < columnCount(); ++c) {
        const int heading = fontMetrics().horizontalAdvance(columns_[c].heading) + 16;
        setColumnWidth(c, std::max(columns_[c].widthChars * charWidth, heading));
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto *it = new QTableWidgetItem;
            it->setTextAlignment(columns_[c].numeric ? (Qt::AlignRight | Qt::AlignVCenter)
                                                     : (Qt::AlignLeft | Qt::AlignVCenter));
            setItem(r, c, it);
        }
    ClearAll();
    setItemDelegate(new GridCellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Show every row and column without scrolling.
    int w = verticalHeader()->sizeHint().width() + 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c) w += columnWidth(c);
    int h = horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    for (int r = 0; r < rows; ++r) h += rowHeight(r);
    setFixedSize(w, h);
    setTabKeyNavigation(false);  // Tab leaves the grid, as on the rest of the form
}

namespace {
// The exact value of a loaded number, and the text it was shown as.
constexpr int kExactValueRole = Qt::UserRole;
constexpr int kShownTextRole = Qt::UserRole + 1;
}  // namespace

QString InputGrid::CellText(int row, int col) const {
    const QTableWidgetItem *it = item(row, col);
    return it ? it->text() : QString();
}

void InputGrid::SetCellText(int row, int col, const QString &text) {
    QTableWidgetItem *it = item(row, col);
    if (!it) return;
    it->setText(text);
    it->setData(kExactValueRole, QVariant());
}

void InputGrid::SetCellNumber(int row, int col, double value) {
    QTableWidgetItem *it = item(row, col);
    if (!it) return;
    const QString shown = QString::number(value, 'f', std::max(0, Column(col).decimals));
    it->setText(shown);
    it->setData(kExactValueRole, value);
    it->setData(kShownTextRole, shown);
}

bool InputGrid::CellNumber(int row, int col, double &value) const {
    const QTableWidgetItem *it = item(row, col);
    if (!it) return false;
    const QVariant exact = it->data(kExactValueRole);
    if (exact.isValid() && it->text() == it->data(kShownTextRole).toString()) {
        value = exact.toDouble();
        return true;
    }
    return ParseNumberText(it->text().trimmed(), value);
}

bool InputGrid::AcceptsText(int col, const QString &text) const {
    const GridColumn &c = Column(col);
    if (text.isEmpty()) return true;
    if (!c.numeric) return text.size() <= c.maxLength && IsStorableText(text);
    QRegularExpression re("^" + NumericPattern(c) + "$");
    if (!re.match(text).hasMatch()) return false;
    double v = 0;
    if (!ParseNumberText(text, v)) return false;
    return v >= c.min && v <= c.max;
}

void InputGrid::ClearAll() {
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) SetCellText(r, c, QString());
}

void InputGrid::ClearSelectedCells() {
    const QList<QTableWidgetItem *> items = selectedItems();
    if (items.isEmpty()) {
        if (QTableWidgetItem *it = currentItem()) it->setText(QString());
        return;
    }
    for (QTableWidgetItem *it : items) it->setText(QString());
}

int InputGrid::PasteText(const QString &text) {
    const int row0 = std::max(currentRow(), 0);
    const int col0 = std::max(currentColumn(), 0);
    QStringList lines = text.split('\n');
    // A copied block ends with a line end; that is no row of its own.
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    int taken = 0;
    bool refused = false;
    for (int i = 0; i < lines.size() && row0 + i < rowCount(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        const QStringList cells = line.split('\t');
        for (int j = 0; j < cells.size() && col0 + j < columnCount(); ++j) {
            QString cell = cells[j].trimmed();
            if (!Column(col0 + j).numeric) cell = ToStorableForms(cell);
            if (AcceptsText(col0 + j, cell)) {
                SetCellText(row0 + i, col0 + j, cell);
                ++taken;
            } else {
                refused = true;
            }
        }
    }
    if (refused) MessageBoxes().Beep();
    return taken;
}

bool InputGrid::RowFilled(int row, const std::vector<int> &cols) const {
    for (int c : cols)
        if (CellText(row, c).trimmed().isEmpty()) return false;
    return true;
}

void InputGrid::keyPressEvent(QKeyEvent *e) {
    if (state() != QAbstractItemView::EditingState) {
        if (e->key() == Qt::Key_Delete) {
            ClearSelectedCells();
            return;
        }
        if (e->matches(QKeySequence::Paste)) {
            PasteText(QApplication::clipboard()->text());
            return;
        }
    }
    QTableWidget::keyPressEvent(e);
}

void InputGrid::changeEvent(QEvent *e) {
    QTableWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) ApplyTextColour();
}

void InputGrid::ApplyTextColour() {
    // A disabled grid shows its cells in the grey-text colour, so that the
    // engineer sees at once that the table is not used.
    const QBrush brush = palette().brush(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                         QPalette::Text);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem *it = item(r, c)) it->setForeground(brush);
}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const {
    auto *editor = new QLineEdit(parent);
    const GridColumn &c = grid_->Column(index.column());
    if (c.numeric) {
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setValidator(
            new QRegularExpressionValidator(QRegularExpression(NumericPattern(c)), editor));
    } else {
        editor->setValidator(new StorableTextValidator(c.maxLength, editor));
    }
    return editor;
}

QString InputGrid::RangeText(int col) const {
    const GridColumn &c = Column(col);
    return msg::RangeText(QString::number(c.min, 'f', c.decimals), QString::number(c.max, 'f', c.decimals));
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const {
    const QString text = static_cast<QLineEdit *>(editor)->text().trimmed();
    if (!grid_->AcceptsText(index.column(), text)) {
        // Out of the column's range: the cell keeps what it held, with the
        // beep and the range message of a numeric field.  The message box
        // takes the focus, which commits the editor once more: one message.
        static bool showing = false;
        MessageBoxes().Beep();
        if (grid_->Column(index.column()).numeric && !showing) {
            showing = true;
            MessageBoxes().Show(grid_, grid_->RangeText(index.column()), QString(), MsgIcon::Information,
                                MsgButtons::Ok);
            showing = false;
        }
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

}  // namespace wyndlor
