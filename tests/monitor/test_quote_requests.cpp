#include "monitor/quote_requests.h"

#include <QScopeGuard>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;
using namespace tavrin;

namespace {

// A quote service behind HttpClient: it answers "/q=a,b,c" with one statement per
// code, except that codes it holds wait until released, and a batch with a held
// code in it fails at once as a stalled batch would.
class FakeService final : public HttpClient {
public:
    HttpResponse get(const QByteArray& url) override {
        const QList<QByteArray> keys = url.mid(url.indexOf("/q=") + 3).split(',');
        std::unique_lock lock(m_mutex);
        m_urls.append(url);
        ++m_inFlight;
        m_mostInFlight = std::max(m_mostInFlight, m_inFlight);
        const auto held = [&] {
            return std::any_of(keys.begin(), keys.end(),
                               [&](const QByteArray& key) { return m_held.contains(key); });
        };
        HttpResponse response;
        if (keys.size() > 1 && held()) {
            response.error = u"timed out"_s;
        } else {
            m_changed.wait(lock, [&] { return m_cancelled || !held(); });
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs.load()));
            lock.lock();
            if (m_cancelled || m_failed.contains(keys.value(0))) {
                response.error = u"timed out"_s;
            } else {
                response.status = 200;
                for (const QByteArray& key : keys) {
                    if (!(keys.size() > 1 && m_leftOutOfBatches.contains(key)))
                        response.body += statement(key);
                }
            }
        }
        --m_inFlight;
        m_changed.notify_all();
        return response;
    }
    void cancel() override {
        const std::lock_guard guard(m_mutex);
        m_cancelled = true;
        m_changed.notify_all();
    }

    void hold(const QByteArray& key) {
        const std::lock_guard guard(m_mutex);
        m_held.insert(key);
    }
    // The held request ends; failed: as a time-out.
    void release(const QByteArray& key, bool failed) {
        const std::lock_guard guard(m_mutex);
        m_held.remove(key);
        if (failed)
            m_failed.insert(key);
        else
            m_failed.remove(key);
        m_changed.notify_all();
    }
    void leaveOutOfBatches(const QByteArray& key) {
        const std::lock_guard guard(m_mutex);
        m_leftOutOfBatches.insert(key);
    }
    void setDelayMs(int ms) { m_delayMs = ms; }

    QList<QByteArray> takeUrls() {
        const std::lock_guard guard(m_mutex);
        QList<QByteArray> urls;
        urls.swap(m_urls);
        for (QByteArray& url : urls)
            url = url.mid(url.indexOf("/q=") + 3);
        std::sort(urls.begin(), urls.end());
        return urls;
    }
    qsizetype urlCount() const {
        const std::lock_guard guard(m_mutex);
        return m_urls.size();
    }
    int inFlight() const {
        const std::lock_guard guard(m_mutex);
        return m_inFlight;
    }
    int mostInFlight() const {
        const std::lock_guard guard(m_mutex);
        return m_mostInFlight;
    }

private:
    static QByteArray statement(const QByteArray& key) {
        return "v_" + key + "=\"1~N~" + key.mid(2) + "~10.50~10.00~10.40~1000~\";\n";
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QList<QByteArray> m_urls;
    QSet<QByteArray> m_held;
    QSet<QByteArray> m_failed;
    QSet<QByteArray> m_leftOutOfBatches;
    std::atomic<int> m_delayMs{0};
    int m_inFlight = 0;
    int m_mostInFlight = 0;
    bool m_cancelled = false;
};

