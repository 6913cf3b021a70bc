#include "app/value_page/value_page.h"

#include "app/delivery/message_sink.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/program_pictures.h"
#include "app/value_page/frame_picture.h"
#include "app/value_page/value_page_address.h"
#include "app/value_page/value_quote_fetch.h"
#include "app/widgets/embedded_picture.h"
#include "app/widgets/picture_box.h"
#include "app/widgets/tab_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace names = main_window_names;

namespace {

constexpr char hoverButtonPicture[] = ":/tavrin/pictures/value_button_hover.png";
constexpr char pressedButtonPicture[] = ":/tavrin/pictures/value_button_pressed.png";

QPixmap picture(const char* resource) {
    return QPixmap::fromImage(embeddedPicture(QString::fromUtf8(resource)));
}

// The button's own faces: at rest, under the mouse and pressed.
void giveButtonPictures(QToolButton& button) {
    QIcon faces;
    faces.addPixmap(picture(valueButtonPicture), QIcon::Normal);
    faces.addPixmap(picture(hoverButtonPicture), QIcon::Active);
    QIcon pressed(picture(pressedButtonPicture));
    button.setIcon(faces);
    QObject::connect(&button, &QToolButton::pressed, &button,
                     [&button, pressed] { button.setIcon(pressed); });
    QObject::connect(&button, &QToolButton::released, &button, [&button, faces] { button.setIcon(faces); });
}

void setTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

// The summary column's texts in a face small enough for its designed captions,
// and the value labels reaching to the browser's edge: 45 pixels cannot hold a
// price with its arrow, and the captions end where the values begin.
void fitSummaryLabels(const MainWindow& window) {
    constexpr int kBrowserLeft = 109;
    QFont font = window.requiredControl<QLabel>(names::valueOpenCaption)->font();
    font.setPixelSize(11);
    for (const char* caption : {names::valueOpenCaption, names::valuePriceCaption, names::valueChangeCaption})
        window.requiredControl<QLabel>(caption)->setFont(font);
    for (const char* value : {names::valueOpenLabel, names::valuePriceLabel, names::valueChangeLabel}) {
        auto* label = window.requiredControl<QLabel>(value);
        label->setFont(font);
        label->setIndent(2);
        label->resize(kBrowserLeft - 1 - label->x(), label->height());
    }
}

} // namespace

QString onlyShanghaiShenzhenMessage() {
    return u"只支持沪深A股"_s;
}

ValuePage::ValuePage(MainWindow& window, MessageSink& messages, ValuePageEndpoints endpoints,
                     std::unique_ptr<HttpClient> http, PageViewFactory makePageView, QObject* parent)
    : QObject(parent), m_window(window), m_messages(messages), m_endpoints(std::move(endpoints)),
      m_makePageView(std::move(makePageView)), m_fetch(std::move(http)),
      m_frame(window.requiredControl<QWidget>(names::valueFrame)),
      m_codeBox(window.requiredControl<QLineEdit>(names::valueCodeBox)),
      m_nameLabel(window.requiredControl<QLabel>(names::valueCodeLabel)),
      m_openLabel(window.requiredControl<QLabel>(names::valueOpenLabel)),
      m_priceLabel(window.requiredControl<QLabel>(names::valuePriceLabel)),
      m_changeLabel(window.requiredControl<QLabel>(names::valueChangeLabel)),
      m_browserHost(window.requiredControl<QWidget>(names::valueBrowser)) {
    // Fitting the frame picture takes some 10 ms: done when the page is first shown, off the first paint.
    if (TabControl* tabs = window.tabControl(); tabs->page(tabs->currentIndex()) == m_frame->parentWidget())
        ensureFramePicture();
    // The name stands on the frame's caption bar.
    setTextColour(*m_nameLabel, Qt::white);
    QFont nameFont = m_nameLabel->font();
    nameFont.setBold(true);
    m_nameLabel->setFont(nameFont);
    fitSummaryLabels(window);

    auto* button = window.requiredControl<QToolButton>(names::valueQueryButton);
    giveButtonPictures(*button);
    connect(button, &QToolButton::clicked, this, &ValuePage::evaluate);
    connect(window.tabControl(), &TabControl::currentChanged, this, &ValuePage::pageSelected);
    connect(&m_fetch, &ValueQuoteFetch::answered, this, &ValuePage::answered);
}

void ValuePage::pageSelected(int index) {
    if (m_window.tabControl()->page(index) != m_frame->parentWidget())
        return;
    ensureFramePicture();
    ensurePageView();
}

void ValuePage::ensureFramePicture() {
    auto* box = qobject_cast<PictureBox*>(m_frame);
    if (!box || m_framePictureFitted)
        return;
    m_framePictureFitted = true;
    box->setPicture(QPixmap::fromImage(
        fitFramePicture(embeddedPicture(QString::fromUtf8(valuePageFramePicture)), m_frame->size())));
}

void ValuePage::ensurePageView() {
    if (m_pageView)
        return;
    m_pageView = m_makePageView(*m_browserHost);
    if (m_endpoints.valuePages.isEmpty())
        m_pageView->showLocalPage(notConfiguredPage());
    else
        m_pageView->showFirstPage(valuePageUrl(m_endpoints.valuePages, QString::fromUtf8(initialValueCode)));
}

void ValuePage::evaluate() {
    const QString code = m_codeBox->text();
    const QByteArray url = valueQuoteUrl(m_endpoints.quotes, code);
    if (url.isEmpty()) {
        m_messages.show({.text = onlyShanghaiShenzhenMessage(), .owner = MessageOwner::MainWindow});
        return;
    }
    ensurePageView();
    m_pendingCode = code;
    m_fetch.request(url);
}

void ValuePage::answered(quint64 sequence, const HttpResponse& response) {
    if (sequence != m_fetch.latestRequest())
        return;
    // A failed request has no body: the labels stay, the page still opens.
    if (const std::optional<ValueSummary> summary = valueSummary(response.body))
        show(*summary);
    openPage(m_pendingCode);
    emit evaluated(m_pendingCode);
}

void ValuePage::show(const ValueSummary& summary) {
    m_openLabel->setText(summary.open);
    m_priceLabel->setText(summary.price);
    m_changeLabel->setText(summary.change);
    m_nameLabel->setText(summary.name);
    if (const std::optional<QColor> colour = moveColour(summary.move)) {
        setTextColour(*m_priceLabel, *colour);
        setTextColour(*m_changeLabel, *colour);
    }
}

void ValuePage::openPage(const QString& code) {
    ensurePageView();
    if (m_endpoints.valuePages.isEmpty())
        m_pageView->showLocalPage(notConfiguredPage());
    else
        m_pageView->open(valuePageUrl(m_endpoints.valuePages, code));
}

} // namespace tavrin
