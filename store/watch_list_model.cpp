#include "store/watch_list_model.h"

#include <QColor>
#include <algorithm>

namespace tavrin {

namespace {

QColor toQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

const std::array<QString, WatchListModel::columnTotal>& titles() {
    static const std::array<QString, WatchListModel::columnTotal> texts = {
        QStringLiteral("序"),       QStringLiteral("证券名称"), QStringLiteral("最新"),
        QStringLiteral("涨幅"),     QStringLiteral("买入成本"), QStringLiteral("买入数量"),
        QStringLiteral("持仓盈亏"), QStringLiteral("代码"),     QStringLiteral("预警价格"),
        QStringLiteral("预警内容"), QStringLiteral("总成交量"),
    };
    return texts;
}

} // namespace

QString WatchListModel::columnTitle(int column) {
    if (column < 0 || column >= columnTotal)
        return QString();
    return titles()[static_cast<std::size_t>(column)];
}

const std::array<int, WatchListModel::columnTotal>& WatchListModel::columnWidths() {
    static constexpr std::array<int, columnTotal> widths = {30, 60, 60, 60, 60, 60, 60, 60, 80, 80, 80};
    return widths;
}

QString WatchListModel::displayText(const QString& text) {
    if (text.size() <= displayedCharacters)
        return text;
    // Never half of a surrogate pair.
    const qsizetype end =
        text[displayedCharacters - 1].isHighSurrogate() ? displayedCharacters - 1 : displayedCharacters;
    return text.left(end);
}

WatchListModel::WatchListModel(QObject* parent) : QAbstractTableModel(parent) {}

int WatchListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int WatchListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnTotal;
}

QVariant WatchListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnTotal)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(
            m_rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignCenter);
    case Qt::ForegroundRole: {
        const auto entry = m_colours.lookup(index.row(), index.column());
        return toQColor(entry ? entry->text : CellColours::listText);
    }
    case Qt::BackgroundRole: {
        const auto entry = m_colours.lookup(index.row(), index.column());
        return toQColor(entry ? entry->background : CellColours::listBackground);
    }
    default:
        return QVariant();
    }
}

QVariant WatchListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnTotal)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return columnTitle(section);
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

void WatchListModel::fill(const std::vector<StockRecord>& records) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(records.size());
    for (const StockRecord& record : records) {
        auto& row = m_rows.emplace_back();
        row[Id] = record.id;
        row[Name] = record.mingcheng;
        row[Code] = record.daima;
        row[Cost] = record.cjjg;
        row[Quantity] = record.cjsl;
        row[AlertPrice] = record.yjjg;
        row[AlertKind] = record.yjnr;
    }
    endResetModel();
}

QString WatchListModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnTotal)
        return QString();
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void WatchListModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnTotal)
        return;
    QString& stored = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (stored == text)
        return;
    stored = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void WatchListModel::setCellColours(int row, int column, Rgb text, Rgb background) {
    if (m_colours.set(row, column, text, background))
        colourChanged(row, column);
}

void WatchListModel::beginColourBatch() {
    ++m_batchDepth;
}

void WatchListModel::endColourBatch() {
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    if (m_batchTouched) {
        m_batchTouched = false;
        announceColours(m_batchTop, m_batchLeft, m_batchBottom, m_batchRight);
    }
}

void WatchListModel::colourChanged(int row, int column) {
    if (m_batchDepth == 0) {
        announceColours(row, column, row, column);
        return;
    }
    if (!m_batchTouched) {
        m_batchTouched = true;
        m_batchTop = m_batchBottom = row;
        m_batchLeft = m_batchRight = column;
        return;
    }
    m_batchTop = std::min(m_batchTop, row);
    m_batchBottom = std::max(m_batchBottom, row);
    m_batchLeft = std::min(m_batchLeft, column);
    m_batchRight = std::max(m_batchRight, column);
}

// Entries may name cells the list does not have (yet); views hear only of real ones.
void WatchListModel::announceColours(int top, int left, int bottom, int right) {
    top = std::max(top, 0);
    left = std::max(left, 0);
    bottom = std::min(bottom, rowCount() - 1);
    right = std::min(right, columnTotal - 1);
    if (top > bottom || left > right)
        return;
    emit dataChanged(index(top, left), index(bottom, right), {Qt::ForegroundRole, Qt::BackgroundRole});
}

} // namespace tavrin
