#pragma once

#include "platform/http_client.h"

#include <QByteArray>
#include <array>

namespace tavrin {

// The three indices of the bar, in the order they are refreshed.
struct TickerIndex {
    const char* requestCode; // market prefix included
    const char* valueLabel;  // object name of the label showing it
};
extern const std::array<TickerIndex, 3> tickerIndices;

// The reply text for each index, in table order; an empty one means nothing arrived.
using TickerReplies = std::array<QByteArray, 3>;

// One index refresh sweep; blocks on the network, so it runs on a worker thread.
// The three indices are asked in one batch request; an index the batch does not
// answer is asked alone. When the batch finds no service at all, the single
// requests are not tried.
TickerReplies fetchTickerIndices(HttpClient& http, const QByteArray& baseUrl);

} // namespace tavrin
