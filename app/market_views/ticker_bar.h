#pragma once

#include "app/main_window/docking.h"
#include "app/widgets/control_set.h"

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QTimer;

namespace tavrin {

class HttpClient;
class Notifier;
class TickerRefresh;
struct IndexLabelText;

// The index ticker bar: a small frameless window on top of all others, docked on
// the main window's top edge, showing the three main indices. It refreshes itself
// every 3 s, shown or hidden. Pressing its close glyph destroys it.
class TickerBar : public QWidget {
    Q_OBJECT

public:
    // The main window's frame geometry, read whenever the bar re-docks.
    using FrameSource = std::function<QRect()>;

    // The notifier shows the failure balloon and must outlive the bar.
    TickerBar(FrameSource mainFrame, std::unique_ptr<HttpClient> http, const QString& quoteUrl,
              Notifier& notifier, QWidget* parent = nullptr);
    ~TickerBar() override;

    template <typename T> T* control(QAnyStringView name) const { return m_controls.find<T>(name); }
    QTimer* refreshTimer() const { return m_timer; } // 时钟_定时刷新
    TickerRefresh& refresh() { return *m_refresh; }
    // The value label of the index at that place of the index table.
    QLabel* valueLabel(int order) const;

    // The main window's docking: left = main left + 5, on the main window's top edge.
    // The re-dock that the move brings then sets the bar's own place.
    void dockTo(const QRect& mainFrame);
    // True from the press on the close glyph on, while the bar waits to be deleted.
    bool isClosed() const { return m_closed; }

signals:
    // The close glyph was pressed; the bar is hidden and deleted next.
    void closed();

protected:
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyStyles();
    void redock();
    void showIndex(int order, const IndexLabelText& label);
    void closeBar();

    FrameSource m_mainFrame;
    ControlSet m_controls;
    QTimer* m_timer = nullptr;
    QLabel* m_values[3] = {};
    std::unique_ptr<TickerRefresh> m_refresh;
    // A few tries a second at most for one place.
    docking::RedockGuard m_redockGuard{4, std::chrono::seconds(1)};
    bool m_closed = false;
};

// Where the creation puts the bar, before its re-dock takes it to the main window.
inline constexpr QPoint tickerCreationPosition{1325, 20};
inline constexpr int tickerAlpha = 232;
inline constexpr int tickerRefreshMs = 3000;

} // namespace tavrin
