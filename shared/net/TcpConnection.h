// One TCP connection of a fetch, every wait of which ends in time: a wait to connect after the
// connect limit, a wait for the next byte after the idle limit, any wait at the fetch's end or
// as soon as the fetch is stopped from another thread. The socket is closed with the object,
// so nothing of the connection outlives the fetch.
#pragma once

#include <windows.h>

#include <winsock2.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace net {

using FetchClock = std::chrono::steady_clock;

// The two directions of a connection as the HTTP exchange uses them, plain or through TLS.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    virtual bool SendAll(const char* data, size_t size) = 0;
    // Bytes received (more than 0), 0 when the host closed the connection, -1 on a failure, a
    // limit reached or a stop.
    virtual long Receive(char* buffer, size_t size) = 0;
};

class TcpConnection : public ByteStream {
public:
    // `stop`, when given, is an event that ends every wait at once.
    TcpConnection(int connectMs, int idleMs, FetchClock::time_point fetchEnd, HANDLE stop);
    ~TcpConnection() override;
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // Resolves `host` and connects to the first of its addresses that answers, all within the
    // connect limit.
    bool Connect(const std::string& host, int port);
    bool SendAll(const char* data, size_t size) override;
    long Receive(char* buffer, size_t size) override;

private:
    enum class Wait { Ready, Over };
    // Waits for an event on the socket until `end` (or the fetch's end, if sooner); the events
    // taken go to `taken` when given.
    Wait WaitUntil(FetchClock::time_point end, WSANETWORKEVENTS* taken = nullptr);
    // The fetch has reached its end or been stopped.
    bool Over() const;
    bool ConnectTo(const void* address, int length, int family, FetchClock::time_point end);
    void CloseSocket();

    int idleMs_;
    int connectMs_;
    FetchClock::time_point fetchEnd_;
    HANDLE stop_;
    SOCKET socket_ = INVALID_SOCKET;
    HANDLE event_ = nullptr;
};

}  // namespace net
