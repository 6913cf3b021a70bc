#include "app/main_window.h"

#include "app/balloon_tip.h"
#include "app/canvas.h"
#include "app/main_window_catalogue.h"
#include "app/tab_control.h"
#include "app/widget_builder.h"
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

namespace {

const QString ghostingHint = QStringLiteral("如程序出现重影，请先关闭执行监控按钮！");

} // namespace

MainWindow::MainWindow(WatchListModel* watchList, const QIcon& programIcon, QWidget* parent)
    : QWidget(parent), model_(watchList) {
    const WindowDesign& design = mainWindowDesign();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromUtf8(design.caption));
    setWindowIcon(programIcon);
    // move() places the frame, resize() the client area; the frame is added once known.
    move(design.designRect.topLeft());
    resize(design.designRect.size());
    // Top-most, as the ticker bar beside it.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    controls_ = buildControls(*this, design.controls, programIcon);
    menu_ = buildMenu(*this, design.menuName, design.menu);

    tabs_ = control<TabControl>(u"高级选择夹1");
    listView_ = control<QTableView>(u"超级列表框_股票");
    monitorButton_ = control<QPushButton>(u"执行监控");
    monitorTimer_ = control<QTimer>(u"时钟_监控时间");
    colourTimer_ = control<QTimer>(u"时钟1");
    trayIcon_ = control<QSystemTrayIcon>(u"托盘图标1");
    balloonTip_ = control<BalloonTip>(u"气球提示框1");
    canvas_ = control<Canvas>(u"画板_我的说明");

    listView_->setModel(model_);
    const auto& widths = WatchListModel::columnWidths();
    for (int column = 0; column < WatchListModel::columnTotal; ++column)
        listView_->setColumnWidth(column, widths[size_t(column)]);

    trayIcon_->setToolTip(windowTitle());

    connect(tabs_, &TabControl::currentChanged, this, &MainWindow::selectedTabChanged);
    connect(tabs_, &TabControl::doubleClicked, this, [this] { setOuterHeight(tabDoubleClickHeight); });
    connect(listView_, &QWidget::customContextMenuRequested, this,
            [this](QPoint position) { popUpMenu(listView_->viewport()->mapToGlobal(position)); });
    connect(listView_, &QAbstractItemView::doubleClicked, this, &MainWindow::listDoubleClicked);

    tabs_->setCurrentIndex(0);
}

void MainWindow::setOuterSize(QSize size) {
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(size - frame);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (designSizeApplied_)
        return;
    designSizeApplied_ = true;
    setOuterSize(mainWindowDesign().designRect.size());
    // Some window managers add their frame a little after the window is shown; the
    // design size is then made the outer size again, unless the size was changed meanwhile.
    const QSize clientSize = size();
    QTimer::singleShot(300, this, [this, clientSize] {
        if (size() == clientSize)
            setOuterSize(mainWindowDesign().designRect.size());
    });
}

QAction* MainWindow::action(QStringView text) const {
    const QString name = text.toString();
    for (QAction* candidate : menu_->findChildren<QAction*>(name)) {
        if (candidate->text() == name)
            return candidate;
    }
    return nullptr;
}

int MainWindow::selectedRow() const {
    const QModelIndexList rows = listView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MainWindow::popUpMenu(QPoint globalPosition) {
    menu_->popup(globalPosition);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested();
}

void MainWindow::selectedTabChanged(int index) {
    if (index == 0) {
        monitorButton_->show();
        return;
    }
    monitorButton_->hide();
    balloonTip_->showAt(QCursor::pos(), ghostingHint);
}

void MainWindow::listDoubleClicked() {
    const int row = selectedRow();
    if (row >= 0)
        emit stockCodeActivated(model_->cell(row, WatchListModel::Code));
}

} // namespace tavrin
