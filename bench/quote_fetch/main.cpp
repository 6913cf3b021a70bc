// Quote fetch figures against the local simulator:
//   bench_quote_fetch [codes=100] [latency-ms=20]
// sequential single requests vs concurrent single requests vs batch requests,
// then the reply parse rate.
#include "platform/curl_http_client.h"
#include "quotes/quote_fetch.h"
#include "tests/support/quote_sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

using namespace tavrin;

namespace {

// Distinct codes: the simulator's generated stocks 605000, 003000, 605001, ...
std::vector<QString> universeCodes(int count) {
    std::vector<QString> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back(
            QStringLiteral("%1%2").arg(i % 2 == 0 ? u"605" : u"003").arg(i / 2, 3, 10, QLatin1Char('0')));
    return codes;
}

struct Figure {
    double seconds;
    QByteArray requests;
};

template <typename Run> Figure measure(QuoteSimProcess& sim, Run run) {
    sim.admin(QStringLiteral("/admin/stats/reset"));
    QElapsedTimer timer;
    timer.start();
    run();
    const double seconds = timer.nsecsElapsed() / 1e9;
    QByteArray stats = sim.admin(QStringLiteral("/admin/stats"));
    const qsizetype at = stats.indexOf("quote_requests=");
    return {seconds, stats.mid(at + 15, stats.indexOf('\n', at) - at - 15)};
}

void print(const char* label, int codes, const Figure& figure) {
    std::printf("%-34s %8.3f s  %9.1f quotes/s  %6s requests\n", label, figure.seconds,
                codes / figure.seconds, figure.requests.constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    const int latency = argc > 2 ? std::atoi(argv[2]) : 20;
    if (qEnvironmentVariableIsEmpty("TAVRIN_QUOTE_SIM"))
        qputenv("TAVRIN_QUOTE_SIM",
                (QCoreApplication::applicationDirPath() + QStringLiteral("/quote-sim")).toUtf8());
    QuoteSimProcess sim({QStringLiteral("--latency-ms"), QString::number(latency),
                         QStringLiteral("--extra-stocks"), QString::number(std::min(count, 2000))});
    if (!sim.start()) {
        std::fprintf(stderr, "could not start quote-sim\n");
        return 1;
    }
    CurlHttpClient http;
    QuoteFetcher fetcher(http, sim.baseUrl());
    const std::vector<QString> codes = universeCodes(count);
    std::printf("%d codes, %d ms latency per request\n", count, latency);

    print("sequential, one request per code", count, measure(sim, [&] {
              for (const QString& code : codes)
                  fetcher.fetch(code);
          }));
    print("concurrent, 8 in flight", count, measure(sim, [&] {
              std::vector<QByteArray> urls;
              for (const QString& code : codes)
                  urls.push_back(fetcher.requestUrl(code));
              const std::vector<HttpResponse> responses = http.getMany(urls, 8);
              for (size_t i = 0; i < responses.size(); ++i)
                  parseQuoteReply(codes[i], responses[i].body);
          }));
    print("batch requests of 60, 8 in flight", count, measure(sim, [&] { fetcher.fetchMany(codes, 8); }));

    const HttpResponse sample = http.get(fetcher.requestUrl(QStringLiteral("600519")));
    const int rounds = 200000;
    QElapsedTimer timer;
    timer.start();
    int fetched = 0;
    for (int i = 0; i < rounds; ++i)
        fetched += parseQuoteReply(QStringLiteral("600519"), sample.body).status == FetchStatus::Fetched;
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("parse: %d replies of %lld bytes in %.3f s = %.0f replies/s (%d fetched)\n", rounds,
                static_cast<long long>(sample.body.size()), seconds, rounds / seconds, fetched);
    return 0;
}
