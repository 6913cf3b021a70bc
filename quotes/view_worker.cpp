#include "quotes/view_worker.h"

namespace tavrin {

ViewWorker::ViewWorker(std::unique_ptr<HttpClient> http, const char* threadName)
    : m_http(std::move(http)), m_context(new QObject) {
    m_thread.setObjectName(QString::fromLatin1(threadName));
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
}

ViewWorker::~ViewWorker() {
    m_http->cancel();
    m_thread.quit();
    m_thread.wait();
}

void ViewWorker::post(std::function<void()> task) {
    QMetaObject::invokeMethod(m_context, std::move(task), Qt::QueuedConnection);
}

} // namespace tavrin
