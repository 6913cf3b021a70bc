#include "app/market_views/ticker_bar.h"

#include "app/main_window/docking.h"
#include "app/market_views/ticker_catalogue.h"
#include "app/market_views/ticker_names.h"
#include "app/market_views/ticker_refresh.h"
#include "app/market_views/ticker_sweep.h"
#include "app/widgets/widget_builder.h"
#include "app/widgets/window_transparency.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace names = ticker_names;

TickerBar::TickerBar(FrameSource mainFrame, std::unique_ptr<HttpClient> http, const QString& quoteUrl,
                     Notifier& notifier, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_mainFrame(std::move(mainFrame)) {
    const WindowDesign& design = tickerBarDesign();
    setObjectName(u"TickerBar"_s);
    setWindowTitle(QString::fromUtf8(design.caption));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(design.designRect.size());
    QPalette ground = palette();
    ground.setColor(QPalette::Window, QColor::fromRgb(tickerBackground));
    setPalette(ground);
    setAutoFillBackground(true);

    m_controls = ControlSet(u"TickerBar"_s, buildControls(*this, design.controls, QIcon()));
    applyStyles();
    for (size_t i = 0; i < tickerIndices.size(); ++i)
        m_values[i] = m_controls.require<QLabel>(tickerIndices[i].valueLabel);
    m_controls.require<QWidget>(names::closeGlyph)->installEventFilter(this);
    m_timer = m_controls.require<QTimer>(names::refreshTimer);

    m_refresh = std::make_unique<TickerRefresh>(std::move(http), quoteUrl, notifier);
    connect(m_refresh.get(), &TickerRefresh::indexUpdated, this, &TickerBar::showIndex);
    // A sweep per tick, none at once: the labels stay empty for the first 3 s.
    connect(m_timer, &QTimer::timeout, m_refresh.get(), &TickerRefresh::startSweep);

    move(tickerCreationPosition);
    m_timer->start(tickerRefreshMs);
    applyTransparency(*this, {.alpha = tickerAlpha, .colourKey = std::nullopt, .clickThrough = false});
    // The move above is undone at once: the bar always ends docked.
    redock();
}

TickerBar::~TickerBar() = default;

QLabel* TickerBar::valueLabel(int order) const {
    return order >= 0 && order < int(std::size(m_values)) ? m_values[order] : nullptr;
}

void TickerBar::applyStyles() {
    for (const LabelStyle& style : tickerLabelStyles()) {
        QLabel* label = m_controls.require<QLabel>(style.name);
        QFont font = label->font();
        font.setPixelSize(style.pixelSize);
        font.setBold(style.bold);
        label->setFont(font);
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, QColor::fromRgb(style.colour));
        label->setPalette(colours);
    }
}

void TickerBar::dockTo(const QRect& mainFrame) {
    m_redockGuard.reset();
    move(docking::tickerPlacement(mainFrame, frameGeometry()).topLeft());
    // Hidden, the bar gets its move event only when shown again: re-dock now.
    redock();
}

void TickerBar::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    redock();
}

void TickerBar::redock() {
    if (!m_mainFrame || m_closed)
        return;
    const QRect mainFrame = m_mainFrame();
    const QRect frame = frameGeometry();
    // Left from the bar's own re-dock; its bottom edge on the main window's top edge.
    const QPoint target(docking::tickerRedock(mainFrame, frame).x(),
                        docking::tickerPlacement(mainFrame, frame).y());
    if (frame.topLeft() == target)
        return;
    if (m_redockGuard.allow(target))
        move(target);
}

void TickerBar::showIndex(int order, const IndexLabelText& label) {
    QLabel* value = valueLabel(order);
    if (!value)
        return;
    value->setText(label.text);
    if (const std::optional<QColor> colour = indexLabelColour(label.move)) {
        QPalette colours = value->palette();
        colours.setColor(QPalette::WindowText, *colour);
        value->setPalette(colours);
    }
}

bool TickerBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !m_closed) {
        closeBar();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TickerBar::closeBar() {
    m_closed = true;
    m_timer->stop();
    hide();
    emit closed();
    // Not deleted inside its own event handling.
    deleteLater();
}

} // namespace tavrin
