#include "store/stock_record.h"

namespace tavrin {

QString columnName(StockField field) {
    switch (field) {
    case StockField::Mingcheng:
        return QStringLiteral("mingcheng");
    case StockField::Daima:
        return QStringLiteral("daima");
    case StockField::Cjjg:
        return QStringLiteral("cjjg");
    case StockField::Cjsl:
        return QStringLiteral("cjsl");
    case StockField::Yjjg:
        return QStringLiteral("yjjg");
    case StockField::Yjnr:
        return QStringLiteral("yjnr");
    case StockField::Suozai:
        return QStringLiteral("suozai");
    }
    return QString();
}

} // namespace tavrin
