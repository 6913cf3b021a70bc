#include "app/program.h"

#include "app/editing/edit_controller.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/start_up.h"
#include "app/market_views/quote_window_request.h"
#include "app/petals_command/lumeve_loader.h"
#include "app/petals_command/petals_command_wiring.h"
#include "app/terminal_link/code_hand_off.h"
#include "app/terminal_link/system_window_directory.h"
#include "app/value_page/value_page_address.h"
#include "app/widgets/window_transparency.h"
#include "platform/curl_http_client.h"
#include "platform/gbk.h"
#include "quotes/quote_fetch.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QSlider>
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
      m_alertLookup(quoteServiceUrl()), m_petalsCommand(std::make_unique<LumeveLoader>(), m_messages) {
    // The ticker bar comes first, before the rest of start-up.
    m_ticker.hold(new TickerBar([this] { return m_window.frameGeometry(); },
                                std::make_unique<CurlHttpClient>(), quoteServiceUrl(), m_notifier));
    m_ticker.showBar();

    auto worker =
        makeMonitoringWorker(quoteServiceUrl(), [this](const RowSnapshots& rows) { checkAlerts(rows); });
    m_monitoring = std::make_unique<MonitoringCycle>(m_watchList, *m_window.monitorTimer(),
                                                     *m_window.colourTimer(), std::move(worker), this);

    QPushButton* button = m_window.monitorButton();
    connect(button, &QPushButton::clicked, this, [this, button] { m_monitoring->toggle(button->text()); });
    connect(m_monitoring.get(), &MonitoringCycle::captionChanged, button, &QPushButton::setText);
    connect(m_monitoring.get(), &MonitoringCycle::garbledReply, this, &Program::showGarbledReplyMessage);
    connect(&m_window, &MainWindow::closeRequested, this, &Program::closeRequested);
    connect(&m_window, &MainWindow::stockCodeActivated, this, &Program::handOffToTerminal);
    m_stockCommands = std::make_unique<StockCommands>(m_window, m_database, m_alertState, m_editFeedback,
                                                      *m_monitoring, m_codeLookup);
    m_alertCommands = std::make_unique<AlertCommands>(m_window, m_database, m_alertState, m_editFeedback,
                                                      *m_monitoring, m_alertLookup);
    connectEditCommands(m_window, *m_stockCommands, *m_alertCommands);
    connectQuoteWindow();
    connectPetalsCommand(m_window, m_petalsCommand);
    watchOptions();
    // The transparency slider: see-through by its position, pixels of red 232, green 3, blue 0 fully.
    connect(m_window.requiredControl<QSlider>(names::transparencySlider), &QSlider::valueChanged, this,
            [this](int position) {
                applyTransparency(m_window, {position, QColor(232, 3, 0), false});
            });
    m_valuePage = std::make_unique<ValuePage>(m_window, m_messages,
                                              ValuePageEndpoints{quoteServiceUrl(), valueServiceUrl()},
                                              std::make_unique<CurlHttpClient>());
    m_update = std::make_unique<UpdateController>(
        m_window, m_messages, UpdateSettings{updateServiceUrl(), QCoreApplication::applicationDirPath()},
        std::make_unique<CurlHttpClient>());
    m_about = std::make_unique<AboutController>(m_window, m_messages, ContactSettings::fromEnvironment(),
                                                std::make_unique<ShellLinkOpener>());
    m_shell = std::make_unique<WindowShell>(m_window, *m_window.trayIcon(), icon, satellites(), this);
}

WindowShell::Satellites Program::satellites() {
    return WindowShell::Satellites{
        .showTicker = [this] { m_ticker.showBar(); },
        .hideTicker = [this] { m_ticker.hideBar(); },
        .dock = [this](const QRect& mainFrame) { m_ticker.dockTo(mainFrame); },
    };
}

Program::~Program() {
    m_ticker.cancelTransfers();
    m_alertCommands.reset();
    m_stockCommands.reset();
    // The worker ends before the objects its alert check uses.
    m_monitoring.reset();
}

void Program::start() {
    if (const Status started = runStartUp(m_window, m_database, m_dataDirectory); !started)
        std::fprintf(stderr, "Tavrin: watch list not loaded: %s\n", qPrintable(started.reason()));
    m_monitoring->refreshNow();
    m_log.writeLine(startupLogMessage.toString());
}

void Program::connectQuoteWindow() {
    m_quoteWindow = std::make_unique<QuoteWindowCommand>(
        m_window, [] { return std::make_unique<CurlHttpClient>(); }, quoteServiceUrl(), chartServiceUrl());
    if (QAction* open = m_window.action(names::quoteWindowCommand))
        connect(open, &QAction::triggered, m_quoteWindow.get(), &QuoteWindowCommand::open);
    connect(&m_window, &MainWindow::positionChanged, m_quoteWindow.get(),
            [this] { m_quoteWindow->dockTo(m_window.frameGeometry()); });
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

void Program::handOffToTerminal(const QString& code) {
    const QByteArray bytes = gbk::encode(code);
    auto windows = terminal_link::makeSystemWindowDirectory();
    const auto* tdxLink = m_window.control<QCheckBox>(names::tdxLinkOption);
    const terminal_link::HandOff result = terminal_link::handOffCode(
        *windows, std::string_view(bytes.constData(), size_t(bytes.size())), tdxLink && tdxLink->isChecked());
    if (result.outcome == terminal_link::HandOff::Outcome::NoTerminal)
        m_messages.show(Message{QString::fromUtf8(terminal_link::noTerminalText),
                                QString::fromUtf8(terminal_link::noTerminalCaption), MessageIcon::None,
                                MessageOwner::MainWindow});
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
