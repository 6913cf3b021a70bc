#include "store/stock_database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <atomic>
#include <type_traits>

namespace tavrin {

namespace {

// Long enough to ride out another process's short write, short enough that the UI
// thread is not held up for long when the file stays locked.
constexpr int busyTimeoutMs = 1000;

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tavrin-store-%1").arg(counter.fetch_add(1));
}

DbResult failure(const QString& what, const QSqlError& error) {
    return Status::failure(what, what + QStringLiteral(": ") + error.text());
}

DbResult failure(const QString& what) {
    return Status::failure(what);
}

// A result of a richer kind that carries only the failure.
template <typename Result> Result failed(const DbResult& reason) {
    Result result;
    result.fail(reason);
    if constexpr (std::is_same_v<Result, LocateResult>)
        result.status = LocateStatus::Error;
    return result;
}

// Empty texts are stored as NULL.
QVariant textValue(const QString& text) {
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// An ID text is the decimal digits of a positive number, nothing else.
bool parseId(const QString& text, qlonglong* id) {
    if (text.isEmpty() || text.size() > 19)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    bool ok = false;
    *id = text.toLongLong(&ok);
    return ok;
}

// mode=rw: an existing file only. Opening must never create a database where the
// user's one has gone missing.
QString existingFileUri(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=rw");
}

} // namespace

StockDatabase::StockDatabase() : m_connectionName(nextConnectionName()) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
}

StockDatabase::~StockDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

DbResult StockDatabase::open(const QString& path) {
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    db.close();
    m_path = path;
    if (!db.isValid())
        return failure(QStringLiteral("缺少 SQLite 数据库驱动"));
    if (!QFileInfo(path).isFile())
        return failure(QStringLiteral("股票数据库文件 %1 不存在").arg(QDir::toNativeSeparators(path)));

    db.setDatabaseName(existingFileUri(path));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open())
        return failure(QStringLiteral("无法打开股票数据库文件 %1").arg(QDir::toNativeSeparators(path)),
                       db.lastError());

    // SQLite reads the file lazily; a statement on the table finds out now whether
    // this is a database with our table at all.
    QSqlQuery probe(db);
    if (!probe.prepare(QStringLiteral(
            "SELECT ID, mingcheng, daima, cjjg, cjsl, yjjg, yjnr, suozai FROM gupiao LIMIT 0"))) {
        const DbResult result =
            failure(QStringLiteral("无法使用股票数据库文件 %1").arg(QDir::toNativeSeparators(path)),
                    probe.lastError());
        probe = QSqlQuery();
        db.close();
        return result;
    }
    return DbResult{};
}

bool StockDatabase::isOpen() const {
    return QSqlDatabase::database(m_connectionName, false).isOpen();
}

DbResult StockDatabase::ensureOpen() {
    if (isOpen())
        return DbResult{};
    if (m_path.isEmpty())
        return failure(QStringLiteral("股票数据库尚未打开"));
    return open(m_path);
}

LoadResult StockDatabase::loadAll() {
    if (DbResult opened = ensureOpen(); !opened)
        return failed<LoadResult>(opened);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT ID, mingcheng, daima, cjjg, cjsl, yjjg, yjnr FROM gupiao ORDER BY ID")))
        return failed<LoadResult>(failure(QStringLiteral("无法读取股票列表"), query.lastError()));
    LoadResult result;
    while (query.next()) {
        result.records.push_back(StockRecord{QString::number(query.value(0).toLongLong()),
                                             query.value(1).toString(), query.value(2).toString(),
                                             query.value(3).toString(), query.value(4).toString(),
                                             query.value(5).toString(), query.value(6).toString()});
    }
    // A read that breaks off half-way (a damaged page) gives no rows rather than some.
    if (query.lastError().isValid())
        return failed<LoadResult>(failure(QStringLiteral("无法读取股票列表"), query.lastError()));
    return result;
}

LocateResult StockDatabase::locate(const QString& code) {
    const QString what = QStringLiteral("无法查找股票");
    if (DbResult opened = ensureOpen(); !opened)
        return failed<LocateResult>(opened);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(
            QStringLiteral("SELECT ID, mingcheng FROM gupiao WHERE daima = ? ORDER BY ID LIMIT 1")))
        return failed<LocateResult>(failure(what, query.lastError()));
    query.addBindValue(code);
    if (!query.exec())
        return failed<LocateResult>(failure(what, query.lastError()));
    LocateResult result;
    if (query.next()) {
        result.status = LocateStatus::Found;
        result.id = QString::number(query.value(0).toLongLong());
        result.name = query.value(1).toString();
    } else if (query.lastError().isValid()) {
        return failed<LocateResult>(failure(what, query.lastError()));
    }
    return result;
}

AppendResult StockDatabase::append(const NewStock& stock) {
    const QString what = QStringLiteral("无法添加股票");
    if (DbResult opened = ensureOpen(); !opened)
        return failed<AppendResult>(opened);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral(
            "INSERT INTO gupiao (mingcheng, daima, suozai, cjjg, cjsl) VALUES (?, ?, NULL, ?, ?)")))
        return failed<AppendResult>(failure(what, query.lastError()));
    query.addBindValue(textValue(stock.mingcheng));
    query.addBindValue(textValue(stock.daima));
    query.addBindValue(textValue(stock.cjjg));
    query.addBindValue(textValue(stock.cjsl));
    if (!query.exec())
        return failed<AppendResult>(failure(what, query.lastError()));
    AppendResult result;
    result.id = QString::number(query.lastInsertId().toLongLong());
    return result;
}

DbResult StockDatabase::update(const QString& id, const std::vector<FieldValue>& fields) {
    qlonglong key = 0;
    if (!parseId(id, &key))
        return failure(QStringLiteral("没有编号为“%1”的记录").arg(id));
    if (fields.empty())
        return DbResult{};
    QStringList assignments;
    for (const FieldValue& value : fields) {
        const QString column = columnName(value.field);
        if (column.isEmpty())
            return failure(QStringLiteral("未知的字段"));
        assignments.append(column + QStringLiteral(" = ?"));
    }
    if (DbResult opened = ensureOpen(); !opened)
        return opened;

    // One statement is saved whole or not at all. Where a column is named twice,
    // SQLite keeps the rightmost assignment: the caller's last word, as in field order.
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral("UPDATE gupiao SET ") + assignments.join(QStringLiteral(", ")) +
                       QStringLiteral(" WHERE ID = ?")))
        return failure(QStringLiteral("无法修改股票"), query.lastError());
    for (const FieldValue& value : fields)
        query.addBindValue(textValue(value.text));
    query.addBindValue(key);
    if (!query.exec())
        return failure(QStringLiteral("无法修改股票"), query.lastError());
    if (query.numRowsAffected() < 1)
        return failure(QStringLiteral("没有编号为 %1 的记录").arg(id));
    return DbResult{};
}

RemoveResult StockDatabase::removeById(const QString& id) {
    const QString what = QStringLiteral("无法删除股票");
    qlonglong key = 0;
    if (!parseId(id, &key))
        return RemoveResult{};
    if (DbResult opened = ensureOpen(); !opened)
        return failed<RemoveResult>(opened);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral("DELETE FROM gupiao WHERE ID = ?")))
        return failed<RemoveResult>(failure(what, query.lastError()));
    query.addBindValue(key);
    if (!query.exec())
        return failed<RemoveResult>(failure(what, query.lastError()));
    RemoveResult result;
    result.removed = query.numRowsAffected() > 0;
    return result;
}

} // namespace tavrin
