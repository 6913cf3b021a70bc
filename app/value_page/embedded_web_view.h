#pragma once

#include "app/value_page/page_view.h"
#include "app/value_page/web_view_backend.h"

#include <memory>

class QWidget;

namespace tavrin {

// The embedded browser of the web view module. The engine starts with the first
// view, so a run that never shows the value page never loads it.
class EmbeddedWebView final : public PageView {
    Q_OBJECT

public:
    Q_DISABLE_COPY_MOVE(EmbeddedWebView)

    // The browser from the module beside the program, a child of the host that
    // its view fills; nullptr when the module cannot be loaded (the reason goes
    // to the log).
    static EmbeddedWebView* create(QWidget& host);

    void open(const QUrl& address) override;
    void showLocalPage(const QString& html) override;
    QUrl address() const override { return m_address; }
    QString title() const override { return m_backend->title(); }

private:
    explicit EmbeddedWebView(QWidget& host);

    std::unique_ptr<WebViewBackend> m_backend;
    QUrl m_address;
};

// The file name of the web view module, looked for beside the program.
QString webViewModuleName();

} // namespace tavrin
