#include "store/database_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tavrin {

namespace {

// AUTOINCREMENT: IDs ascend and are never reused, not even the highest one after a
// delete. TEXT keeps every value exactly as it was written.
const char* const createTable = "CREATE TABLE gupiao ("
                                "ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                "mingcheng TEXT, daima TEXT, cjjg TEXT, cjsl TEXT, "
                                "yjjg TEXT, yjnr TEXT, suozai TEXT)";

ProvisionResult failed(const QString& reason) {
    ProvisionResult result;
    result.fail(Status::failure(QStringLiteral("无法创建股票数据库文件"), reason));
    return result;
}

// Returns an empty text on success, else the reason.
QString createEmptyDatabase(const QString& path) {
    const QString connection =
        QStringLiteral("tavrin-provision-") + QUuid::createUuid().toString(QUuid::Id128);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(QString::fromLatin1(createTable)))
                error = query.lastError().text();
            query = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

} // namespace

ProvisionResult provisionDatabaseFile(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return ProvisionResult{};
    const QDir directory = info.absoluteDir();
    if (!directory.exists())
        return failed(QStringLiteral("the folder of %1 does not exist").arg(QDir::toNativeSeparators(path)));

    // Built under a name of its own and renamed into place, so that a crash half-way
    // never leaves a Database.db without its table.
    const QString temporary = directory.filePath(info.fileName() + QStringLiteral(".new-") +
                                                 QUuid::createUuid().toString(QUuid::Id128));
    {
        QFile reserve(temporary);
        if (!reserve.open(QIODevice::NewOnly | QIODevice::WriteOnly))
            return failed(QStringLiteral("cannot create %1: %2")
                              .arg(QDir::toNativeSeparators(temporary), reserve.errorString()));
    }
    auto discard = [&temporary] {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
    };
    if (const QString error = createEmptyDatabase(temporary); !error.isEmpty()) {
        discard();
        return failed(
            QStringLiteral("cannot create the table in %1: %2").arg(QDir::toNativeSeparators(path), error));
    }
    // QFile::rename never replaces an existing file.
    if (!QFile::rename(temporary, path)) {
        discard();
        if (QFileInfo::exists(path))
            return ProvisionResult{};
        return failed(QStringLiteral("cannot create %1").arg(QDir::toNativeSeparators(path)));
    }
    ProvisionResult result;
    result.created = true;
    return result;
}

} // namespace tavrin
