// qt-check: prints one line per fact and ends non-zero when one is wrong.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QStyle>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

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
    // Looked at before quitting: quit() closes the windows.
    bool shown = false;
    QString state;
    QTimer::singleShot(500, &app, [&] {
        const bool exposed = label.windowHandle() && label.windowHandle()->isExposed();
        shown = label.isVisible() && exposed;
        state = u"visible %1, exposed %2, %3 x %4"_s.arg(label.isVisible())
                    .arg(exposed)
                    .arg(label.width())
                    .arg(label.height());
        app.quit();
    });
    app.exec();
    report(u"window shown"_s, shown, state);
    // Chinese text drawn, not boxes: the rendering has ink.
    const QImage image = label.grab().toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    report(u"text drawn"_s, ink > 0, u"%1 dark pixels"_s.arg(ink));
    out.flush();
    return wrong == 0 ? 0 : 1;
}
