#pragma once

namespace tavrin::sim {

// cpp-httplib gives handlers no socket; the connection of a request is
// found by its local and peer ports. -1 when not found.
int findConnectionSocket(int localPort, int peerPort);

// Ends the connection without a byte of response; what the server writes
// afterwards fails quietly.
void dropConnection(int socket);

// True once the peer has closed its side.
bool peerClosed(int socket);

} // namespace tavrin::sim
