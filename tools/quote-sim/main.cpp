#include "tools/quote-sim/market.h"
#include "tools/quote-sim/options.h"
#include "tools/quote-sim/quote_sim_server.h"
#include "tools/quote-sim/shutdown_signal.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <string>
#include <thread>
#include <vector>

using namespace tavrin::sim;

int main(int argc, char** argv) {
#ifdef __linux__
    // A test that dies must not leave its simulator behind holding the test's output open.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "quote-sim: %s\n\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    const SimOptions& options = parsed.options;

    // A client that hangs up mid-reply must not kill the simulator.
    std::signal(SIGPIPE, SIG_IGN);
    // Termination signals are taken by one thread, so that every other thread
    // (the server's workers included) inherits the blocked mask.
    // A parent that started us in the background may have ignored SIGINT.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    ShutdownSignal shutdown;
    addSyntheticListings(options.extraStocks);
    Market market(options.seed);
    QuoteSimServer server(options, market, shutdown);
    if (!server.bind()) {
        std::fprintf(stderr, "quote-sim: cannot listen on 127.0.0.1:%d\n", options.port);
        return 1;
    }
    std::printf("http://127.0.0.1:%d\n", server.port());
    std::fflush(stdout);

    std::thread signalWaiter([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        shutdown.request();
        server.stop();
    });
    std::thread stepper([&] {
        const auto period = std::chrono::milliseconds(options.stepMs > 0 ? options.stepMs : 3600000);
        while (shutdown.sleepFor(period)) {
            if (options.stepMs > 0)
                market.step();
        }
    });

    server.run();

    if (!shutdown.requested())
        pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    stepper.join();
    return 0;
}
