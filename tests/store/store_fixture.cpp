#include "tests/store/store_fixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tavrin::fixture {

RawDatabase::RawDatabase(const QString& path)
    : m_name(QStringLiteral("fixture-") + QUuid::createUuid().toString(QUuid::Id128)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.open();
}

RawDatabase::~RawDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool RawDatabase::exec(const QString& sql, const QVariantList& bindings) {
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    bool ok = query.prepare(sql);
    for (const QVariant& binding : bindings)
        query.addBindValue(binding);
    if (ok && query.exec())
        return true;
    qWarning("fixture: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

QVariant RawDatabase::value(const QString& sql, const QVariantList& bindings) {
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.prepare(sql))
        return QVariant();
    for (const QVariant& binding : bindings)
        query.addBindValue(binding);
    if (!query.exec() || !query.next())
        return QVariant();
    return query.value(0);
}

bool createDatabase(const QString& path, const std::vector<Row>& rows) {
    if (QFile::exists(path))
        return false;
    RawDatabase raw(path);
    if (!raw.exec(QStringLiteral("CREATE TABLE gupiao (ID INTEGER PRIMARY KEY AUTOINCREMENT, mingcheng TEXT, "
                                 "daima TEXT, cjjg TEXT, cjsl TEXT, yjjg TEXT, yjnr TEXT, suozai TEXT)")))
        return false;
    for (const Row& row : rows) {
        if (row.size() != 7 ||
            !raw.exec(QStringLiteral("INSERT INTO gupiao (ID, mingcheng, daima, cjjg, cjsl, yjjg, yjnr) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                      row))
            return false;
    }
    return true;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace tavrin::fixture
