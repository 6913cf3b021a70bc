#pragma once

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
    template <typename T> T* control(QStringView name) const {
        return qobject_cast<T*>(controls_.value(name.toString()));
    }
    // For code that cannot work without the control: a missing one is a programming error.
    template <typename T> T* requiredControl(QStringView name) const {
        T* found = control<T>(name);
        Q_ASSERT_X(found, "MainWindow", "control missing from the catalogue");
        return found;
    }

    TabControl* tabControl() const { return tabs_; }
    QTableView* watchListView() const { return listView_; }
    WatchListModel* watchListModel() const { return model_; }
    QPushButton* monitorButton() const { return monitorButton_; } // 执行监控
    QTimer* monitorTimer() const { return monitorTimer_; }        // 时钟_监控时间
    QTimer* colourTimer() const { return colourTimer_; }          // 时钟1
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }       // 托盘图标1
    BalloonTip* balloonTip() const { return balloonTip_; }        // 气球提示框1
    Canvas* canvas() const { return canvas_; }                    // 画板_我的说明
    QMenu* popupMenu() const { return menu_; }                    // 菜单

    // The menu command of that text (submenu items included); nullptr for none.
    QAction* action(QStringView text) const;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void selectedTabChanged(int index);
    void listDoubleClicked();

    WatchListModel* model_;
    QHash<QString, QObject*> controls_;
    TabControl* tabs_ = nullptr;
    QTableView* listView_ = nullptr;
    QPushButton* monitorButton_ = nullptr;
    QTimer* monitorTimer_ = nullptr;
    QTimer* colourTimer_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    BalloonTip* balloonTip_ = nullptr;
    Canvas* canvas_ = nullptr;
    QMenu* menu_ = nullptr;
    bool designSizeApplied_ = false;
};

// The height the window takes when the tab strip is double-clicked.
inline constexpr int tabDoubleClickHeight = 222;

} // namespace tavrin
