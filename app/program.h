#pragma once

#include "app/about/about_controller.h"
#include "app/delivery/clip_player.h"
#include "app/delivery/message_box_sink.h"
#include "app/delivery/tray_notifier.h"
#include "app/editing/alert_commands.h"
#include "app/editing/edit_feedback.h"
#include "app/editing/stock_commands.h"
#include "app/main_window/main_window.h"
#include "app/main_window/window_shell.h"
#include "app/market_views/quote_window_command.h"
#include "app/market_views/ticker_holder.h"
#include "app/petals_command/petals_command.h"
#include "app/update/update_controller.h"
#include "app/value_page/value_page.h"
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

    // For tests that drive the program's own objects.
    MainWindow& window() { return m_window; }
    MonitoringCycle& monitoring() { return *m_monitoring; }
    StockDatabase& database() { return m_database; }
    Profile& settings() { return m_settings; }
    QuoteWindowCommand& quoteWindow() { return *m_quoteWindow; }
    AlertStateStore& alertState() { return m_alertState; }

signals:
    void closeRequested();

private:
    void watchOptions();
    void connectQuoteWindow();
    void showGarbledReplyMessage();
    void checkAlerts(const RowSnapshots& rows);
    void handOffToTerminal(const QString& code);
    WindowShell::Satellites satellites();

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
    std::unique_ptr<WindowShell> m_shell;
    std::unique_ptr<QuoteWindowCommand> m_quoteWindow;
    bool m_garbledMessageShown = false;
    std::unique_ptr<ValuePage> m_valuePage;
    std::unique_ptr<UpdateController> m_update;
    std::unique_ptr<AboutController> m_about;
    PetalsCommand m_petalsCommand;
    // Last, so that the bar and its worker go first.
    TickerHolder m_ticker;
};

} // namespace tavrin
