/* quote-sim-bridge.exe ARGS...: stands in for the quote simulator in Windows
 * test programs under Wine. It hands its arguments to sim_launcher.py (port in
 * TAVRIN_SIM_LAUNCHER_PORT), which runs the Linux quote-sim, and prints what
 * the simulator prints. Ending this program ends the simulator. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <winsock2.h>

static int fail(const char* what) {
    fprintf(stderr, "quote-sim-bridge: %s\n", what);
    return 2;
}

static int sendAll(SOCKET s, const char* data, int size) {
    while (size > 0) {
        const int sent = send(s, data, size, 0);
        if (sent <= 0)
            return 0;
        data += sent;
        size -= sent;
    }
    return 1;
}

int main(int argc, char** argv) {
    const char* port = getenv("TAVRIN_SIM_LAUNCHER_PORT");
    if (!port || !*port)
        return fail("TAVRIN_SIM_LAUNCHER_PORT is not set");
    const long portNumber = strtol(port, NULL, 10);
    if (portNumber <= 0 || portNumber > 65535)
        return fail("TAVRIN_SIM_LAUNCHER_PORT is not a port");
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return fail("no sockets");
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return fail("no socket");
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons((unsigned short)portNumber);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, (struct sockaddr*)&address, sizeof address) != 0)
        return fail("cannot reach the launcher");

    char line[4096];
    snprintf(line, sizeof line, "%d\n", argc - 1);
    if (!sendAll(s, line, (int)strlen(line)))
        return fail("launcher went away");
    for (int i = 1; i < argc; ++i) {
        const size_t length = strlen(argv[i]);
        if (length + 1 >= sizeof line || strchr(argv[i], '\n'))
            return fail("argument too long");
        memcpy(line, argv[i], length);
        line[length] = '\n';
        if (!sendAll(s, line, (int)length + 1))
            return fail("launcher went away");
    }

    /* The simulator's output until it ends; Windows closes the socket when this
     * program is killed, which tells the launcher to stop the simulator. */
    char buffer[4096];
    int received;
    while ((received = recv(s, buffer, sizeof buffer, 0)) > 0) {
        fwrite(buffer, 1, (size_t)received, stdout);
        fflush(stdout);
    }
    closesocket(s);
    WSACleanup();
    return 0;
}
