#pragma once

#include "store/db_result.h"
#include "store/stock_record.h"

#include <QString>
#include <vector>

namespace tavrin {

// The watch list's table gupiao in an SQLite file. Every value is bound as a
// parameter; nothing the user typed is ever part of an SQL text. Each instance has
// a connection of its own, used only by the thread that created it (the UI thread).
class StockDatabase {
public:
    StockDatabase();
    ~StockDatabase();
    StockDatabase(const StockDatabase&) = delete;
    StockDatabase& operator=(const StockDatabase&) = delete;

    // Opens an existing database file; a missing file is an error, never created.
    // Fails too when the file is not a database or has no table gupiao. Opening
    // again closes the previous connection first.
    DbResult open(const QString& path);
    bool isOpen() const;
    const QString& path() const { return m_path; }

    // Every record once, in ascending ID.
    LoadResult loadAll();

    // The first record, in ascending ID, whose daima equals the code exactly.
    LocateResult locate(const QString& code);

    // A new record; empty texts are stored as NULL, suozai as NULL, yjjg and yjnr unset.
    AppendResult append(const NewStock& stock);

    // Sets the fields of the record with that ID in the given order, all or none.
    // Fails when no record has that ID.
    DbResult update(const QString& id, const std::vector<FieldValue>& fields);

    // Deletes the record with that ID; an ID that is not a number or names no record
    // deletes nothing and is not an error.
    RemoveResult removeById(const QString& id);

private:
    DbResult ensureOpen();

    QString m_connectionName;
    QString m_path;
};

} // namespace tavrin
