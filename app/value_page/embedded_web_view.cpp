#include "app/value_page/embedded_web_view.h"

#include <QVBoxLayout>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace tavrin {

EmbeddedWebView::EmbeddedWebView(QWidget& host) : PageView(&host), m_view(new QWebEngineView(&host)) {
    m_view->setObjectName(u"valueWebView"_s);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->show();
    connect(m_view, &QWebEngineView::loadFinished, this, &PageView::loadFinished);
}

void EmbeddedWebView::open(const QUrl& address) {
    m_address = address;
    m_view->load(address);
}

void EmbeddedWebView::showLocalPage(const QString& html) {
    m_address = QUrl();
    m_view->setHtml(html);
}

QString EmbeddedWebView::title() const {
    return m_view->title();
}

} // namespace tavrin
