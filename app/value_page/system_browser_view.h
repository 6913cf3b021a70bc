#pragma once

#include "app/value_page/page_view.h"

class QLabel;
class QWidget;

namespace tavrin {

// For builds without an embedded browser: pages open in the system browser and
// the browser control holds a one-line note saying so.
class SystemBrowserView final : public PageView {
    Q_OBJECT

public:
    // A child of the host, as the note it puts there.
    explicit SystemBrowserView(QWidget& host);
    Q_DISABLE_COPY_MOVE(SystemBrowserView)

    void open(const QUrl& address) override;
    // Only the note: a browser window is opened when the user asks for a page.
    void showFirstPage(const QUrl& address) override;
    void showLocalPage(const QString& html) override;
    QUrl address() const override { return m_address; }
    QString title() const override { return {}; }

private:
    QLabel* m_note;
    QUrl m_address;
};

// The note of the browser control: pages open in the system browser.
QString systemBrowserNote();
// The note when no value page server is configured.
QString noValueServerNote();

} // namespace tavrin
