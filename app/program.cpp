#include "app/program.h"

#include "app/editing/edit_controller.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/start_up.h"
#include "quotes/quote_fetch.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <cstdio>

namespace tavrin {

namespace names = main_window_names;
namespace {

std::vector<AlertRow> alertRows(const RowSnapshots& rows) {
    std::vector<AlertRow> alertRows;
    alertRows.reserve(rows.size());
    for (const RowSnapshot& row : rows)
        alertRows.push_back({row.name, row.price, row.change, row.profit, row.alertPrice, row.alertKind});
    return alertRows;
}

} // namespace

Program::Program(const QIcon& icon)
    : m_dataDirectory(DataDirectory::resolve()), m_window(&m_watchList, icon),
      m_settings(m_dataDirectory.settingsFile()), m_alertState(m_settings),
      m_log(m_dataDirectory.path(), m_clock), m_notifier(*m_window.trayIcon()), m_clips(this),
      m_alertSink(m_notifier, m_clips, this), m_alertRules(m_alertState, m_alertSink, m_alertSink, m_log),
      m_messages(m_window), m_editFeedback(m_messages, m_notifier), m_codeLookup(quoteServiceUrl()),
      m_alertLookup(quoteServiceUrl()) {
    auto worker =
        makeMonitoringWorker(quoteServiceUrl(), [this](const RowSnapshots& rows) { checkAlerts(rows); });
    m_monitoring = std::make_unique<MonitoringCycle>(m_watchList, *m_window.monitorTimer(),
                                                     *m_window.colourTimer(), std::move(worker), this);

    QPushButton* button = m_window.monitorButton();
    connect(button, &QPushButton::clicked, this, [this, button] { m_monitoring->toggle(button->text()); });
    connect(m_monitoring.get(), &MonitoringCycle::captionChanged, button, &QPushButton::setText);
    connect(m_monitoring.get(), &MonitoringCycle::garbledReply, this, &Program::showGarbledReplyMessage);
    connect(&m_window, &MainWindow::closeRequested, this, &Program::closeRequested);
    m_stockCommands = std::make_unique<StockCommands>(m_window, m_database, m_settings, m_editFeedback,
                                                      *m_monitoring, m_codeLookup);
    m_alertCommands = std::make_unique<AlertCommands>(m_window, m_database, m_settings, m_editFeedback,
                                                      *m_monitoring, m_alertLookup);
    connectEditCommands(m_window, *m_stockCommands, *m_alertCommands);
    watchOptions();
}

Program::~Program() {
    m_alertCommands.reset();
    m_stockCommands.reset();
    // The worker ends before the objects its alert check uses.
    m_monitoring.reset();
}

void Program::start() {
    if (const QString error = runStartUp(m_window, m_database, m_dataDirectory); !error.isEmpty())
        std::fprintf(stderr, "Tavrin: watch list not loaded: %s\n", qPrintable(error));
    m_monitoring->refreshNow();
    m_log.writeLine(startupLogMessage.toString());
}

void Program::watchOptions() {
    const auto follow = [this](const char* name, std::atomic<bool>& option) {
        if (auto* box = m_window.control<QCheckBox>(name)) {
            option = box->isChecked();
            connect(box, &QCheckBox::toggled, this, [&option](bool checked) { option = checked; });
        }
    };
    follow(names::balloonOption, m_balloonOption);
    follow(names::soundOption, m_soundOption);
}

void Program::checkAlerts(const RowSnapshots& rows) {
    m_alertRules.check(alertRows(rows), AlertOptions{m_balloonOption.load(), m_soundOption.load()});
}

void Program::showGarbledReplyMessage() {
    // Every pass may bring the same garbage again: one box at a time is enough.
    if (m_garbledMessageShown)
        return;
    m_garbledMessageShown = true;
    m_editFeedback.failed(tooManyFieldsMessage());
    m_garbledMessageShown = false;
}

} // namespace tavrin
