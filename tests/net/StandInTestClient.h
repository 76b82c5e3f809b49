// A bare HTTP client for the stand-in's own tests: sends one GET over a raw socket and reads
// whatever comes back before the connection closes or the time runs out.
#pragma once

#include <chrono>
#include <string>

#include "StandInSocket.h"

namespace standin_test {

struct RawReply {
    bool connected = false;
    bool closed = false;  // the server closed the connection (as opposed to running out of time)
    std::string data;     // everything received
    int status = 0;
    std::string body;
};

inline RawReply RawGet(int port, const std::string& target, int timeoutMs = 5000) {
    using Clock = std::chrono::steady_clock;
    RawReply reply;
    standin::Socket socket = standin::Socket::ConnectLoopback(port);
    if (!socket.Valid()) return reply;
    reply.connected = true;
    socket.SendAll("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !socket.WaitReadable(static_cast<int>(left))) break;
        const long n = socket.Receive(buffer, sizeof buffer);
        if (n <= 0) {
            reply.closed = true;
            break;
        }
        reply.data.append(buffer, static_cast<size_t>(n));
    }
    if (reply.data.compare(0, 9, "HTTP/1.1 ") == 0)
        reply.status = std::stoi(reply.data.substr(9, 3));
    const size_t headEnd = reply.data.find("\r\n\r\n");
    if (headEnd != std::string::npos) reply.body = reply.data.substr(headEnd + 4);
    return reply;
}

}  // namespace standin_test
