#include "tools/quote-sim/options.h"

#include <charconv>
#include <string_view>

namespace tavrin::sim {

namespace {

template <typename Number>
bool parseNumber(std::string_view text, Number& value, Number minimum, Number maximum) {
    Number parsed{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc{} || end != text.data() + text.size() || parsed < minimum || parsed > maximum)
        return false;
    value = parsed;
    return true;
}

bool parseFault(std::string_view text, FaultOption& option) {
    const auto at = text.find('@');
    const auto mode = parseFaultMode(text.substr(0, at));
    if (!mode)
        return false;
    option.fault.mode = *mode;
    option.target.clear();
    if (at != std::string_view::npos) {
        option.target = std::string(text.substr(at + 1));
        if (!isFaultTarget(option.target))
            return false;
    }
    return true;
}

} // namespace

std::string usageText() {
    return "usage: quote-sim [--port N] [--seed S] [--step-ms N] [--latency-ms N] [--fault MODE[@CODE]]...\n"
           "                 [--extra-stocks N] [--update-version V] [--update-forced]\n"
           "\n"
           "A local stand-in for the quote, chart, value-page and update services.\n"
           "Listens on 127.0.0.1 only and prints its base URL http://127.0.0.1:PORT once ready.\n"
           "\n"
           "  --port N            port to listen on (default 0: a free one)\n"
           "  --seed S            seed of the price random walk (default 1)\n"
           "  --step-ms N         one price step every N ms (default 3000; 0: only /admin/step)\n"
           "  --latency-ms N      extra delay of every /q= request (default 0)\n"
           "  --extra-stocks N    N generated stocks sh605000.., sz003000.. (at most 2000)\n"
           "  --fault MODE[@CODE] a fault for everything or for one code (repeatable); modes:\n"
           "                      none latency random-latency empty drop few-fields many-fields\n"
           "                      other-code tilde-name bad-gbk oversized hang\n"
           "  --update-version V  latest version in the update manifest (default: this build's version)\n"
           "  --update-forced     mark the update as forced\n"
           "  --help              this text\n"
           "\n"
           "Admin: /admin/fault?mode=M[&code=C][&ms=N]  /admin/clear[?code=C]\n"
           "       /admin/price?code=C[&price=P][&prev=X][&volume=V]  /admin/unpin?code=C\n"
           "       /admin/step  /admin/stats  /admin/stats/reset  /admin/version[?v=V[&forced=1]]\n"
           "C is a 6-digit code (every market) or a prefixed one such as sz000001.\n"
           "The stock sz000630 always has a GBK name with a 0x7E trail byte.\n";
}

ParsedOptions parseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions result;
    SimOptions& options = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::string value;
        bool hasValue = false;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            result.help = true;
            return result;
        }
        if (name == "--update-forced") {
            options.updateForced = true;
            continue;
        }
        const bool takesValue = name == "--port" || name == "--seed" || name == "--step-ms" ||
                                name == "--latency-ms" || name == "--extra-stocks" || name == "--fault" ||
                                name == "--update-version";
        if (!takesValue) {
            result.error = "unknown argument: " + arguments[i];
            return result;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                result.error = name + " needs a value";
                return result;
            }
            value = arguments[++i];
        }
        bool ok = true;
        if (name == "--port") {
            ok = parseNumber(value, options.port, 0, 65535);
        } else if (name == "--seed") {
            ok = parseNumber<std::uint64_t>(value, options.seed, 0, UINT64_MAX);
        } else if (name == "--step-ms") {
            ok = parseNumber(value, options.stepMs, 0, 86400000);
        } else if (name == "--latency-ms") {
            ok = parseNumber(value, options.latencyMs, 0, 600000);
        } else if (name == "--extra-stocks") {
            ok = parseNumber(value, options.extraStocks, 0, 2000);
        } else if (name == "--fault") {
            FaultOption fault;
            ok = parseFault(value, fault);
            if (ok)
                options.faults.push_back(fault);
        } else {
            options.updateVersion = value;
        }
        if (!ok) {
            result.error = "bad value for " + name + ": " + value;
            return result;
        }
    }
    return result;
}

} // namespace tavrin::sim
