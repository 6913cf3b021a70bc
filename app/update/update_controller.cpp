#include "app/update/update_controller.h"

#include "app/delivery/message_sink.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/update/updater.h"
#include "app/widgets/window_placement.h"
#include "tavrin/version.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace tavrin {

UpdateController::UpdateController(MainWindow& mainWindow, MessageSink& messages, UpdateSettings settings,
                                   std::unique_ptr<HttpClient> http, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow), m_messages(messages), m_settings(std::move(settings)),
      m_worker(std::move(http), "update check") {
    if (QAction* command = mainWindow.action(main_window_names::updateCommand))
        connect(command, &QAction::triggered, this, &UpdateController::openWindow);
}

void UpdateController::openWindow() {
    if (!m_window) {
        m_window = new UpdateWindow(m_mainWindow);
        connect(m_window->checkButton(), &QPushButton::clicked, this, &UpdateController::check);
        connect(m_window->updateButton(), &QPushButton::clicked, this, &UpdateController::startUpdater);
        placeOver(*m_window, m_mainWindow, m_window->frameGeometry().size());
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void UpdateController::check() {
    if (!m_window)
        return;
    if (m_settings.server.isEmpty()) {
        m_messages.show(noUpdateServerMessage());
        emit checkFinished();
        return;
    }
    QPushButton* button = m_window->checkButton();
    const QByteArray url = manifestUrl(m_settings.server);
    const QString current = QString::fromUtf8(currentVersionText);
    // Answers for a window closed meanwhile go to no one.
    const bool started = m_worker.tryRun<UpdateCheckResult>(
        [url, current](HttpClient& http) { return checkManifest(http.get(url), current); }, m_window.data(),
        [this, button](const UpdateCheckResult& result) {
            button->setEnabled(true);
            report(result);
            emit checkFinished();
        });
    if (started)
        button->setEnabled(false);
}

void UpdateController::report(const UpdateCheckResult& result) {
    switch (result.finding) {
    case UpdateFinding::Unreadable:
        m_messages.show(unreadableManifestMessage());
        return;
    case UpdateFinding::UpToDate:
        m_manifest = result.manifest;
        m_messages.show(upToDateMessage());
        return;
    case UpdateFinding::NewVersion:
        break;
    }
    m_manifest = result.manifest;
    m_window->showNewVersion(m_manifest.version, m_manifest.summary);
    m_messages.show(newVersionMessage(m_window->latestVersionLabel()->text()));
    if (!m_manifest.forced())
        return;
    // No box announces an update that no updater runs for.
    if (launchUpdater())
        m_messages.show(forcedUpdateMessage());
}

void UpdateController::startUpdater() {
    launchUpdater();
}

bool UpdateController::launchUpdater() {
    const QString path = updaterPath(m_settings.programDirectory);
    switch (tavrin::startUpdater(path)) {
    case UpdaterStart::Started:
        return true;
    case UpdaterStart::Missing:
        m_messages.show(missingUpdaterMessage(path));
        break;
    case UpdaterStart::Failed:
        m_messages.show(updaterNotStartedMessage(path));
        break;
    }
    return false;
}

} // namespace tavrin
