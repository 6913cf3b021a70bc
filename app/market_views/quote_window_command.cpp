#include "app/market_views/quote_window_command.h"

#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/market_views/quote_window.h"
#include "platform/gbk.h"
#include "platform/http_client.h"
#include "quotes/quote_fetch.h"
#include "store/watch_list_model.h"

#include <QLineEdit>
#include <QScreen>
#include <algorithm>

namespace tavrin {

namespace quote_window_opening {

int heightAfterOpening(int outerHeight, bool editRowHidden) {
    return editRowHidden ? outerHeight + kHeightStep : outerHeight;
}

int leftAfterOpening(int left, int availableLeft) {
    return std::min(left, std::max(left - kLeftStep, availableLeft));
}

} // namespace quote_window_opening

QuoteWindowCommand::QuoteWindowCommand(MainWindow& mainWindow, HttpFactory http, QString quoteUrl,
                                       QString chartUrl, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow), m_http(std::move(http)), m_quoteUrl(std::move(quoteUrl)),
      m_chartUrl(std::move(chartUrl)) {}

QuoteWindow* QuoteWindowCommand::quoteWindow() const {
    return m_quoteWindow;
}

bool QuoteWindowCommand::editRowHidden() const {
    const auto* codeBox = m_mainWindow.requiredControl<QLineEdit>(main_window_names::codeBox);
    const int bottom = codeBox->mapTo(&m_mainWindow, QPoint(0, codeBox->height())).y();
    return bottom > m_mainWindow.height();
}

QString QuoteWindowCommand::selectedCode() const {
    const int row = m_mainWindow.selectedRow();
    return row < 0 ? QString() : m_mainWindow.watchListModel()->cell(row, WatchListModel::Code);
}

void QuoteWindowCommand::open() {
    using namespace quote_window_opening;
    m_mainWindow.setOuterHeight(heightAfterOpening(m_mainWindow.frameGeometry().height(), editRowHidden()));

    // The code box's own handling (the look-up for the cost row) runs on this change.
    m_mainWindow.requiredControl<QLineEdit>(main_window_names::codeBox)->setText(selectedCode());
    m_codeToShow = selectedCode();

    const qsizetype length = gbk::byteLength(m_codeToShow);
    if (length == kStockCodeBytes || length == 0) {
        if (!m_quoteWindow) {
            m_quoteWindow =
                new QuoteWindow(m_mainWindow, QuoteWindowServices{m_http(), m_quoteUrl, m_chartUrl});
            m_quoteWindow->setAttribute(Qt::WA_DeleteOnClose);
            // Placed before it is shown, so it never appears anywhere else first.
            m_quoteWindow->dockTo(m_mainWindow.frameGeometry());
        }
        m_quoteWindow->show();
        m_quoteWindow->raise();
        m_quoteWindow->startUp(m_codeToShow);
    }
    if (m_quoteWindow)
        m_quoteWindow->setOuterHeight(m_mainWindow.frameGeometry().height());

    const QPoint at = m_mainWindow.pos();
    const QScreen* screen = m_mainWindow.screen();
    const int availableLeft = screen ? screen->availableGeometry().left() : at.x() - kLeftStep;
    m_mainWindow.move(leftAfterOpening(at.x(), availableLeft), at.y());
    // A main window already at the edge does not move, and so would not dock it.
    dockTo(m_mainWindow.frameGeometry());
}

void QuoteWindowCommand::dockTo(const QRect& mainFrame) {
    if (m_quoteWindow)
        m_quoteWindow->dockTo(mainFrame);
}

} // namespace tavrin
