#include "platform/http_client.h"

namespace tavrin {

Status HttpResponse::outcome() const {
    if (ok())
        return {};
    const QString detail = error.isEmpty() ? QStringLiteral("HTTP status %1").arg(status) : error;
    return Status::failure(QStringLiteral("网络请求失败"), detail);
}

std::vector<HttpResponse> HttpClient::getMany(const std::vector<QByteArray>& urls, int /*maxInFlight*/) {
    std::vector<HttpResponse> responses;
    responses.reserve(urls.size());
    for (const QByteArray& url : urls)
        responses.push_back(get(url));
    return responses;
}

} // namespace tavrin
