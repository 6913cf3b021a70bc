#pragma once

#include "monitor/refresh_pass.h"
#include "monitor/request_pool.h"
#include "monitor/row_snapshot.h"
#include "platform/http_client.h"
#include "quotes/quote_fetch.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>

namespace tavrin {

// What came back for some of the codes of one pass, for the UI thread to apply.
struct QuoteAnswer {
    int pass = 0;
    RowRefreshes refreshes;
    bool tooManyFields = false; // a reply had more than 999 fields
    bool passEnded = false;     // every request of the pass has ended
};

struct QuoteRequestLimits {
    int maxInFlight = 8;
    // What a batch request may take before its codes are asked alone; the batch
    // client's time-out. A single answer slower than this means a slow service.
    int batchStallMs = 2000;
};

// The quote requests of the monitoring passes, run on a bounded pool so that a
// pass never waits for the network and never holds back the next one.
// - A code is asked at most once at a time: while its request is outstanding,
//   later passes leave it out.
// - Codes are asked in batches; what a batch does not answer (it failed, or gave
//   up after batchStallMs) is asked alone, all of them at once within the bound.
// - A code whose own request failed is asked alone until it answers again, so a
//   hung code holds back no batch after the first.
// - When answers alone come slower than a batch may take, the service is slow
//   rather than one code hung: batches then get the full time-out until one is fast.
// Answers go to the sink as they arrive, from the pool's threads, while a lock of
// this object is held: the sink must only hand them on.
class QuoteRequests {
public:
    using Sink = std::function<void(QuoteAnswer)>;

    QuoteRequests(HttpClient& batchHttp, HttpClient& http, const QString& baseUrl, Sink sink,
                  QuoteRequestLimits limits = {});
    ~QuoteRequests();
    Q_DISABLE_COPY_MOVE(QuoteRequests)

    // Asks for the rows' codes that have no request outstanding; returns at once.
    // A pass with nothing to ask ends at once.
    void ask(int pass, const RowSnapshots& rows);
    // Drops the requests not yet started (shutdown).
    void cancel();

private:
    struct Pass {
        int id = 0;
        int jobs = 0;                                  // requests not yet ended
        QHash<QString, std::vector<RowSnapshot>> rows; // the rows holding each code
    };
    struct CodeState {
        bool outstanding = false;
        bool alone = false; // its last request alone failed
    };

    void askBatch(const std::shared_ptr<Pass>& pass, QuoteBatch batch);
    void askAlone(const std::shared_ptr<Pass>& pass, const QString& code);
    // Under the lock: one request of the pass has ended with these refreshes.
    void endRequest(Pass& pass, QuoteAnswer answer);
    static void addRefreshes(const Pass& pass, const QString& code, const QuoteResult& quote,
                             QuoteAnswer& answer);

    HttpClient& m_batchHttp;
    HttpClient& m_http;
    const QuoteFetcher m_fetcher;
    const Sink m_sink;
    const QuoteRequestLimits m_limits;
    std::mutex m_mutex;
    QHash<QString, CodeState> m_codes;
    bool m_slowService = false;
    // Last: its threads end before anything they use.
    RequestPool m_pool;
};

} // namespace tavrin
