#include "monitor/quote_requests.h"

#include <QElapsedTimer>
#include <QSet>

namespace tavrin {

QuoteRequests::QuoteRequests(HttpClient& batchHttp, HttpClient& http, const QString& baseUrl, Sink sink,
                             QuoteRequestLimits limits)
    : m_batchHttp(batchHttp), m_http(http), m_fetcher(http, baseUrl), m_sink(std::move(sink)),
      m_limits(limits), m_pool(limits.maxInFlight) {}

QuoteRequests::~QuoteRequests() {
    m_pool.cancel();
}

void QuoteRequests::cancel() {
    m_pool.cancel();
}

void QuoteRequests::ask(int passId, const RowSnapshots& rows) {
    auto pass = std::make_shared<Pass>();
    pass->id = passId;
    std::vector<QString> codes;
    for (const RowSnapshot& row : rows) {
        // A code without a request keeps its row as it is.
        if (m_fetcher.requestUrl(row.code).isEmpty())
            continue;
        std::vector<RowSnapshot>& holders = pass->rows[row.code];
        if (holders.empty())
            codes.push_back(row.code);
        holders.push_back(row);
    }

    const std::lock_guard guard(m_mutex);
    // Codes that left the list are forgotten once their requests have ended.
    for (auto it = m_codes.begin(); it != m_codes.end();) {
        if (!it->outstanding && !pass->rows.contains(it.key()))
            it = m_codes.erase(it);
        else
            ++it;
    }
    std::vector<QString> batched;
    std::vector<QString> alone;
    for (const QString& code : codes) {
        CodeState& state = m_codes[code];
        if (state.outstanding)
            continue;
        state.outstanding = true;
        (state.alone ? alone : batched).push_back(code);
    }
    std::vector<QuoteBatch> batches = m_fetcher.batches(batched);
    pass->jobs = int(batches.size() + alone.size());
    if (pass->jobs == 0) {
        QuoteAnswer answer;
        answer.pass = passId;
        answer.passEnded = true;
        m_sink(std::move(answer));
        return;
    }
    for (QuoteBatch& batch : batches)
        askBatch(pass, std::move(batch));
    for (const QString& code : alone)
        askAlone(pass, code);
}

void QuoteRequests::addRefreshes(const Pass& pass, const QString& code, const QuoteResult& quote,
                                 QuoteAnswer& answer) {
    answer.tooManyFields = answer.tooManyFields || quote.status == FetchStatus::TooManyFields;
    for (const RowSnapshot& row : pass.rows.value(code)) {
        if (std::optional<RowRefresh> refresh = refreshRow(row, quote))
            answer.refreshes.push_back(std::move(*refresh));
    }
}

void QuoteRequests::endRequest(Pass& pass, QuoteAnswer answer) {
    answer.pass = pass.id;
    answer.passEnded = --pass.jobs == 0;
    if (answer.passEnded || answer.tooManyFields || !answer.refreshes.empty())
        m_sink(std::move(answer));
}

void QuoteRequests::askBatch(const std::shared_ptr<Pass>& pass, QuoteBatch batch) {
    m_pool.post([this, pass, batch = std::move(batch)] {
        bool slow = false;
        {
            const std::lock_guard guard(m_mutex);
            slow = m_slowService;
        }
        QElapsedTimer timer;
        timer.start();
        const HttpResponse response = (slow ? m_http : m_batchHttp).get(batch.url);
        const bool fast = response.ok() && timer.elapsed() < m_limits.batchStallMs;
        const QHash<QString, QuoteResult> answered =
            response.ok() ? parseBatchReply(batch.codes, response.body) : QHash<QString, QuoteResult>();

        QuoteAnswer answer;
        std::vector<QString> unanswered;
        for (const QString& code : batch.codes) {
            if (const auto found = answered.constFind(code); found != answered.constEnd())
                addRefreshes(*pass, code, *found, answer);
            else
                unanswered.push_back(code);
        }
        const std::lock_guard guard(m_mutex);
        for (const QString& code : batch.codes) {
            if (answered.contains(code))
                m_codes[code] = CodeState{};
        }
        if (slow && fast)
            m_slowService = false;
        // The codes left over stay outstanding: they are asked alone now.
        pass->jobs += int(unanswered.size());
        for (const QString& code : unanswered)
            askAlone(pass, code);
        endRequest(*pass, std::move(answer));
    });
}

void QuoteRequests::askAlone(const std::shared_ptr<Pass>& pass, const QString& code) {
    m_pool.post([this, pass, code] {
        QElapsedTimer timer;
        timer.start();
        const QuoteResult quote = quoteFromResponse(code, m_http.get(m_fetcher.requestUrl(code)));
        const qint64 elapsed = timer.elapsed();
        QuoteAnswer answer;
        addRefreshes(*pass, code, quote, answer);

        const std::lock_guard guard(m_mutex);
        CodeState& state = m_codes[code];
        state.outstanding = false;
        // Unreadable is what a time-out, a dropped connection or an empty reply gives.
        state.alone = quote.status == FetchStatus::Unreadable;
        if (quote.status == FetchStatus::Fetched && elapsed >= m_limits.batchStallMs)
            m_slowService = true;
        endRequest(*pass, std::move(answer));
    });
}

} // namespace tavrin
