#pragma once

#include "app/delivery/message_sink.h"
#include "app/editing/alert_commands.h"
#include "app/editing/edit_feedback.h"
#include "app/editing/stock_commands.h"
#include "app/main_window/main_window.h"
#include "monitor/alert_state_store.h"
#include "monitor/monitoring_cycle.h"
#include "monitor/notifier.h"
#include "platform/data_directory.h"
#include "platform/profile.h"
#include "quotes/async_quote_lookup.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"
#include "tests/support/fakes.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <vector>

namespace tavrin {

// The editing commands as the program wires them: a real main window, a real
// SQLite file and settings file in a temporary data directory, quotes from the
// service at quoteUrl; message boxes and balloons are recorded.
class EditFixture {
public:
    explicit EditFixture(const QString& quoteUrl);
    ~EditFixture();
    EditFixture(const EditFixture&) = delete;
    EditFixture& operator=(const EditFixture&) = delete;

    // Appends a record (with an alert when given) and reloads the list; returns its ID.
    QString seed(const QString& name, const QString& code, const QString& cost = QStringLiteral("10"),
                 const QString& quantity = QStringLiteral("100"), const QString& alertPrice = QString(),
                 const QString& alertKind = QString());
    std::vector<StockRecord> records();
    // The stored value of one field, so NULL and an empty text can be told apart.
    QVariant rawField(const QString& id, const QString& field);
    // A statement on a connection of its own, for making later operations fail.
    bool execSql(const QString& sql);
    // The settings file's entries as they are on disk.
    ProfileEditor settingsOnDisk() const;

    QLineEdit* box(const char* name) const;
    template <typename T> T* control(const char* name) const {
        return window.control<T>(QString::fromUtf8(name));
    }
    void select(int row);
    // Shows the window and makes it active, so focus can be checked.
    bool showActive();
    // Sets the code box's text and waits for its look-up to be taken in.
    bool enterCode(const QString& code);

    QTemporaryDir directory;
    DataDirectory data;
    StockDatabase database;
    WatchListModel model;
    MainWindow window;
    Profile settings;
    AlertStateStore alertState{settings};
    FakeMessages messages;
    test::RecordingNotifier notifier;
    EditFeedback feedback;
    std::unique_ptr<MonitoringCycle> monitoring;
    AsyncQuoteLookup codeLookup;
    AsyncQuoteLookup alertLookup;
    StockCommands stocks;
    AlertCommands alerts;
};

// The balloon every successful edit shows.
Balloon editBalloon(const char* title, const char* body);

} // namespace tavrin
