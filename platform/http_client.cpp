#include "platform/http_client.h"

namespace tavrin {

std::vector<HttpResponse> HttpClient::getMany(const std::vector<QByteArray>& urls, int /*maxInFlight*/) {
    std::vector<HttpResponse> responses;
    responses.reserve(urls.size());
    for (const QByteArray& url : urls)
        responses.push_back(get(url));
    return responses;
}

} // namespace tavrin
