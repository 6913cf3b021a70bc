#include "app/main_window/main_window.h"

#include "app/main_window/main_window_catalogue.h"
#include "app/main_window/main_window_names.h"
#include "app/widgets/balloon_tip.h"
#include "app/widgets/canvas.h"
#include "app/widgets/tab_control.h"
#include "app/widgets/widget_builder.h"
#include "app/widgets/window_placement.h"
#include "store/watch_list_model.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTimer>

namespace tavrin {

namespace names = main_window_names;

namespace {

const QString ghostingHint = QStringLiteral("如程序出现重影，请先关闭执行监控按钮！");

} // namespace

MainWindow::MainWindow(WatchListModel* watchList, const QIcon& programIcon, QWidget* parent)
    : QWidget(parent), m_model(watchList) {
    const WindowDesign& design = mainWindowDesign();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromUtf8(design.caption));
    setWindowIcon(programIcon);
    // move() places the frame, resize() the client area; the frame is added once known.
    move(design.designRect.topLeft());
    resize(design.designRect.size());
    // Top-most, as the ticker bar beside it.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    m_controls = ControlSet(QStringLiteral("MainWindow"), buildControls(*this, design.controls, programIcon));
    m_menu = buildMenu(*this, design.menuName, design.menu);

    m_tabs = control<TabControl>(names::tabs);
    m_listView = control<QTableView>(names::stockList);
    m_monitorButton = control<QPushButton>(names::monitorButton);
    m_monitorTimer = control<QTimer>(names::monitorTimer);
    m_colourTimer = control<QTimer>(names::colourTimer);
    m_trayIcon = control<QSystemTrayIcon>(names::trayIcon);
    m_balloonTip = control<BalloonTip>(names::balloonTip);
    m_canvas = control<Canvas>(names::servicePanel);

    m_listView->setModel(m_model);
    const auto& widths = WatchListModel::columnWidths();
    for (int column = 0; column < WatchListModel::columnTotal; ++column)
        m_listView->setColumnWidth(column, widths[size_t(column)]);

    m_trayIcon->setToolTip(windowTitle());

    connect(m_tabs, &TabControl::currentChanged, this, &MainWindow::selectedTabChanged);
    connect(m_tabs, &TabControl::doubleClicked, this, [this] { setOuterHeight(tabDoubleClickHeight); });
    connect(m_listView, &QWidget::customContextMenuRequested, this,
            [this](QPoint position) { popUpMenu(m_listView->viewport()->mapToGlobal(position)); });
    connect(m_listView, &QAbstractItemView::doubleClicked, this, &MainWindow::listDoubleClicked);

    m_tabs->setCurrentIndex(0);
}

void MainWindow::setOuterSize(QSize size) {
    tavrin::setOuterSize(*this, size);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_designSizeApplied)
        return;
    m_designSizeApplied = true;
    setOuterSize(mainWindowDesign().designRect.size());
    // Some window managers add their frame a little after the window is shown; the
    // design size is then made the outer size again, unless the size was changed meanwhile.
    const QSize clientSize = size();
    QTimer::singleShot(300, this, [this, clientSize] {
        if (size() == clientSize)
            setOuterSize(mainWindowDesign().designRect.size());
    });
}

QAction* MainWindow::action(QAnyStringView text) const {
    const QString name = text.toString();
    for (QAction* candidate : m_menu->findChildren<QAction*>(name)) {
        if (candidate->text() == name)
            return candidate;
    }
    return nullptr;
}

int MainWindow::selectedRow() const {
    const QModelIndexList rows = m_listView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MainWindow::popUpMenu(QPoint globalPosition) {
    m_menu->popup(globalPosition);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit positionChanged();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit positionChanged();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        emit positionChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested();
}

void MainWindow::selectedTabChanged(int index) {
    if (index == 0) {
        m_monitorButton->show();
        return;
    }
    m_monitorButton->hide();
    m_balloonTip->showAt(QCursor::pos(), ghostingHint);
}

void MainWindow::listDoubleClicked() {
    const int row = selectedRow();
    if (row >= 0)
        emit stockCodeActivated(m_model->cell(row, WatchListModel::Code));
}

} // namespace tavrin
