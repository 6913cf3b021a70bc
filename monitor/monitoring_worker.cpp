#include "monitor/monitoring_worker.h"

namespace tavrin {

MonitoringWorker::MonitoringWorker(std::unique_ptr<HttpClient> http, const QString& quoteUrl,
                                   AlertCheck alertCheck)
    : m_http(std::move(http)), m_fetcher(*m_http, quoteUrl), m_alertCheck(std::move(alertCheck)) {
    qRegisterMetaType<tavrin::RowSnapshots>();
    qRegisterMetaType<tavrin::RowRefreshes>();
}

MonitoringWorker::~MonitoringWorker() = default;

void MonitoringWorker::runPass(const RowSnapshots& rows, bool withAlertCheck) {
    // The alert check sees the values of an earlier refresh, never this pass's own.
    if (withAlertCheck && m_alertCheck)
        m_alertCheck(rows);
    std::vector<QString> codes;
    codes.reserve(rows.size());
    for (const RowSnapshot& row : rows)
        codes.push_back(row.code);
    const std::vector<QuoteResult> quotes = m_fetcher.fetchMany(codes);
    bool tooManyFields = false;
    for (const QuoteResult& quote : quotes)
        tooManyFields = tooManyFields || quote.status == FetchStatus::TooManyFields;
    RowRefreshes refreshes = refreshRows(rows, quotes);
    m_busy.store(false);
    emit passFinished(refreshes, tooManyFields);
}

MonitoringThread::MonitoringThread(std::unique_ptr<MonitoringWorker> worker) : m_worker(worker.release()) {
    m_thread.setObjectName(QStringLiteral("monitoring"));
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

MonitoringThread::~MonitoringThread() {
    m_worker->cancelRequests();
    m_thread.quit();
    m_thread.wait();
}

} // namespace tavrin