// The answers as the sink got them, per pass.
class Answers {
public:
    QuoteRequests::Sink sink() {
        return [this](QuoteAnswer answer) {
            const std::lock_guard guard(m_mutex);
            m_answers.push_back(std::move(answer));
        };
    }
    // The codes refreshed in a pass so far, sorted.
    QStringList refreshed(int pass) const {
        const std::lock_guard guard(m_mutex);
        QStringList codes;
        for (const QuoteAnswer& answer : m_answers) {
            if (answer.pass == pass) {
                for (const RowRefresh& refresh : answer.refreshes)
                    codes << QString::number(refresh.position) + u':' + refresh.code;
            }
        }
        codes.sort();
        return codes;
    }
    bool ended(int pass) const {
        const std::lock_guard guard(m_mutex);
        return std::any_of(m_answers.begin(), m_answers.end(), [pass](const QuoteAnswer& answer) {
            return answer.pass == pass && answer.passEnded;
        });
    }

private:
    mutable std::mutex m_mutex;
    std::vector<QuoteAnswer> m_answers;
};

RowSnapshots rowsOf(const QStringList& codes) {
    RowSnapshots rows;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        RowSnapshot row;
        row.position = int(i);
        row.id = QString::number(i + 1);
        row.code = codes[i];
        rows.push_back(row);
    }
    return rows;
}

} // namespace

class QuoteRequestsTest : public QObject {
    Q_OBJECT
private slots:
    void codesTheBatchLeavesOutAreAskedAlone();
    void anOutstandingCodeIsNotAskedAgain();
    void aFailedBatchIsAskedAloneConcurrently();
    void aSlowServiceGivesBatchesTheFullTime();
};

void QuoteRequestsTest::codesTheBatchLeavesOutAreAskedAlone() {
    FakeService batchHttp;
    FakeService http;
    batchHttp.leaveOutOfBatches("sz000002");
    Answers answers;
    QuoteRequests requests(batchHttp, http, u"http://sim"_s, answers.sink());
    // Held requests end before the pool waits for them, also when a check fails.
    const auto release = qScopeGuard([&] {
        batchHttp.cancel();
        http.cancel();
    });
    // Two rows of one code, and a code no market takes.
    requests.ask(1, rowsOf({u"600519"_s, u"000002"_s, u"600519"_s, u"900901"_s}));
    QTRY_VERIFY(answers.ended(1));
    QCOMPARE(answers.refreshed(1), QStringList({u"0:600519"_s, u"1:000002"_s, u"2:600519"_s}));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz000002"});
    QCOMPARE(http.takeUrls(), QList<QByteArray>{"sz000002"});

    // Nothing to ask: the pass ends at once.
    requests.ask(2, rowsOf({u"900901"_s}));
    QTRY_VERIFY(answers.ended(2));
}

void QuoteRequestsTest::anOutstandingCodeIsNotAskedAgain() {
    FakeService batchHttp;
    FakeService http;
    batchHttp.hold("sz000002");
    http.hold("sz000002");
    Answers answers;
    QuoteRequests requests(batchHttp, http, u"http://sim"_s, answers.sink());
    // Held requests end before the pool waits for them, also when a check fails.
    const auto release = qScopeGuard([&] {
        batchHttp.cancel();
        http.cancel();
    });
    const RowSnapshots rows = rowsOf({u"600519"_s, u"000002"_s, u"300750"_s});

    // The batch stalls on the held code; the others answer alone while it waits.
    requests.ask(1, rows);
    QTRY_COMPARE(answers.refreshed(1), QStringList({u"0:600519"_s, u"2:300750"_s}));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz000002,sz300750"});
    QTRY_COMPARE(http.urlCount(), 3);
    QCOMPARE(http.takeUrls(), QList<QByteArray>({"sh600519", "sz000002", "sz300750"}));
    QVERIFY(!answers.ended(1));

    // The next passes leave the held code out and refresh the others at once.
    for (int pass = 2; pass <= 3; ++pass) {
        requests.ask(pass, rows);
        QTRY_VERIFY(answers.ended(pass));
        QCOMPARE(answers.refreshed(pass), QStringList({u"0:600519"_s, u"2:300750"_s}));
        QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz300750"});
        QCOMPARE(http.takeUrls(), QList<QByteArray>());
    }

    // Its request times out: it is asked again, alone, so no batch waits for it.
    http.release("sz000002", true);
    QTRY_VERIFY(answers.ended(1));
    requests.ask(4, rows);
    QTRY_VERIFY(answers.ended(4));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz300750"});
    QCOMPARE(http.takeUrls(), QList<QByteArray>{"sz000002"});

    // Once it answers alone it goes back into the batch.
    http.release("sz000002", false);
    batchHttp.release("sz000002", false);
    requests.ask(5, rows);
    QTRY_VERIFY(answers.ended(5));
    QCOMPARE(answers.refreshed(5), QStringList({u"0:600519"_s, u"1:000002"_s, u"2:300750"_s}));
    QCOMPARE(http.takeUrls(), QList<QByteArray>{"sz000002"});
    requests.ask(6, rows);
    QTRY_VERIFY(answers.ended(6));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>({"sh600519,sz000002,sz300750", "sh600519,sz300750"}));
    QCOMPARE(http.takeUrls(), QList<QByteArray>());
}

