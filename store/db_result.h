#pragma once

#include "platform/status.h"
#include "store/stock_record.h"

#include <QString>
#include <vector>

namespace tavrin {

// The outcome of a database operation: ok, or a failure with a Chinese message and
// the driver's detail.
using DbResult = Status;

struct LoadResult : Status {
    std::vector<StockRecord> records; // empty on failure
};

enum class LocateStatus { Found, NotFound, Error };

struct LocateResult : Status {
    LocateStatus status = LocateStatus::NotFound;
    QString id;   // the ID of the first matching record when found
    QString name; // its mingcheng: alert state is keyed by the stored name

    bool found() const { return status == LocateStatus::Found; }
};

struct AppendResult : Status {
    QString id; // the ID the database assigned
};

struct RemoveResult : Status {
    bool removed = false; // false for an ID that is not a number or names no record
};

} // namespace tavrin
