// tavrin-quote CODE: one quote through the monitor's own fetch path, printed as UTF-8.
#include "platform/curl_http_client.h"
#include "quotes/quote_fetch.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int exitStatus(tavrin::FetchStatus status) {
    switch (status) {
    case tavrin::FetchStatus::Fetched:
        return 0;
    case tavrin::FetchStatus::NoRequest:
        return 1;
    case tavrin::FetchStatus::Unreadable:
        return 2;
    case tavrin::FetchStatus::OtherCode:
        return 3;
    case tavrin::FetchStatus::TooManyFields:
        return 4;
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        err << "usage: tavrin-quote CODE\n";
        return 64;
    }
    tavrin::CurlHttpClient http;
    const tavrin::QuoteFetcher fetcher(http, tavrin::quoteServiceUrl());
    const tavrin::QuoteResult result = fetcher.fetch(arguments.at(1));

    if (result.status == tavrin::FetchStatus::Fetched || result.status == tavrin::FetchStatus::OtherCode) {
        const tavrin::QuoteRecord& r = result.record;
        out << "code=" << r.code << "\nname=" << r.name << "\nprice=" << r.price << "\nchange=" << r.change
            << "\nvolume=" << r.volume << "\n";
    } else {
        out << result.error << "\n";
    }
    return exitStatus(result.status);
}
