#!/usr/bin/python3
"""Starts Linux quote simulators for Windows test programs running under Wine.

A Windows program under Wine can start a Linux program, but gets neither its
output nor a handle to stop it. So the tests start quote-sim-bridge.exe instead,
which connects here and sends its arguments; this launcher starts quote-sim with
them, relays its output back, and stops it as soon as the bridge goes away.

    sim_launcher.py QUOTE_SIM PORT_FILE

Listens on a free port of 127.0.0.1 and writes the port to PORT_FILE once ready.
The bridge sends the number of arguments on a line, then one argument a line.
"""

import os
import socket
import socketserver
import subprocess
import sys
import threading


class Launch(socketserver.StreamRequestHandler):
    def handle(self):
        try:
            count = int(self.rfile.readline(16))
            arguments = [self.rfile.readline(4096).rstrip(b"\n").decode() for _ in range(count)]
        except (ValueError, UnicodeDecodeError):
            return
        if not 0 <= count <= 64:
            return
        sim = subprocess.Popen([self.server.program, *arguments], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
        try:
            relay = threading.Thread(target=self._relay, args=(sim,), daemon=True)
            relay.start()
            # Anything from the bridge, or its end, means stop.
            self.request.recv(1)
        except OSError:
            pass
        finally:
            sim.terminate()
            try:
                sim.wait(5)
            except subprocess.TimeoutExpired:
                sim.kill()
                sim.wait()

    def _relay(self, sim):
        try:
            for line in sim.stdout:
                self.wfile.write(line)
                self.wfile.flush()
        except OSError:
            pass
        # The simulator ended by itself: so does the bridge.
        try:
            self.request.shutdown(socket.SHUT_WR)
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: sim_launcher.py QUOTE_SIM PORT_FILE")
    with Server(("127.0.0.1", 0), Launch) as server:
        server.program = sys.argv[1]
        with open(sys.argv[2] + ".tmp", "w") as f:
            f.write(f"{server.server_address[1]}\n")
        os.replace(sys.argv[2] + ".tmp", sys.argv[2])
        server.serve_forever()


if __name__ == "__main__":
    main()
