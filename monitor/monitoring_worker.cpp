#include "monitor/monitoring_worker.h"

#include "platform/curl_http_client.h"

namespace tavrin {

MonitoringWorker::MonitoringWorker(std::unique_ptr<HttpClient> batchHttp, std::unique_ptr<HttpClient> http,
                                   const QString& quoteUrl, AlertCheck alertCheck, QuoteRequestLimits limits)
    : m_batchHttp(std::move(batchHttp)), m_http(std::move(http)), m_alertCheck(std::move(alertCheck)),
      m_requests(
          m_batchHttp ? *m_batchHttp : *m_http, *m_http, quoteUrl,
          [this](QuoteAnswer answer) {
              if (m_sink)
                  m_sink(std::move(answer));
          },
          limits) {
    qRegisterMetaType<tavrin::RowSnapshots>();
}

MonitoringWorker::MonitoringWorker(std::unique_ptr<HttpClient> http, const QString& quoteUrl,
                                   AlertCheck alertCheck)
    : MonitoringWorker(nullptr, std::move(http), quoteUrl, std::move(alertCheck)) {}

MonitoringWorker::~MonitoringWorker() = default;

void MonitoringWorker::setAnswerSink(QuoteRequests::Sink sink) {
    const std::lock_guard guard(m_sinkMutex);
    m_sink = std::move(sink);
}

void MonitoringWorker::cancelRequests() {
    m_requests.cancel();
    if (m_batchHttp)
        m_batchHttp->cancel();
    m_http->cancel();
}

void MonitoringWorker::runPass(int pass, const RowSnapshots& rows, bool withAlertCheck) {
    // The alert check sees the values of an earlier refresh, never this pass's own.
    if (withAlertCheck && m_alertCheck)
        m_alertCheck(rows);
    // Free for the next tick before any request is made: the network holds back nothing.
    m_busy.store(false);
    m_requests.ask(pass, rows);
}

std::unique_ptr<MonitoringWorker> makeMonitoringWorker(const QString& quoteUrl,
                                                       MonitoringWorker::AlertCheck alertCheck) {
    HttpLimits batchLimits;
    batchLimits.connectTimeoutMs = std::min<long>(batchLimits.connectTimeoutMs, kBatchStallMs);
    batchLimits.totalTimeoutMs = kBatchStallMs;
    QuoteRequestLimits limits;
    limits.batchStallMs = kBatchStallMs;
    return std::make_unique<MonitoringWorker>(std::make_unique<CurlHttpClient>(batchLimits),
                                              std::make_unique<CurlHttpClient>(), quoteUrl,
                                              std::move(alertCheck), limits);
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
