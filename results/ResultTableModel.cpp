#include "results/ResultTableModel.h"

#include "core/Messages.h"
#include "core/PictureNumber.h"
#include "core/SystemHelpers.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include <algorithm>
#include <set>

namespace wyndlor {

QString FormatCell(const ResultColumn &column, const QVariant &value) {
    if (!value.isValid() || value.isNull()) return QString();
    switch (column.Kind) {
    case CellKind::Integer:
    case CellKind::Number: {
        bool ok = false;
        double v = value.toDouble(&ok);
        if (!ok) return value.toString();
        const int decimals = column.Kind == CellKind::Integer ? 0 : column.Decimals;
        // "0" or "0.000": every decimal shown, and a value that rounds to
        // zero reads "0.000", never "-0.000".
        std::string picture = "0";
        if (decimals > 0) picture += "." + std::string(static_cast<size_t>(decimals), '0');
        return QString::fromStdString(FormatPicture(v, picture));
    }
    case CellKind::Text:
        break;
    }
    return value.toString();
}

ResultTableModel::ResultTableModel(QVector<ResultColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {
    SetRowCount(kInitialRows);
}

size_t ResultTableModel::Offset(int row, int col) const {
    return static_cast<size_t>(row - 1) * static_cast<size_t>(ColumnCount()) +
           static_cast<size_t>(col - 1);
}

void ResultTableModel::SetRowCount(int rows) {
    beginResetModel();
    rows_ = std::max(0, rows);
    cells_.assign(static_cast<size_t>(rows_) * static_cast<size_t>(ColumnCount()), QVariant());
    endResetModel();
}

void ResultTableModel::SetCell(int row, int col, const QVariant &value) {
    if (row < 1 || row > rows_ || col < 1 || col > ColumnCount()) return;
    cells_[Offset(row, col)] = value;
    QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

QVariant ResultTableModel::Cell(int row, int col) const {
    if (row < 1 || row > rows_ || col < 1 || col > ColumnCount()) return QVariant();
    return cells_[Offset(row, col)];
}

QString ResultTableModel::CellText(int row, int col) const {
    if (col < 1 || col > ColumnCount()) return QString();
    return FormatCell(Column(col), Cell(row, col));
}

int ResultTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ResultTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant ResultTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return QVariant();
    int row = index.row() + 1, col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, col);
    case Qt::TextAlignmentRole:
        return Column(col).Kind == CellKind::Text
                   ? QVariant(Qt::AlignCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // The view's own base is the info colour of the area outside the
        // cells; the cells keep the ordinary base colour.
        return QBrush(QApplication::palette().color(QPalette::Base));
    default:
        return QVariant();
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < ColumnCount() ? columns_[section].Heading : QVariant();
    return section + 1;
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString SelectionToTsv(const ResultTableModel &model, const QModelIndexList &selected) {
    std::set<int> rows, cols;
    std::set<std::pair<int, int>> cells;
    for (const QModelIndex &i : selected) {
        if (!i.isValid()) continue;
        rows.insert(i.row() + 1);
        cols.insert(i.column() + 1);
        cells.insert({i.row() + 1, i.column() + 1});
    }
    if (cells.empty()) return QString();

    const QString eol = QStringLiteral("\r\n");
    QStringList line;
    for (int c : cols) line << model.Column(c).Heading;
    QString text = line.join(QLatin1Char('\t')) + eol;
    for (int r : rows) {
        line.clear();
        for (int c : cols) line << (cells.count({r, c}) ? model.CellText(r, c) : QString());
        text += line.join(QLatin1Char('\t')) + eol;
    }
    return text;
}

static QString CsvField(const QString &s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) &&
        !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r')))
        return s;
    QString quoted = s;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString TableToCsv(const ResultTableModel &model) {
    const QString eol = QStringLiteral("\r\n");
    QStringList line;
    for (int c = 1; c <= model.ColumnCount(); ++c) line << CsvField(model.Column(c).Heading);
    QString text = line.join(QLatin1Char(',')) + eol;
    for (int r = 1; r <= model.RowCount(); ++r) {
        line.clear();
        for (int c = 1; c <= model.ColumnCount(); ++c) line << CsvField(model.CellText(r, c));
        text += line.join(QLatin1Char(',')) + eol;
    }
    return text;
}

bool SaveTableCsv(const ResultTableModel &model, const QString &path, QString *error) {
    // UTF-8 with a byte-order mark, written whole through a temporary file.
    const int32_t code = WriteFileReplacing(path, QByteArray("\xEF\xBB\xBF") + TableToCsv(model).toUtf8());
    if (code != 0 && error) *error = msg::ErrorCodeSuffix(code);
    return code == 0;
}

}  // namespace wyndlor
