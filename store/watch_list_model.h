#pragma once

#include "store/cell_colours.h"
#include "store/rgb.h"
#include "store/stock_record.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

namespace tavrin {

// The watch list: the stocks of the database with the live values the refresh pass
// writes. All cells are text, rows are addressed by position. The colours of single
// cells come from the cell colour table, which survives reloads on its positions.
// Used by the UI thread only.
class WatchListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Id = 0,
        Name = 1,
        Price = 2,
        Change = 3,
        Cost = 4,
        Quantity = 5,
        Profit = 6,
        Code = 7,
        AlertPrice = 8,
        AlertKind = 9,
        Volume = 10,
    };
    static constexpr int columnTotal = 11;
    // What the list shows of a cell, in characters; the stored value stays whole.
    // A megabyte of text in one cell would otherwise take seconds at every repaint.
    static constexpr qsizetype displayedCharacters = 64;
    static QString displayText(const QString& text);

    static QString columnTitle(int column);
    static const std::array<int, columnTotal>& columnWidths();

    explicit WatchListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces all rows by the records: ID, name, code, cost, quantity, alert price
    // and kind filled, the quote columns empty. The cell colour table is untouched.
    void fill(const std::vector<StockRecord>& records);

    // Empty outside the list.
    QString cell(int row, int column) const;
    // Ignored outside the list.
    void setCell(int row, int column, const QString& text);

    // Changes the cell colour table by its rules (see CellColours::set). Inside a
    // batch the views hear of all changes at once, at the end.
    void setCellColours(int row, int column, Rgb text, Rgb background);
    void beginColourBatch();
    void endColourBatch();

    const CellColours& cellColours() const { return m_colours; }

private:
    void colourChanged(int row, int column);
    void announceColours(int top, int left, int bottom, int right);

    std::vector<std::array<QString, columnTotal>> m_rows;
    CellColours m_colours;
    int m_batchDepth = 0;
    bool m_batchTouched = false;
    int m_batchTop = 0;
    int m_batchLeft = 0;
    int m_batchBottom = 0;
    int m_batchRight = 0;
};

// Holds a colour batch open for its lifetime.
class ColourBatch {
public:
    explicit ColourBatch(WatchListModel& model) : m_model(model) { m_model.beginColourBatch(); }
    ~ColourBatch() { m_model.endColourBatch(); }
    ColourBatch(const ColourBatch&) = delete;
    ColourBatch& operator=(const ColourBatch&) = delete;

private:
    WatchListModel& m_model;
};

} // namespace tavrin
