#include "tools/quote-sim/connection_control.h"

#include <cstdlib>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace tavrin::sim {

namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

} // namespace

int findConnectionSocket(int localPort, int peerPort) {
    DIR* directory = opendir("/proc/self/fd");
    if (!directory)
        return -1;
    int found = -1;
    while (const dirent* entry = readdir(directory)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0')
            continue;
        const int socket = static_cast<int>(fd);
        sockaddr_storage local{};
        sockaddr_storage peer{};
        socklen_t localLength = sizeof local;
        socklen_t peerLength = sizeof peer;
        if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
            portOf(local) != localPort)
            continue;
        if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0 ||
            portOf(peer) != peerPort)
            continue;
        found = socket;
        break;
    }
    closedir(directory);
    return found;
}

void dropConnection(int socket) {
    if (socket >= 0)
        shutdown(socket, SHUT_RDWR);
}

bool peerClosed(int socket) {
    if (socket < 0)
        return false;
    pollfd entry{socket, POLLIN | POLLRDHUP, 0};
    if (poll(&entry, 1, 0) <= 0)
        return false;
    if (entry.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL))
        return true;
    char byte = 0;
    return recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

} // namespace tavrin::sim
