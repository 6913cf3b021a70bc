#pragma once

#include "app/value_page/page_view.h"

class QWebEngineView;
class QWidget;

namespace tavrin {

// A Qt WebEngine view filling the browser control. The engine starts with the
// first view, so a run that never shows the value page never starts it.
class EmbeddedWebView final : public PageView {
    Q_OBJECT

public:
    // A child of the host, as the view it puts there.
    explicit EmbeddedWebView(QWidget& host);
    Q_DISABLE_COPY_MOVE(EmbeddedWebView)

    void open(const QUrl& address) override;
    void showLocalPage(const QString& html) override;
    QUrl address() const override { return m_address; }
    QString title() const override;

private:
    QWebEngineView* m_view;
    QUrl m_address;
};

} // namespace tavrin
