#pragma once

#include "app/widgets/control_set.h"

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringView>
#include <QWidget>

class QAction;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QTableView;
class QTimer;

namespace tavrin {

class BalloonTip;
class Canvas;
class TabControl;
class WatchListModel;

// The main window "禾岫股价监控", built from its catalogue. It owns the controls
// and the tab reactions; the monitoring cycle and the editing commands reach the
// controls through the accessors below (or control<T>(name) by object name) and
// connect to the menu's actions.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The model is not owned and must outlive the window.
    MainWindow(WatchListModel* watchList, const QIcon& programIcon, QWidget* parent = nullptr);

    // Any control or component of the catalogue by its object name; nullptr when
    // there is none of that name and kind.
    template <typename T> T* control(QAnyStringView name) const { return m_controls.find<T>(name); }
    // For code that cannot work without the control: a missing one is fatal in every build.
    template <typename T> T* requiredControl(QAnyStringView name) const {
        return m_controls.require<T>(name);
    }

    TabControl* tabControl() const { return m_tabs; }
    QTableView* watchListView() const { return m_listView; }
    WatchListModel* watchListModel() const { return m_model; }
    QPushButton* monitorButton() const { return m_monitorButton; } // 执行监控
    QTimer* monitorTimer() const { return m_monitorTimer; }        // 时钟_监控时间
    QTimer* colourTimer() const { return m_colourTimer; }          // 时钟1
    QSystemTrayIcon* trayIcon() const { return m_trayIcon; }       // 托盘图标1
    BalloonTip* balloonTip() const { return m_balloonTip; }        // 气球提示框1
    Canvas* canvas() const { return m_canvas; }                    // 画板_我的说明
    QMenu* popupMenu() const { return m_menu; }                    // 菜单

    // The menu command of that text (submenu items included); nullptr for none.
    QAction* action(QAnyStringView text) const;

    // The row the editing commands act on: the first selected one, or -1.
    int selectedRow() const;

    // Pops up "菜单" at a screen position.
    void popUpMenu(QPoint globalPosition);

    // Sizes as the design gives them: with the window frame, the way the satellite
    // windows are docked to it. Without a frame (offscreen, no window manager) they
    // are the client area.
    void setOuterSize(QSize size);
    void setOuterHeight(int height) { setOuterSize({frameGeometry().width(), height}); }

signals:
    // A double click on the watch list: the code (cell 7) of the selected row.
    void stockCodeActivated(const QString& code);
    // The user closed the main window: the program ends.
    void closeRequested();
    // The window was moved, resized or minimized: the satellites follow.
    void positionChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void selectedTabChanged(int index);
    void listDoubleClicked();

    WatchListModel* m_model;
    ControlSet m_controls;
    TabControl* m_tabs = nullptr;
    QTableView* m_listView = nullptr;
    QPushButton* m_monitorButton = nullptr;
    QTimer* m_monitorTimer = nullptr;
    QTimer* m_colourTimer = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    BalloonTip* m_balloonTip = nullptr;
    Canvas* m_canvas = nullptr;
    QMenu* m_menu = nullptr;
    bool m_designSizeApplied = false;
};

// The height the window takes when the tab strip is double-clicked.
inline constexpr int tabDoubleClickHeight = 222;

} // namespace tavrin
