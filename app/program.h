#pragma once

#include "app/delivery/clip_player.h"
#include "app/delivery/message_box_sink.h"
#include "app/delivery/tray_notifier.h"
#include "app/editing/alert_commands.h"
#include "app/editing/edit_feedback.h"
#include "app/editing/stock_commands.h"
#include "app/main_window/main_window.h"
#include "monitor/alert_rules.h"
#include "monitor/clock.h"
#include "monitor/daily_log.h"
#include "monitor/monitoring_cycle.h"
#include "monitor/queued_alert_sink.h"
#include "platform/data_directory.h"
#include "platform/profile.h"
#include "quotes/async_quote_lookup.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QIcon>
#include <atomic>
#include <memory>

namespace tavrin {

// The composition root: builds every object of the running program once and
// passes each its dependencies. Lives on the UI thread for the whole run.
class Program : public QObject {
    Q_OBJECT

public:
    explicit Program(const QIcon& icon);
    ~Program() override;

    // The start-up sequence: list loaded, one refresh pass, the start-up log line.
    void start();

    MainWindow& window() { return m_window; }
    MonitoringCycle& monitoring() { return *m_monitoring; }
    StockDatabase& database() { return m_database; }
    const DataDirectory& dataDirectory() const { return m_dataDirectory; }
    Profile& settings() { return m_settings; }
    AlertStateStore& alertState() { return m_alertState; }
    Notifier& notifier() { return m_notifier; }
    StockCommands& stockCommands() { return *m_stockCommands; }
    AlertCommands& alertCommands() { return *m_alertCommands; }

signals:
    void closeRequested();

private:
    void watchOptions();
    void showGarbledReplyMessage();
    void checkAlerts(const RowSnapshots& rows);

    DataDirectory m_dataDirectory;
    SystemClock m_clock;
    StockDatabase m_database;
    WatchListModel m_watchList;
    MainWindow m_window;
    Profile m_settings;
    // The alert state of the run: the file while it works, else kept in memory.
    AlertStateStore m_alertState;
    DailyLog m_log;
    TrayNotifier m_notifier;
    ClipPlayer m_clips;
    QueuedAlertSink m_alertSink;
    AlertRules m_alertRules;
    // The option boxes as the worker reads them at the moment of a check.
    std::atomic<bool> m_balloonOption{true};
    std::atomic<bool> m_soundOption{true};
    std::unique_ptr<MonitoringCycle> m_monitoring;
    MessageBoxSink m_messages;
    EditFeedback m_editFeedback;
    // One look-up thread per command set, so the alert editor never waits behind a code entry.
    AsyncQuoteLookup m_codeLookup;
    AsyncQuoteLookup m_alertLookup;
    std::unique_ptr<StockCommands> m_stockCommands;
    std::unique_ptr<AlertCommands> m_alertCommands;
    bool m_garbledMessageShown = false;
};

} // namespace tavrin
