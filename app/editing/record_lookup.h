#pragma once

#include "store/db_result.h"

#include <optional>

namespace tavrin {

class EditFeedback;
class StockDatabase;

// The record an edit acts on: the first with that code. When there is none the
// user is told "没有找到"; when the database fails, the error box says why. Either
// way nothing is returned and the edit stops.
std::optional<LocateResult> locateForEdit(StockDatabase& database, EditFeedback& feedback,
                                          const QString& code);

} // namespace tavrin
