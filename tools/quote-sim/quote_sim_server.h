#pragma once

#include "tools/quote-sim/faults.h"
#include "tools/quote-sim/market.h"
#include "tools/quote-sim/options.h"
#include "tools/quote-sim/shutdown_signal.h"

#include <atomic>
#include <httplib.h>
#include <memory>
#include <mutex>
#include <random>
#include <string>

namespace tavrin::sim {

// The HTTP side of the simulator: quote, chart, value-page, manifest and
// admin endpoints over one market and one fault table.
class QuoteSimServer {
public:
    QuoteSimServer(const SimOptions& options, Market& market, ShutdownSignal& shutdown);
    ~QuoteSimServer();

    // Binds 127.0.0.1; false when the port is taken.
    bool bind();
    int port() const { return m_port; }
    // Serves until stop().
    void run();
    // Call once, from any thread, also before run() has started listening.
    void stop();

private:
    class HttpServer;
    enum class Outcome { Respond, Done };

    void handle(const httplib::Request& request, httplib::Response& response);
    void handleQuote(const httplib::Request& request, httplib::Response& response, const std::string& list);
    void handleChart(const httplib::Request& request, httplib::Response& response, const std::string& key);
    void handleValuePage(const httplib::Request& request, httplib::Response& response);
    void handleManifest(const httplib::Request& request, httplib::Response& response);
    void handleAdmin(const httplib::Request& request, httplib::Response& response);

    // Sleeps, drops or hangs as the fault says; Done when nothing is to be sent.
    Outcome applyConnectionFault(const httplib::Request& request, FaultMode mode, int delayMs);
    int delayOf(const Fault& fault);
    void hang(const httplib::Request& request);

    SimOptions m_options;
    Market& m_market;
    ShutdownSignal& m_shutdown;
    FaultTable m_faults;
    std::unique_ptr<HttpServer> m_server;
    int m_listeningSocket = -1;
    int m_port = 0;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_runFinished{false};

    std::string m_tildeNameGbk;
    std::vector<std::string> m_namesGbk; // by universe index

    std::mutex m_updateMutex;
    std::string m_updateVersion;
    bool m_updateForced = false;

    std::mutex m_randomMutex;
    std::minstd_rand m_latencyRandom;

    std::atomic<long long> m_requests{0};
    std::atomic<long long> m_quoteRequests{0};
    std::atomic<long long> m_quoteCodes{0};
};

} // namespace tavrin::sim