void QuoteRequestsTest::aFailedBatchIsAskedAloneConcurrently() {
    FakeService batchHttp;
    FakeService http;
    QStringList codes;
    for (int i = 0; i < 8; ++i) {
        codes << u"60051%1"_s.arg(i);
        http.hold("sh" + codes.back().toLatin1());
    }
    batchHttp.hold("sh600510");
    Answers answers;
    QuoteRequestLimits limits;
    limits.maxInFlight = 4;
    QuoteRequests requests(batchHttp, http, u"http://sim"_s, answers.sink(), limits);
    // Held requests end before the pool waits for them, also when a check fails.
    const auto release = qScopeGuard([&] {
        batchHttp.cancel();
        http.cancel();
    });
    requests.ask(1, rowsOf(codes));
    // Four at a time, never one after another and never more than the bound.
    QTRY_COMPARE(http.inFlight(), 4);
    for (const QString& code : codes)
        http.release("sh" + code.toLatin1(), false);
    QTRY_VERIFY(answers.ended(1));
    QCOMPARE(answers.refreshed(1).size(), 8);
    QCOMPARE(http.mostInFlight(), 4);
}

void QuoteRequestsTest::aSlowServiceGivesBatchesTheFullTime() {
    FakeService batchHttp;
    FakeService http;
    // Every batch stalls on the batch client; alone, each answer takes longer than a
    // batch may: the service is slow, not one code hung.
    batchHttp.hold("sz000002");
    http.setDelayMs(150);
    Answers answers;
    QuoteRequestLimits limits;
    limits.batchStallMs = 100;
    QuoteRequests requests(batchHttp, http, u"http://sim"_s, answers.sink(), limits);
    // Held requests end before the pool waits for them, also when a check fails.
    const auto release = qScopeGuard([&] {
        batchHttp.cancel();
        http.cancel();
    });
    const RowSnapshots rows = rowsOf({u"600519"_s, u"000002"_s});
    requests.ask(1, rows);
    QTRY_VERIFY(answers.ended(1));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz000002"});
    QCOMPARE(http.takeUrls(), QList<QByteArray>({"sh600519", "sz000002"}));

    // The next batch goes with the full time-out, and answers.
    requests.ask(2, rows);
    QTRY_VERIFY(answers.ended(2));
    QCOMPARE(answers.refreshed(2), QStringList({u"0:600519"_s, u"1:000002"_s}));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>());
    QCOMPARE(http.takeUrls(), QList<QByteArray>{"sh600519,sz000002"});

    // A fast batch ends it: batches go back to the short time-out.
    http.setDelayMs(0);
    requests.ask(3, rows);
    QTRY_VERIFY(answers.ended(3));
    QCOMPARE(http.takeUrls(), QList<QByteArray>{"sh600519,sz000002"});
    batchHttp.release("sz000002", false);
    requests.ask(4, rows);
    QTRY_VERIFY(answers.ended(4));
    QCOMPARE(batchHttp.takeUrls(), QList<QByteArray>{"sh600519,sz000002"});
    QCOMPARE(http.takeUrls(), QList<QByteArray>());
}

QTEST_GUILESS_MAIN(QuoteRequestsTest)
#include "test_quote_requests.moc"
