#pragma once

#include "app/about/about_window.h"
#include "app/about/contact_link.h"
#include "app/about/thank_you_window.h"
#include "app/delivery/message_sink.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace tavrin {

class MainWindow;

// What the main window shows about the program and its maker: the menu command
// "版本与作者" with the about and thank-you windows (each opened once and brought
// forward after), the saying box, the contact link, and the service panel that
// the canvas 画板_我的说明 paints.
class AboutController : public QObject {
    Q_OBJECT

public:
    AboutController(MainWindow& mainWindow, MessageSink& messages, ContactSettings contact,
                    std::unique_ptr<LinkOpener> links, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(AboutController)

    void openAbout();
    void openThankYou();
    // Nullptr while the window is not open.
    AboutWindow* aboutWindow() const { return m_about; }
    ThankYouWindow* thankYouWindow() const { return m_thankYou; }

private:
    void showSaying();

    QWidget& m_mainWindow;
    MessageSink& m_messages;
    ContactSettings m_contact;
    std::unique_ptr<LinkOpener> m_links;
    QPointer<AboutWindow> m_about;
    QPointer<ThankYouWindow> m_thankYou;
};

// The box of "使用介绍": the saying, caption "信息：", owned by the main window.
Message sayingMessage();

} // namespace tavrin
