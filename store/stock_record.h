#pragma once

#include <QString>

namespace tavrin {

// One row of table gupiao, every value as text; a NULL reads as an empty text.
struct StockRecord {
    QString id; // decimal text of ID
    QString mingcheng;
    QString daima;
    QString cjjg;
    QString cjsl;
    QString yjjg;
    QString yjnr;

    friend bool operator==(const StockRecord&, const StockRecord&) = default;
};

// The fields an append sets; yjjg and yjnr stay unset, suozai is written NULL.
struct NewStock {
    QString mingcheng;
    QString daima;
    QString cjjg;
    QString cjsl;
};

// The columns an update may set. Column names come from here, never from user text.
enum class StockField { Mingcheng, Daima, Cjjg, Cjsl, Yjjg, Yjnr, Suozai };

// The column name of the field in table gupiao; empty for a value outside the enum.
QString columnName(StockField field);

struct FieldValue {
    StockField field;
    QString text; // empty stores NULL
};

} // namespace tavrin
