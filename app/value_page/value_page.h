#pragma once

#include "app/value_page/page_view_factory.h"
#include "app/value_page/value_quote_fetch.h"
#include "app/value_page/value_summary.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace tavrin {

class MainWindow;
class MessageSink;

// The endpoints the value page asks: quotes, and the value pages (empty: none configured).
struct ValuePageEndpoints {
    QString quotes;
    QString valuePages;
};

// The investment-value page of the main window: a code typed, the image button
// pressed, a short quote summary and the valuation page of that code. The quote
// is fetched off the UI thread; the labels change and the page opens when the
// answer to the latest press arrives. The browser starts when the page is first
// shown, never before.
class ValuePage : public QObject {
    Q_OBJECT

public:
    ValuePage(MainWindow& window, MessageSink& messages, ValuePageEndpoints endpoints,
              std::unique_ptr<HttpClient> http, PageViewFactory makePageView = defaultPageViewFactory(),
              QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(ValuePage)

    // What the image button does.
    void evaluate();

    // Nullptr until the page is first shown.
    PageView* pageView() const { return m_pageView; }

signals:
    // The answer to an evaluation was taken in and its page asked for.
    void evaluated(const QString& code);

private:
    void pageSelected(int index);
    void ensurePageView();
    void ensureFramePicture();
    void answered(quint64 sequence, const HttpResponse& response);
    void show(const ValueSummary& summary);
    void openPage(const QString& code);

    MainWindow& m_window;
    MessageSink& m_messages;
    ValuePageEndpoints m_endpoints;
    PageViewFactory m_makePageView;
    ValueQuoteFetch m_fetch;
    QWidget* m_frame;
    bool m_framePictureFitted = false;
    QLineEdit* m_codeBox;
    QLabel* m_nameLabel;
    QLabel* m_openLabel;
    QLabel* m_priceLabel;
    QLabel* m_changeLabel;
    QWidget* m_browserHost;
    QPointer<PageView> m_pageView;
    QString m_pendingCode;
};

// The message for a code of neither Shanghai nor Shenzhen.
QString onlyShanghaiShenzhenMessage();

} // namespace tavrin
