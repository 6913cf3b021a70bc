#include "platform/curl_http_client.h"

#include "platform/curl_library.h"

#include <algorithm>
#include <memory>

namespace tavrin {
namespace {

// Only once curlLibrary() has been checked: every transfer starts with that check.
const CurlLibrary& curl() {
    return *curlLibrary();
}

// One transfer: its handle, header list and the body received so far.
struct Transfer {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    QByteArray body;
    qsizetype maxBody = 0;
    bool tooLarge = false;
    char errorText[CURL_ERROR_SIZE] = {};

    Transfer() = default;
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;
    ~Transfer() {
        if (easy)
            curl().easy_cleanup(easy);
        curl().slist_free_all(headers);
    }
};

size_t appendBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    // Refuse the whole reply rather than keep a truncated one.
    if (transfer->body.size() + static_cast<qsizetype>(bytes) > transfer->maxBody) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

int abortWhenCancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::atomic<bool>*>(user)->load() ? 1 : 0;
}

std::unique_ptr<Transfer> prepare(const QByteArray& url, const HttpLimits& limits,
                                  std::atomic<bool>& cancelled) {
    auto transfer = std::make_unique<Transfer>();
    transfer->easy = curl().easy_init();
    transfer->maxBody = limits.maxBodyBytes;
    if (!transfer->easy)
        return transfer;
    CURL* easy = transfer->easy;
    transfer->headers = curl().slist_append(transfer->headers, "Accept: */*");
    transfer->headers = curl().slist_append(transfer->headers, "Cache-Control: no-cache");
    transfer->headers = curl().slist_append(transfer->headers, "Pragma: no-cache");
    curl().easy_setopt(easy, CURLOPT_URL, url.constData());
    curl().easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers);
    curl().easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl().easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl().easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl().easy_setopt(easy, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    curl().easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    curl().easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl().easy_setopt(easy, CURLOPT_MAXREDIRS, 3L);
    curl().easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl().easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendBody);
    curl().easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    curl().easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->errorText);
    curl().easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl().easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, abortWhenCancelled);
    curl().easy_setopt(easy, CURLOPT_XFERINFODATA, &cancelled);
    return transfer;
}

HttpResponse finish(Transfer& transfer, CURLcode code) {
    HttpResponse response;
    long status = 0;
    curl().easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
    response.status = static_cast<int>(status);
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        response.error = QStringLiteral("reply larger than %1 bytes").arg(transfer.maxBody);
    } else if (code != CURLE_OK) {
        response.error =
            QString::fromUtf8(transfer.errorText[0] ? transfer.errorText : curl().easy_strerror(code));
    } else if (status < 200 || status >= 300) {
        response.error = QStringLiteral("HTTP status %1").arg(status);
    } else {
        response.body = std::move(transfer.body);
    }
    return response;
}

constexpr char noLibrary[] = "libcurl could not be loaded";

HttpResponse refused(const char* reason) {
    HttpResponse response;
    response.error = QString::fromLatin1(reason);
    return response;
}

} // namespace

// The library is loaded by the first transfer, on whichever thread makes it, not
// here: clients are made on the UI thread before the main window first paints.
CurlHttpClient::CurlHttpClient(HttpLimits limits) : m_limits(limits) {}

HttpResponse CurlHttpClient::get(const QByteArray& url) {
    if (m_cancelled.load())
        return refused("cancelled");
    if (!curlLibrary())
        return refused(noLibrary);
    auto transfer = prepare(url, m_limits, m_cancelled);
    if (!transfer->easy)
        return refused("could not create an HTTP handle");
    return finish(*transfer, curl().easy_perform(transfer->easy));
}

std::vector<HttpResponse> CurlHttpClient::getMany(const std::vector<QByteArray>& urls, int maxInFlight) {
    std::vector<HttpResponse> responses(urls.size());
    if (urls.empty())
        return responses;
    if (!curlLibrary()) {
        std::fill(responses.begin(), responses.end(), refused(noLibrary));
        return responses;
    }
    CURLM* multi = curl().multi_init();
    if (!multi)
        return HttpClient::getMany(urls, maxInFlight);
    curl().multi_setopt(multi, CURLMOPT_MAX_TOTAL_CONNECTIONS, static_cast<long>(std::max(1, maxInFlight)));

    std::vector<std::unique_ptr<Transfer>> transfers(urls.size());
    const size_t limit = static_cast<size_t>(std::max(1, maxInFlight));
    size_t next = 0;
    size_t running = 0;
    auto addNext = [&] {
        const size_t index = next++;
        if (m_cancelled.load()) {
            responses[index] = refused("cancelled");
            return;
        }
        transfers[index] = prepare(urls[index], m_limits, m_cancelled);
        if (!transfers[index]->easy) {
            responses[index] = refused("could not create an HTTP handle");
            return;
        }
        curl().easy_setopt(transfers[index]->easy, CURLOPT_PRIVATE, reinterpret_cast<void*>(index));
        curl().multi_add_handle(multi, transfers[index]->easy);
        ++running;
    };

    while (next < urls.size() || running > 0) {
        while (running < limit && next < urls.size())
            addNext();
        int stillRunning = 0;
        curl().multi_perform(multi, &stillRunning);
        int queued = 0;
        bool finishedAny = false;
        while (CURLMsg* message = curl().multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            void* privateData = nullptr;
            curl().easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &privateData);
            const auto index = reinterpret_cast<size_t>(privateData);
            const CURLcode result = message->data.result;
            curl().multi_remove_handle(multi, message->easy_handle);
            responses[index] = finish(*transfers[index], result);
            transfers[index].reset();
            --running;
            finishedAny = true;
        }
        // A freed slot is refilled at once; otherwise wait for socket activity.
        if (running > 0 && !finishedAny)
            curl().multi_poll(multi, nullptr, 0, 100, nullptr);
    }
    curl().multi_cleanup(multi);
    return responses;
}

} // namespace tavrin
