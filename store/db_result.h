#pragma once

#include "store/stock_record.h"

#include <QString>
#include <vector>

namespace tavrin {

// The outcome of a database operation: ok, or the reason it failed.
struct DbResult {
    bool ok = true;
    QString error; // empty when ok

    explicit operator bool() const { return ok; }
};

struct LoadResult : DbResult {
    std::vector<StockRecord> records; // empty on failure
};

enum class LocateStatus { Found, NotFound, Error };

struct LocateResult : DbResult {
    LocateStatus status = LocateStatus::NotFound;
    QString id;   // the ID of the first matching record when found
    QString name; // its mingcheng: alert state is keyed by the stored name

    bool found() const { return status == LocateStatus::Found; }
};

struct AppendResult : DbResult {
    QString id; // the ID the database assigned
};

struct RemoveResult : DbResult {
    bool removed = false; // false for an ID that is not a number or names no record
};

} // namespace tavrin
