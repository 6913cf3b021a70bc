#pragma once

#include "store/db_result.h"

#include <QString>

namespace tavrin {

struct ProvisionResult : Status {
    bool created = false; // false when a file of that name was already there
};

// A first run's database: when no file of that name exists, creates it with an empty
// table gupiao. A file that exists, whatever it holds (nothing, no database, a
// read-only file), is left exactly as it is. The new file appears whole or not at all.
ProvisionResult provisionDatabaseFile(const QString& path);

} // namespace tavrin
