#pragma once

#include <QByteArrayView>
#include <vector>

namespace tavrin {

// Cuts a quote reply (GBK bytes) into its "~"-separated fields, numbered from 0.
// The text ends at the first zero byte. A "~" that is the trail byte of a
// double-byte character does not separate. Empty fields between separators count;
// an empty piece after the last separator does not; an empty text has no fields.
// The views point into the given bytes.
std::vector<QByteArrayView> splitReplyFields(QByteArrayView reply);

} // namespace tavrin
