#include "app/about/about_controller.h"

#include "app/about/about_pictures.h"
#include "app/about/service_panel.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/widgets/canvas.h"
#include "assets/assets_init.h"

#include <QAction>
#include <QFile>
#include <QPushButton>

namespace tavrin {

namespace {

// The one JPEG of the program, read with Qt's own JPEG reader.
QImage loadContactPicture() {
    initAssets();
    QFile file(QString::fromUtf8(contactPicture));
    return file.open(QIODevice::ReadOnly) ? QImage::fromData(file.readAll(), "JPEG") : QImage();
}

} // namespace

Message sayingMessage() {
    return {.text = saying(), .owner = MessageOwner::MainWindow};
}

AboutController::AboutController(MainWindow& mainWindow, MessageSink& messages, ContactSettings contact,
                                 std::unique_ptr<LinkOpener> links, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow), m_messages(messages), m_contact(std::move(contact)),
      m_links(std::move(links)) {
    if (QAction* command = mainWindow.action(main_window_names::aboutCommand))
        connect(command, &QAction::triggered, this, &AboutController::openAbout);
    if (Canvas* canvas = mainWindow.canvas()) {
        // Decoded when the panel is first painted: its page is hidden at start, and
        // decoding (with loading the JPEG reader) would delay the first paint.
        canvas->setPaintHandler([canvas, picture = QImage()](QPainter& painter, QSize size) mutable {
            if (picture.isNull())
                picture = loadContactPicture();
            paintServicePanel(painter, size, canvas->font(), picture);
        });
    }
}

void AboutController::openAbout() {
    if (!m_about) {
        m_about = new AboutWindow(m_mainWindow);
        connect(m_about->contactButton(), &QPushButton::clicked, this,
                [this] { m_links->open(contactLink(m_contact)); });
        connect(m_about->sayingButton(), &QPushButton::clicked, this, &AboutController::showSaying);
        connect(m_about->thankYouButton(), &QPushButton::clicked, this, &AboutController::openThankYou);
    }
    m_about->bringForward();
}

void AboutController::openThankYou() {
    if (!m_thankYou)
        m_thankYou = new ThankYouWindow(m_mainWindow);
    m_thankYou->bringForward();
}

void AboutController::showSaying() {
    m_messages.show(sayingMessage());
}

} // namespace tavrin
