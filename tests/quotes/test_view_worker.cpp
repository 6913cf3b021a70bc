#include "quotes/view_worker.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QTest>

using namespace tavrin;

namespace {

// Answers every GET with its URL once the test lets it go; cancel() releases it too.
class GatedHttp : public HttpClient {
public:
    HttpResponse get(const QByteArray& url) override {
        gate.acquire();
        return {cancelled ? 0 : 200, cancelled ? QByteArray() : url,
                cancelled ? QStringLiteral("cancelled") : QString()};
    }
    void cancel() override {
        cancelled = true;
        gate.release(100);
    }
    QSemaphore gate;
    std::atomic<bool> cancelled{false};
};

} // namespace

class ViewWorkerTest : public QObject {
    Q_OBJECT
private slots:
    void resultArrivesOnTheReceiversThread() {
        auto http = std::make_unique<GatedHttp>();
        GatedHttp* gate = http.get();
        ViewWorker worker(std::move(http));
        QObject receiver;
        QByteArray body;
        QThread* jobThread = nullptr;
        QThread* applyThread = nullptr;
        gate->gate.release();
        QVERIFY(worker.tryRun<QByteArray>(
            [&jobThread](HttpClient& client) {
                jobThread = QThread::currentThread();
                return client.get("/q=sh000001").body;
            },
            &receiver,
            [&](QByteArray result) {
                applyThread = QThread::currentThread();
                body = result;
            }));
        QTRY_COMPARE(body, QByteArray("/q=sh000001"));
        QCOMPARE(applyThread, QThread::currentThread());
        QVERIFY(jobThread != QThread::currentThread());
    }

    void aTickWhileBusyIsSkippedNotQueued() {
        auto http = std::make_unique<GatedHttp>();
        GatedHttp* gate = http.get();
        ViewWorker worker(std::move(http));
        QObject receiver;
        int applied = 0;
        const auto job = [](HttpClient& client) { return client.get("a").status; };
        const auto apply = [&applied](int) { ++applied; };
        QVERIFY(worker.tryRun<int>(job, &receiver, apply));
        QVERIFY(worker.isBusy());
        QVERIFY(!worker.tryRun<int>(job, &receiver, apply));
        QVERIFY(!worker.tryRun<int>(job, &receiver, apply));
        gate->gate.release();
        QTRY_COMPARE(applied, 1);
        QTRY_VERIFY(!worker.isBusy());
        gate->gate.release();
        QVERIFY(worker.tryRun<int>(job, &receiver, apply));
        QTRY_COMPARE(applied, 2);
        QTest::qWait(50);
        QCOMPARE(applied, 2);
    }

    void aGoneReceiverGetsNothing() {
        auto http = std::make_unique<GatedHttp>();
        GatedHttp* gate = http.get();
        ViewWorker worker(std::move(http));
        bool applied = false;
        {
            QObject receiver;
            QVERIFY(worker.tryRun<int>([](HttpClient& client) { return client.get("a").status; }, &receiver,
                                       [&applied](int) { applied = true; }));
        }
        gate->gate.release();
        QTRY_VERIFY(!worker.isBusy());
        QTest::qWait(50);
        QVERIFY(!applied);
    }

    void destroyedWhileAJobHangsReturnsAtOnce() {
        auto http = std::make_unique<GatedHttp>();
        QObject receiver;
        auto worker = std::make_unique<ViewWorker>(std::move(http));
        QVERIFY(worker->tryRun<int>([](HttpClient& client) { return client.get("hang").status; }, &receiver,
                                    [](int) {}));
        QElapsedTimer clock;
        clock.start();
        worker.reset(); // cancel releases the hanging request
        QVERIFY(clock.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(ViewWorkerTest)
#include "test_view_worker.moc"
