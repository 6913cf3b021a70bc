#include "app/value_page/web_view_backend.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

class WebEngineBackend final : public tavrin::WebViewBackend {
public:
    explicit WebEngineBackend(QWidget* host) : m_view(new QWebEngineView(host)) {
        m_view->setObjectName(u"valueWebView"_s);
        auto* layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        m_view->show();
        QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, [this](bool ok) {
            if (m_handler)
                m_handler(ok);
        });
    }
    Q_DISABLE_COPY_MOVE(WebEngineBackend)

    // The view belongs to its host and goes with it.
    ~WebEngineBackend() override {
        if (m_view)
            QObject::disconnect(m_view, nullptr, nullptr, nullptr);
    }

    void load(const QUrl& address) override {
        if (m_view)
            m_view->load(address);
    }
    void setHtml(const QString& html) override {
        if (m_view)
            m_view->setHtml(html);
    }
    QString title() const override { return m_view ? m_view->title() : QString(); }
    void setLoadFinishedHandler(std::function<void(bool)> handler) override {
        m_handler = std::move(handler);
    }

private:
    QPointer<QWebEngineView> m_view;
    std::function<void(bool)> m_handler;
};

} // namespace

extern "C" Q_DECL_EXPORT tavrin::WebViewBackend* tavrinCreateWebView(QWidget* host) {
    return new WebEngineBackend(host);
}
