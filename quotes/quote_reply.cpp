#include "quotes/quote_reply.h"

#include "platform/gbk.h"

namespace tavrin {

std::vector<QByteArrayView> splitReplyFields(QByteArrayView reply) {
    if (const qsizetype zero = reply.indexOf('\0'); zero >= 0)
        reply = reply.first(zero);
    std::vector<QByteArrayView> fields;
    if (reply.isEmpty())
        return fields;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < reply.size()) {
        const qsizetype length = gbk::characterLength(reply, i);
        if (length == 1 && reply[i] == '~') {
            fields.push_back(reply.sliced(start, i - start));
            start = i + 1;
        }
        i += length;
    }
    if (start < reply.size())
        fields.push_back(reply.sliced(start));
    return fields;
}

} // namespace tavrin
