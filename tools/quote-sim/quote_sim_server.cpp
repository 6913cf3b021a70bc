#include "tools/quote-sim/quote_sim_server.h"

#include "tools/quote-sim/connection_control.h"
#include "tools/quote-sim/gbk_text.h"
#include "tools/quote-sim/minute_chart.h"
#include "tools/quote-sim/pages.h"
#include "tools/quote-sim/quote_reply.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <sys/socket.h>
#include <thread>

namespace tavrin::sim {

namespace {

constexpr const char* quoteContentType = "text/html; charset=GBK";
constexpr const char* textContentType = "text/plain; charset=utf-8";
constexpr const char* manifestPath = "/CXGX/升级目录.txt";
constexpr const char* manifestPathEncoded = "/CXGX/%E5%8D%87%E7%BA%A7%E7%9B%AE%E5%BD%95.txt";
constexpr std::size_t workerCount = 64;
// The library's own backlog of 5 drops bursts of parallel connects.
constexpr int listenBacklog = 512;

struct MarketKey {
    std::string prefix; // empty when the request carries none
    std::string code;
};

MarketKey splitKey(const std::string& key) {
    if (key.size() == 8 && (key.starts_with("sh") || key.starts_with("sz") || key.starts_with("bj")))
        return {key.substr(0, 2), key.substr(2)};
    return {"", key};
}

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start)
            keys.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return keys;
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// Whole-response faults ordered by how much of the response they take away.
int severity(FaultMode mode) {
    switch (mode) {
    case FaultMode::Drop:
        return 4;
    case FaultMode::Hang:
        return 3;
    case FaultMode::Empty:
        return 2;
    case FaultMode::Oversized:
        return 1;
    default:
        return 0;
    }
}

bool isTextSafe(const std::string& text) {
    return text.find_first_of("~\"\r\n") == std::string::npos;
}

void reply(httplib::Response& response, const std::string& body, int status = 200) {
    response.status = status;
    response.set_content(body, textContentType);
}

} // namespace

class QuoteSimServer::HttpServer : public httplib::Server {};

QuoteSimServer::QuoteSimServer(const SimOptions& options, Market& market, ShutdownSignal& shutdown)
    : m_options(options), m_market(market), m_shutdown(shutdown), m_server(std::make_unique<HttpServer>()),
      m_updateVersion(options.updateVersion), m_updateForced(options.updateForced),
      m_latencyRandom(static_cast<std::minstd_rand::result_type>(options.seed + 17)) {
    for (const Listing& listing : universe())
        m_namesGbk.push_back(utf8ToGbk(listing.name));
    for (const Listing& listing : universe()) {
        if (listing.code == tildeNameCode && listing.prefix == tildeNamePrefix)
            m_tildeNameGbk = utf8ToGbk(listing.name);
    }
    for (const FaultOption& fault : options.faults) {
        if (fault.target.empty())
            m_faults.setGlobal(fault.fault);
        else
            m_faults.set(fault.target, fault.fault);
    }

    m_server->new_task_queue = [] { return new httplib::ThreadPool(workerCount); };
    // The library's own socket options, and a note of the listening socket, whose
    // backlog bind() raises after the library has listened on it.
    m_server->set_socket_options([this](socket_t socket) {
        httplib::default_socket_options(socket);
        m_listeningSocket = socket;
    });
    m_server->set_keep_alive_timeout(1);
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(5);
    m_server->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    });
}

QuoteSimServer::~QuoteSimServer() = default;

bool QuoteSimServer::bind() {
    const std::string host = "127.0.0.1";
    if (m_options.port == 0) {
        m_port = m_server->bind_to_any_port(host);
        if (m_port <= 0)
            return false;
    } else if (m_server->bind_to_port(host, m_options.port)) {
        m_port = m_options.port;
    } else {
        return false;
    }
    // Listening again on a listening socket only raises its backlog.
    if (m_listeningSocket >= 0)
        ::listen(m_listeningSocket, listenBacklog);
    return true;
}

void QuoteSimServer::run() {
    if (!m_stopRequested)
        m_server->listen_after_bind();
    m_runFinished = true;
}

