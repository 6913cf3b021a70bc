// qt-check: prints one line per fact and ends non-zero when one is wrong.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QStyle>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    int wrong = 0;
    const auto report = [&](const QString& what, bool ok, const QString& detail) {
        out << (ok ? "ok    " : "WRONG ") << what << ": " << detail << "\n";
        wrong += ok ? 0 : 1;
    };

    report(u"platform plugin"_s, QGuiApplication::platformName() == u"windows"_s,
           QGuiApplication::platformName());
    report(u"style"_s, app.style()->name() == u"windowsvista"_s, app.style()->name());

    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s);
    db.setDatabaseName(u":memory:"_s);
    QSqlQuery query(db);
    const bool sql = db.open() && query.exec(u"select sqlite_version()"_s) && query.next();
    report(u"SQLite driver"_s, sql, sql ? query.value(0).toString() : db.lastError().text());

    // Facts, not requirements: what the GBK layer has to work with.
    out << "info  GB18030 in QStringDecoder: " << (QStringDecoder("GB18030").isValid() ? "yes" : "no")
        << "\n";
    out << "info  GBK in QStringDecoder: " << (QStringDecoder("GBK").isValid() ? "yes" : "no") << "\n";

    QLabel label(u"禾岫 贵州茅台 ↑"_s);
    label.show();
    QTimer::singleShot(200, &app, &QCoreApplication::quit);
    app.exec();
    report(u"window shown"_s, label.isVisible() && label.width() > 0, QString::number(label.width()));
    out.flush();
    return wrong == 0 ? 0 : 1;
}
