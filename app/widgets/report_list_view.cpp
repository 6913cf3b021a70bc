#include "app/widgets/report_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace tavrin {

ReportListView::ReportListView(QWidget* parent) : QTableView(parent) {
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    // The style's minimum (about 40 pixels with our font) would widen the 30-pixel column.
    horizontalHeader()->setMinimumSectionSize(1);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
}

void ReportListView::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
    }
    QTableView::mousePressEvent(event);
}

} // namespace tavrin