void QuoteSimServer::stop() {
    m_stopRequested = true;
    // run() may not be listening yet: give it a moment to start, then stop it.
    for (int i = 0; i < 300 && !m_server->is_running() && !m_runFinished; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (m_server->is_running())
        m_server->stop();
}

void QuoteSimServer::handle(const httplib::Request& request, httplib::Response& response) {
    const std::string& path = request.path;
    if (path.starts_with("/admin/")) {
        handleAdmin(request, response);
        return;
    }
    ++m_requests;
    if (path.starts_with("/q=")) {
        handleQuote(request, response, path.substr(3));
    } else if (path.starts_with("/newchart/min/n/") && path.ends_with(".gif")) {
        const std::size_t start = std::char_traits<char>::length("/newchart/min/n/");
        handleChart(request, response, path.substr(start, path.size() - start - 4));
    } else if (path == "/quote/tools/ggtj_z.aspx") {
        handleValuePage(request, response);
    } else if (path == manifestPath || path == manifestPathEncoded) {
        handleManifest(request, response);
    } else if (path == "/download") {
        reply(response, "这里没有安装包：这是本地模拟的更新服务。\n");
    } else {
        reply(response, "not found\n", 404);
    }
}

int QuoteSimServer::delayOf(const Fault& fault) {
    if (fault.mode == FaultMode::Latency)
        return fault.ms;
    if (fault.mode == FaultMode::RandomLatency && fault.ms > 0) {
        const std::lock_guard lock(m_randomMutex);
        return static_cast<int>(m_latencyRandom() % static_cast<unsigned>(fault.ms + 1));
    }
    return 0;
}

QuoteSimServer::Outcome QuoteSimServer::applyConnectionFault(const httplib::Request& request, FaultMode mode,
                                                             int delayMs) {
    if (delayMs > 0 && !m_shutdown.sleepFor(std::chrono::milliseconds(delayMs))) {
        dropConnection(findConnectionSocket(request.local_port, request.remote_port));
        return Outcome::Done;
    }
    if (mode == FaultMode::Drop) {
        dropConnection(findConnectionSocket(request.local_port, request.remote_port));
        return Outcome::Done;
    }
    if (mode == FaultMode::Hang) {
        hang(request);
        return Outcome::Done;
    }
    return Outcome::Respond;
}

void QuoteSimServer::hang(const httplib::Request& request) {
    // Held until shutdown; a client that gives up frees its worker early.
    const int socket = findConnectionSocket(request.local_port, request.remote_port);
    while (m_shutdown.sleepFor(std::chrono::milliseconds(50))) {
        if (peerClosed(socket))
            break;
    }
    dropConnection(socket);
}

void QuoteSimServer::handleQuote(const httplib::Request& request, httplib::Response& response,
                                 const std::string& list) {
    const std::vector<std::string> keys = splitList(list);
    ++m_quoteRequests;
    m_quoteCodes += static_cast<long long>(keys.size());

    int delay = 0;
    FaultMode wholeFault = FaultMode::None;
    std::string body;
    const std::tm now = localNow();
    for (const std::string& key : keys) {
        const MarketKey marketKey = splitKey(key);
        const Fault fault = m_faults.lookup(marketKey.prefix, marketKey.code);
        delay = std::max(delay, delayOf(fault));
        if (severity(fault.mode) > severity(wholeFault))
            wholeFault = fault.mode;
        const auto quote = m_market.quote(marketKey.prefix, marketKey.code);
        if (!quote) {
            body += noMatchStatement();
            continue;
        }
        const auto index = static_cast<std::size_t>(quote->listing - universe().data());
        std::vector<std::string> fields = quoteFields(*quote, m_namesGbk[index], now);
        applyFieldFault(fields, fault.mode, m_tildeNameGbk);
        body += quoteStatement(key, fields);
    }
    if (keys.empty())
        body = noMatchStatement();

    if (applyConnectionFault(request, wholeFault, delay + m_options.latencyMs) == Outcome::Done)
        return;
    if (wholeFault == FaultMode::Empty)
        body.clear();
    else if (wholeFault == FaultMode::Oversized && body.size() < oversizedBodyBytes)
        body.append(oversizedBodyBytes - body.size(), ' ');
    response.set_content(body, quoteContentType);
}

void QuoteSimServer::handleChart(const httplib::Request& request, httplib::Response& response,
                                 const std::string& key) {
    const MarketKey marketKey = splitKey(key);
    const Fault fault = m_faults.lookup(marketKey.prefix, marketKey.code);
    const FaultMode mode = isWholeResponseFault(fault.mode) ? fault.mode : FaultMode::None;
    if (applyConnectionFault(request, mode, delayOf(fault)) == Outcome::Done)
        return;
    if (mode == FaultMode::Empty) {
        response.set_content("", "image/gif");
        return;
    }
    const auto chart = m_market.chart(marketKey.prefix, marketKey.code);
    response.set_content(minuteChartGif(chart.value_or(ChartData{})), "image/gif");
}

void QuoteSimServer::handleValuePage(const httplib::Request& request, httplib::Response& response) {
    const std::string code = request.get_param_value("StockCode");
    const Fault fault = m_faults.lookup("", code);
    const FaultMode mode = isWholeResponseFault(fault.mode) ? fault.mode : FaultMode::None;
    if (applyConnectionFault(request, mode, delayOf(fault)) == Outcome::Done)
        return;
    std::optional<StockQuote> quote;
    if (const Listing* listing = m_market.findByCode(code))
        quote = m_market.quote(listing->prefix, listing->code);
    response.set_content(mode == FaultMode::Empty ? std::string() : valuePageHtml(code, quote),
                         "text/html; charset=utf-8");
}

void QuoteSimServer::handleManifest(const httplib::Request& request, httplib::Response& response) {
    const Fault fault = m_faults.global();
    const FaultMode mode = isWholeResponseFault(fault.mode) ? fault.mode : FaultMode::None;
    if (applyConnectionFault(request, mode, delayOf(fault)) == Outcome::Done)
        return;
    std::string text;
    {
        const std::lock_guard lock(m_updateMutex);
        text = updateManifest(m_updateVersion, m_updateForced, m_port);
    }
    response.set_content(mode == FaultMode::Empty ? std::string() : text, textContentType);
}

void QuoteSimServer::handleAdmin(const httplib::Request& request, httplib::Response& response) {
    const std::string& path = request.path;
    const std::string code = request.get_param_value("code");
    const bool hasCode = request.has_param("code");
    if (hasCode && !isFaultTarget(code)) {
        reply(response, "bad code: " + code + "\n", 400);
        return;
    }
    if (path == "/admin/fault") {
        const auto mode = parseFaultMode(request.get_param_value("mode"));
        if (!mode) {
            reply(response, "bad mode\n", 400);
            return;
        }
        Fault fault{*mode, 20};
        if (request.has_param("ms")) {
            const std::string ms = request.get_param_value("ms");
            char* end = nullptr;
            const long value = std::strtol(ms.c_str(), &end, 10);
            if (ms.empty() || *end != '\0' || value < 0 || value > 600000) {
                reply(response, "bad ms\n", 400);
                return;
            }
            fault.ms = static_cast<int>(value);
        }
        if (hasCode)
            m_faults.set(code, fault);
        else
            m_faults.setGlobal(fault);
        reply(response, "ok");
    } else if (path == "/admin/clear") {
        if (hasCode)
            m_faults.clear(code);
        else
            m_faults.clearAll();
        reply(response, "ok");
    } else if (path == "/admin/price") {
        if (!hasCode) {
            reply(response, "code missing\n", 400);
            return;
        }
        if (!request.has_param("price")) {
            const MarketKey key = splitKey(code);
            const Listing* listing = key.prefix.empty() ? m_market.findByCode(code) : nullptr;
            const auto quote = listing ? m_market.quote(listing->prefix, listing->code)
                                       : m_market.quote(key.prefix, key.code);
            if (quote)
                reply(response, quote->priceText);
            else
                reply(response, "unknown code\n", 404);
            return;
        }
        const std::string price = request.get_param_value("price");
        std::optional<std::string> previous;
        std::optional<std::string> volume;
        if (request.has_param("prev"))
            previous = request.get_param_value("prev");
        if (request.has_param("volume"))
            volume = request.get_param_value("volume");
        if (!isTextSafe(price) || !isTextSafe(previous.value_or("")) || !isTextSafe(volume.value_or(""))) {
            reply(response, "bad value\n", 400);
            return;
        }
        if (m_market.pin(code, price, previous, volume))
            reply(response, "ok");
        else
            reply(response, "unknown code\n", 404);
    } else if (path == "/admin/unpin") {
        if (hasCode && m_market.unpin(code))
            reply(response, "ok");
        else
            reply(response, "unknown code\n", 404);
    } else if (path == "/admin/step") {
        m_market.step();
        reply(response, "ok");
    } else if (path == "/admin/stats") {
        reply(response, "requests=" + std::to_string(m_requests) +
                            "\nquote_requests=" + std::to_string(m_quoteRequests) +
                            "\nquote_codes=" + std::to_string(m_quoteCodes) + "\n");
    } else if (path == "/admin/stats/reset") {
        m_requests = 0;
        m_quoteRequests = 0;
        m_quoteCodes = 0;
        reply(response, "ok");
    } else if (path == "/admin/version") {
        const std::lock_guard lock(m_updateMutex);
        if (!request.has_param("v")) {
            reply(response, m_updateVersion);
            return;
        }
        m_updateVersion = request.get_param_value("v");
        m_updateForced = request.get_param_value("forced") == "1";
        reply(response, "ok");
    } else {
        reply(response, "unknown admin path\n", 404);
    }
}

} // namespace tavrin::sim
