#include "app/market_views/quote_window.h"

#include "app/main_window/docking.h"
#include "app/market_views/quote_window_catalogue.h"
#include "app/market_views/quote_window_code_input.h"
#include "app/market_views/quote_window_names.h"
#include "app/market_views/quote_window_refresh.h"
#include "app/market_views/quote_window_request.h"
#include "app/widgets/canvas.h"
#include "app/widgets/widget_builder.h"
#include "platform/gbk.h"
#include "platform/http_client.h"
#include "quotes/quote_fetch.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace tavrin {

using namespace Qt::StringLiterals;
namespace names = quote_window_names;

namespace {

// What the window shows when it opens without a code.
const QString indexCode = u"000001"_s;

void setTextColour(QWidget& widget, QRgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    palette.setColor(QPalette::Text, QColor(colour));
    widget.setPalette(palette);
}

void setBackgroundColour(QWidget& widget, QRgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, QColor(colour));
    palette.setColor(QPalette::Window, QColor(colour));
    widget.setPalette(palette);
}

QFont designedFont(const FontDesign& design, QFont font) {
    if (*design.families != '\0')
        font.setFamilies(catalogueList(design.families));
    if (design.pixelSize > 0)
        font.setPixelSize(design.pixelSize);
    if (design.bold)
        font.setBold(true);
    return font;
}

void setTextIfDifferent(QLabel& label, const QString& text) {
    if (label.text() != text)
        label.setText(text);
}

} // namespace

