// Hands a code to whatever terminal runs on this desktop, as a double click on the
// watch list does, and says what happened. For looking at the link by hand:
//   hand_off_probe 600519 [--tongdaxin]
#include "app/terminal_link/code_hand_off.h"
#include "app/terminal_link/system_window_directory.h"

#include <cstdio>
#include <cstring>

using namespace tavrin::terminal_link;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--tongdaxin") != 0)) {
        std::fprintf(stderr, "usage: hand_off_probe CODE [--tongdaxin]\n");
        return 2;
    }
    const auto directory = makeSystemWindowDirectory();
    const HandOff result = handOffCode(*directory, argv[1], argc == 3);
    switch (result.outcome) {
    case HandOff::Outcome::CodeTooShort:
        std::printf("code too short: nothing done\n");
        break;
    case HandOff::Outcome::CodeTooLarge:
        std::printf("code number beyond 32 bits: nothing done\n");
        break;
    case HandOff::Outcome::NoTerminal:
        std::printf("no terminal: %s (%s)\n", noTerminalText, noTerminalCaption);
        break;
    case HandOff::Outcome::Posted:
        std::printf("posted message %u to window 0x%lx: first %d, second 0\n", result.message,
                    static_cast<unsigned long>(result.window), result.codeNumber);
        break;
    }
    return 0;
}
