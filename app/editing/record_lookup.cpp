#include "app/editing/record_lookup.h"

#include "app/editing/edit_feedback.h"
#include "store/stock_database.h"

namespace tavrin {

std::optional<LocateResult> locateForEdit(StockDatabase& database, EditFeedback& feedback,
                                          const QString& code) {
    LocateResult located = database.locate(code);
    if (!located) {
        feedback.failed(databaseFailureText(located.reason()));
        return std::nullopt;
    }
    if (!located.found()) {
        feedback.tell(Message{QStringLiteral("没有找到")});
        return std::nullopt;
    }
    return located;
}

} // namespace tavrin
