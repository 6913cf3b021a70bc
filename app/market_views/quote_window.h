#pragma once

#include "app/main_window/docking.h"
#include "app/market_views/minute_chart.h"
#include "app/market_views/quote_window_flash.h"
#include "app/market_views/quote_window_messages.h"
#include "app/market_views/quote_window_reply.h"
#include "app/widgets/control_set.h"
#include "quotes/view_worker.h"

#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tavrin {

class Canvas;
class HttpClient;
struct QuoteWindowRefresh;

// What a quote window fetches with: its own HTTP client (for its worker) and the
// two service addresses.
struct QuoteWindowServices {
    std::unique_ptr<HttpClient> http;
    QString quoteUrl;
    QString chartUrl;
};

// The single-stock quote window: one code's quote and minute chart, refreshed every
// 3 s on the window's own worker while a queried code stands in the box. Owned by
// the main window and docked at its right edge.
class QuoteWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 3000;

    QuoteWindow(QWidget& mainWindow, QuoteWindowServices services);
    ~QuoteWindow() override;

    template <typename T> T* control(QAnyStringView name) const { return m_controls.find<T>(name); }

    // The window's start-up with a code to show (the Shanghai index for none): the
    // code into the box, then a query when it is 6 bytes long.
    void startUp(const QString& codeToShow);
    // 按钮_查询: refreshing every 3 s from now, one refresh at once, the focus back in the box.
    void query();

    // Sizes as designed: with the frame (none offscreen or without a window manager).
    void setOuterHeight(int height);
    // At the main window's right edge, as tall as the main window plus 70.
    void dockTo(const QRect& mainFrame);

    const MinuteChart& chart() const { return m_chart; }
    bool isFlashing() const { return m_flash.isRunning(); }
    const QuoteWindowMessages& messages() const { return m_messages; }

signals:
    // A refresh's outcome was taken in (or shown as an error box).
    void refreshed(tavrin::QuoteWindowReplyStatus status);
    // A refresh came back for a code that has been edited since: nothing was shown.
    void staleRefreshDropped();

protected:
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyStyles();
    void codeEdited(const QString& text);
    void refresh();
    void apply(const QuoteWindowRefresh& refresh);
    void showQuote(const QuoteWindowDisplay& display);
    void redock();
    void applyOuterSize();

    ControlSet m_controls;
    QLineEdit* m_codeBox;
    QLineEdit* m_nameBox;
    QLabel* m_priceLabel;
    QLabel* m_changeLabel;
    QLabel* m_changePercentLabel;
    QLabel* m_previousCloseLabel;
    QLabel* m_dateLabel;
    QLabel* m_openLabel;
    QLabel* m_highLabel;
    QLabel* m_lowLabel;
    QPushButton* m_queryButton;
    Canvas* m_canvas;
    QTimer* m_refreshTimer;

    QString m_quoteUrl;
    QString m_chartUrl;
    MinuteChart m_chart;
    PriceFlash m_flash;
    QuoteWindowMessages m_messages;
    // Bumped by every edit of the code: a refresh started before it answers for another code.
    quint64 m_codeGeneration = 0;
    // Late reports of an earlier position are answered again; a window manager that
    // keeps putting the window elsewhere has the last word after a few tries.
    docking::RedockGuard m_redockGuard{3};
    QSize m_outerSize; // with the frame, as designed and docked
    // Declared last, so it ends first: no job outlives what it reports to.
    ViewWorker m_worker;
};

} // namespace tavrin
