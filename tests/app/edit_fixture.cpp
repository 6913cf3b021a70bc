#include "tests/app/edit_fixture.h"

#include "app/editing/edit_controller.h"
#include "app/main_window/main_window_names.h"
#include "platform/curl_http_client.h"
#include "store/database_file.h"

#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

namespace tavrin {
namespace names = tavrin::main_window_names;
namespace {

constexpr HttpLimits testLimits{1000, 3000, 1024 * 1024};

std::unique_ptr<MonitoringCycle> makeCycle(WatchListModel& model, MainWindow& window,
                                           const QString& quoteUrl) {
    auto worker = std::make_unique<MonitoringWorker>(std::make_unique<CurlHttpClient>(testLimits), quoteUrl,
                                                     [](const RowSnapshots&) {});
    return std::make_unique<MonitoringCycle>(model, *window.monitorTimer(), *window.colourTimer(),
                                             std::move(worker));
}

} // namespace

Balloon editBalloon(const char* title, const char* body) {
    return Balloon{QString::fromUtf8(title), QString::fromUtf8(body), BalloonIcon::Information, 2000};
}

EditFixture::EditFixture(const QString& quoteUrl)
    : data(directory.path()), window(&model, QIcon()), settings(data.settingsFile()),
      feedback(messages, notifier), monitoring(makeCycle(model, window, quoteUrl)),
      codeLookup(std::make_unique<CurlHttpClient>(testLimits), quoteUrl),
      alertLookup(std::make_unique<CurlHttpClient>(testLimits), quoteUrl),
      stocks(window, database, alertState, feedback, *monitoring, codeLookup),
      alerts(window, database, alertState, feedback, *monitoring, alertLookup) {
    data.provision();
    provisionDatabaseFile(data.databaseFile());
    database.open(data.databaseFile());
    QPushButton* button = window.monitorButton();
    QObject::connect(button, &QPushButton::clicked, monitoring.get(),
                     [this, button] { monitoring->toggle(button->text()); });
    QObject::connect(monitoring.get(), &MonitoringCycle::captionChanged, button, &QPushButton::setText);
    connectEditCommands(window, stocks, alerts);
}

EditFixture::~EditFixture() {
    setTimerPeriod(*window.monitorTimer(), 0);
    setTimerPeriod(*window.colourTimer(), 0);
}

QString EditFixture::seed(const QString& name, const QString& code, const QString& cost,
                          const QString& quantity, const QString& alertPrice, const QString& alertKind) {
    const AppendResult appended = database.append(NewStock{name, code, cost, quantity});
    if (!appended)
        return {};
    if (!alertPrice.isEmpty() || !alertKind.isEmpty())
        database.update(appended.id, {{StockField::Yjjg, alertPrice}, {StockField::Yjnr, alertKind}});
    model.fill(records());
    return appended.id;
}

std::vector<StockRecord> EditFixture::records() {
    return database.loadAll().records;
}

QVariant EditFixture::rawField(const QString& id, const QString& field) {
    const QString connection = QStringLiteral("edit-fixture-read");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(data.databaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT %1 FROM gupiao WHERE ID = ?").arg(field));
            query.addBindValue(id.toLongLong());
            if (query.exec() && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return value;
}

bool EditFixture::execSql(const QString& sql) {
    const QString connection = QStringLiteral("edit-fixture-exec");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(data.databaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(sql);
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

ProfileEditor EditFixture::settingsOnDisk() const {
    QFile file(settings.path());
    if (!file.open(QIODevice::ReadOnly))
        return ProfileEditor();
    return ProfileEditor(file.readAll());
}

QLineEdit* EditFixture::box(const char* name) const {
    return control<QLineEdit>(name);
}

void EditFixture::select(int row) {
    if (row < 0)
        window.watchListView()->clearSelection();
    else
        window.watchListView()->selectRow(row);
}

bool EditFixture::showActive() {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

bool EditFixture::enterCode(const QString& code) {
    QSignalSpy lookedUp(&stocks, &StockCommands::codeLookedUp);
    box(names::codeBox)->setText(code);
    return lookedUp.count() > 0 || lookedUp.wait(10000);
}

} // namespace tavrin
