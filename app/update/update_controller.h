#pragma once

#include "app/update/update_check.h"
#include "app/update/update_window.h"
#include "quotes/view_worker.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace tavrin {

class MainWindow;
class MessageSink;

struct UpdateSettings {
    QString server;           // empty: no update server configured
    QString programDirectory; // where the updater is
};

// The menu command "程序升级": the update window, the check (fetched off the UI
// thread, the check button disabled meanwhile) and the start of the updater.
class UpdateController : public QObject {
    Q_OBJECT

public:
    UpdateController(MainWindow& mainWindow, MessageSink& messages, UpdateSettings settings,
                     std::unique_ptr<HttpClient> http, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(UpdateController)

    // Opens the window, or brings the open one forward.
    void openWindow();
    // Nullptr while no window is open.
    UpdateWindow* window() const { return m_window; }

    void check();
    void startUpdater();

    // The manifest of the latest check that read one.
    const Manifest& manifest() const { return m_manifest; }

signals:
    // A check ended, its boxes confirmed.
    void checkFinished();

private:
    void report(const UpdateCheckResult& result);
    // Starts the updater; false, once the user is told why, when it could not be.
    bool launchUpdater();

    QWidget& m_mainWindow;
    MessageSink& m_messages;
    UpdateSettings m_settings;
    ViewWorker m_worker;
    QPointer<UpdateWindow> m_window;
    Manifest m_manifest;
};

} // namespace tavrin