QuoteWindow::QuoteWindow(QWidget& mainWindow, QuoteWindowServices services)
    : QWidget(&mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_quoteUrl(std::move(services.quoteUrl)), m_chartUrl(std::move(services.chartUrl)),
      m_flash([this](QRgb colour) { setTextColour(*m_priceLabel, colour); }, this), m_messages(*this),
      m_worker(std::move(services.http), "quote window") {
    const WindowDesign& design = quoteWindowDesign();
    setObjectName(QString::fromUtf8(names::window));
    setWindowTitle(QString::fromUtf8(design.caption));
    m_outerSize = design.designRect.size();
    setFixedSize(m_outerSize);
    setAutoFillBackground(true);
    setBackgroundColour(*this, quoteWindowBackground);

    m_controls = ControlSet(objectName(), buildControls(*this, design.controls, QIcon()));
    m_codeBox = m_controls.require<QLineEdit>(names::codeBox);
    m_nameBox = m_controls.require<QLineEdit>(names::nameBox);
    m_priceLabel = m_controls.require<QLabel>(names::priceLabel);
    m_changeLabel = m_controls.require<QLabel>(names::changeLabel);
    m_changePercentLabel = m_controls.require<QLabel>(names::changePercentLabel);
    m_previousCloseLabel = m_controls.require<QLabel>(names::previousCloseLabel);
    m_dateLabel = m_controls.require<QLabel>(names::dateLabel);
    m_openLabel = m_controls.require<QLabel>(names::openLabel);
    m_highLabel = m_controls.require<QLabel>(names::highLabel);
    m_lowLabel = m_controls.require<QLabel>(names::lowLabel);
    m_queryButton = m_controls.require<QPushButton>(names::queryButton);
    m_canvas = m_controls.require<Canvas>(names::chartCanvas);
    m_refreshTimer = m_controls.require<QTimer>(names::refreshTimer);
    applyStyles();

    m_codeBox->setFrame(false);
    acceptDigitsOnly(*m_codeBox);
    m_nameBox->setFrame(false);
    m_nameBox->setReadOnly(true);
    m_nameBox->setFocusPolicy(Qt::NoFocus);
    m_canvas->setPaintHandler([this](QPainter& painter, QSize size) { m_chart.paint(painter, size); });

    connect(m_codeBox, &QLineEdit::textChanged, this, &QuoteWindow::codeEdited);
    connect(m_queryButton, &QPushButton::clicked, this, &QuoteWindow::query);
    m_queryButton->installEventFilter(this);
    connect(m_refreshTimer, &QTimer::timeout, this, &QuoteWindow::refresh);
}

QuoteWindow::~QuoteWindow() = default;

void QuoteWindow::applyStyles() {
    for (const ControlStyle& style : quoteWindowStyles()) {
        auto* widget = m_controls.require<QWidget>(style.name);
        widget->setFont(designedFont(style.font, widget->font()));
        if (style.text)
            setTextColour(*widget, *style.text);
        if (style.background) {
            setBackgroundColour(*widget, *style.background);
            widget->setAutoFillBackground(true);
        }
    }
}

void QuoteWindow::startUp(const QString& codeToShow) {
    m_codeBox->setText(codeToShow.isEmpty() ? indexCode : codeToShow);
    const qsizetype length = gbk::byteLength(m_codeBox->text());
    if (length > kStockCodeBytes)
        return;
    if (length < kStockCodeBytes)
        m_codeBox->setText(indexCode);
    query();
}

void QuoteWindow::query() {
    m_refreshTimer->start(kRefreshMs);
    refresh();
    m_codeBox->setFocus();
}

void QuoteWindow::codeEdited(const QString& text) {
    ++m_codeGeneration;
    // Period 0: stopped until the next query.
    m_refreshTimer->stop();
    m_refreshTimer->setInterval(0);
    m_queryButton->setEnabled(true);
    // The sixth digit hands over to the button, so that Enter runs the query.
    if (gbk::byteLength(text) == kStockCodeBytes)
        m_queryButton->setFocus();
}

void QuoteWindow::refresh() {
    const QString code = m_codeBox->text();
    if (gbk::byteLength(code) != kStockCodeBytes)
        return;
    const QuoteWindowRequest request = quoteWindowRequest(code, m_quoteUrl, m_chartUrl);
    const quint64 generation = m_codeGeneration;
    const bool started = m_worker.tryRun<QuoteWindowRefresh>(
        [request, shown = m_chart.bytes()](HttpClient& http) {
            return fetchQuoteWindowRefresh(http, request, shown);
        },
        this,
        [this, generation](const QuoteWindowRefresh& refresh) {
            if (generation == m_codeGeneration)
                apply(refresh);
            else
                emit staleRefreshDropped();
        });
    // The request still goes out, with no prefix; the service decides what it answers.
    if (started && !request.marketKnown())
        m_messages.show(unknownMarketText(), informationCaption(), QMessageBox::NoIcon);
}

void QuoteWindow::apply(const QuoteWindowRefresh& refresh) {
    switch (refresh.reading.status) {
    case QuoteWindowReplyStatus::Empty:
        m_messages.show(emptyReplyText(), errorCaption(), QMessageBox::Critical);
        break;
    case QuoteWindowReplyStatus::Unreadable:
        m_messages.show(unreadableReplyText(), errorCaption(), QMessageBox::Critical);
        break;
    case QuoteWindowReplyStatus::Shown:
        if (m_chart.offer(refresh.chartBytes, refresh.chartDecoded ? &refresh.chartPicture : nullptr))
            m_canvas->update();
        m_queryButton->setEnabled(false);
        showQuote(refresh.reading.display);
        break;
    }
    emit refreshed(refresh.reading.status);
}

void QuoteWindow::showQuote(const QuoteWindowDisplay& display) {
    if (m_nameBox->text() != display.name)
        m_nameBox->setText(display.name);
    setTextIfDifferent(*m_previousCloseLabel, display.previousClose);
    setTextIfDifferent(*m_openLabel, display.open);
    setTextIfDifferent(*m_highLabel, display.high);
    setTextIfDifferent(*m_lowLabel, display.low);
    setTextIfDifferent(*m_changeLabel, display.change);
    setTextIfDifferent(*m_changePercentLabel, display.changePercent);
    setTextColour(*m_changeLabel, display.directionColour);
    setTextIfDifferent(*m_dateLabel, display.date);
    // Only a new price flashes; an unchanged one keeps its text and colour.
    if (m_priceLabel->text() != display.price) {
        m_priceLabel->setText(display.price);
        m_flash.start(display.directionColour);
    }
}

void QuoteWindow::setOuterHeight(int height) {
    m_outerSize.setHeight(std::max(0, height));
    applyOuterSize();
}

void QuoteWindow::applyOuterSize() {
    // The frame may become known (or change) only after the window is shown.
    const QSize client = m_outerSize - (frameGeometry().size() - size());
    if (client.isValid() && client != size())
        setFixedSize(client);
}

void QuoteWindow::dockTo(const QRect& mainFrame) {
    const QRect placed = docking::quoteWindowPlacement(mainFrame, frameGeometry());
    setOuterHeight(placed.height());
    move(placed.topLeft());
}

void QuoteWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applyOuterSize();
}

void QuoteWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    applyOuterSize();
    redock();
}

void QuoteWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyOuterSize();
}

void QuoteWindow::redock() {
    QWidget* mainWindow = parentWidget();
    if (!mainWindow)
        return;
    const QPoint target = docking::quoteWindowRedock(mainWindow->frameGeometry());
    if (pos() == target) {
        m_redockGuard.reset();
        return;
    }
    if (m_redockGuard.allow(target))
        move(target);
}

bool QuoteWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_queryButton && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            query();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavrin
