#pragma once

#include <QTableView>

namespace tavrin {

// A list in report mode: whole rows selected one at a time, and a press of either
// button on empty space below the rows clears the selection, so that commands that
// act on "the selected row" see none rather than an earlier pick.
class ReportListView : public QTableView {
    Q_OBJECT

public:
    explicit ReportListView(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace tavrin
