#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace tavrin {

// The embedded browser as the web view module provides it. The module is loaded
// only when the value page is first shown: linking Qt WebEngine into the program
// would load it, and start part of it, at every start.
class WebViewBackend {
public:
    virtual ~WebViewBackend() = default;
    virtual void load(const QUrl& address) = 0;
    virtual void setHtml(const QString& html) = 0;
    virtual QString title() const = 0;
    virtual void setLoadFinishedHandler(std::function<void(bool ok)> handler) = 0;
};

// The module's one export: makes a browser filling host (a child of it) and
// returns its backend, owned by the caller.
using CreateWebViewFunction = WebViewBackend* (*)(QWidget* host);
inline constexpr char createWebViewSymbol[] = "tavrinCreateWebView";

} // namespace tavrin
