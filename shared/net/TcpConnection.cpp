#include <windows.h>

#include "TcpConnection.h"

#include <ws2tcpip.h>

#include <memory>
#include <mutex>
#include <thread>

namespace net {

namespace {

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// A name lookup cannot be interrupted, so it runs on a thread of its own that the connection
// leaves behind when its time runs out; it holds nothing but its own result.
struct Lookup {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    addrinfo* result = nullptr;
    ~Lookup() {
        if (result) freeaddrinfo(result);
        if (done) CloseHandle(done);
    }
};

std::shared_ptr<Lookup> StartLookup(const std::string& host, int port) {
    auto lookup = std::make_shared<Lookup>();
    if (!lookup->done) return nullptr;
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    const std::string service = std::to_string(port);
    // An address written as numbers needs no lookup.
    hints.ai_flags = AI_NUMERICHOST;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &lookup->result) == 0) {
        SetEvent(lookup->done);
        return lookup;
    }
    lookup->result = nullptr;
    hints.ai_flags = 0;
    std::thread([lookup, host, service, hints] {
        addrinfo* result = nullptr;
        if (getaddrinfo(host.c_str(), service.c_str(), &hints, &result) == 0)
            lookup->result = result;
        SetEvent(lookup->done);
    }).detach();
    return lookup;
}

DWORD MillisecondsUntil(FetchClock::time_point end) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - FetchClock::now());
    return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

// Waits for `handle` until `end`, or for `stop` when there is one; true when `handle` came.
bool WaitForHandle(HANDLE handle, HANDLE stop, FetchClock::time_point end) {
    const HANDLE handles[] = {handle, stop};
    const DWORD result =
        WaitForMultipleObjects(stop ? 2 : 1, handles, FALSE, MillisecondsUntil(end));
    return result == WAIT_OBJECT_0;
}

}  // namespace

TcpConnection::TcpConnection(int connectMs, int idleMs, FetchClock::time_point fetchEnd,
                             HANDLE stop)
    : idleMs_(idleMs), connectMs_(connectMs), fetchEnd_(fetchEnd), stop_(stop) {}

TcpConnection::~TcpConnection() {
    CloseSocket();
}

void TcpConnection::CloseSocket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
    if (event_) WSACloseEvent(event_);
    event_ = nullptr;
}

bool TcpConnection::Connect(const std::string& host, int port) {
    if (!StartWinsock()) return false;
    const auto end = std::min(fetchEnd_, FetchClock::now() + std::chrono::milliseconds(connectMs_));
    const auto lookup = StartLookup(host, port);
    if (!lookup || !WaitForHandle(lookup->done, stop_, end)) return false;
    int left = 0;
    for (const addrinfo* a = lookup->result; a; a = a->ai_next) ++left;
    // Each address gets an even share of the time left, so that one that swallows packets (an
    // IPv6 route that leads nowhere, say) cannot keep the next one from being tried.
    for (const addrinfo* a = lookup->result; a; a = a->ai_next, --left) {
        const auto share = (end - FetchClock::now()) / left;
        if (ConnectTo(a->ai_addr, static_cast<int>(a->ai_addrlen), a->ai_family,
                      FetchClock::now() + share))
            return true;
        if (Over() || FetchClock::now() >= end) return false;
    }
    return false;
}

bool TcpConnection::ConnectTo(const void* address, int length, int family,
                              FetchClock::time_point end) {
    CloseSocket();
    socket_ = socket(family, SOCK_STREAM, IPPROTO_TCP);
    event_ = WSACreateEvent();
    if (socket_ == INVALID_SOCKET || event_ == WSA_INVALID_EVENT) {
        event_ = nullptr;
        return false;
    }
    // Watching the socket's events makes it non-blocking: every wait goes through WaitUntil.
    if (WSAEventSelect(socket_, event_, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0)
        return false;
    if (connect(socket_, static_cast<const sockaddr*>(address), length) == 0) return true;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
    for (;;) {
        WSANETWORKEVENTS events{};
        if (WaitUntil(end, &events) != Wait::Ready) return false;
        if (events.lNetworkEvents & FD_CONNECT) return events.iErrorCode[FD_CONNECT_BIT] == 0;
    }
}

bool TcpConnection::Over() const {
    return FetchClock::now() >= fetchEnd_ ||
           (stop_ && WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0);
}

TcpConnection::Wait TcpConnection::WaitUntil(FetchClock::time_point end, WSANETWORKEVENTS* taken) {
    if (!WaitForHandle(event_, stop_, std::min(end, fetchEnd_))) return Wait::Over;
    // The event stays set until the socket's network events are taken; the caller retries.
    WSANETWORKEVENTS events{};
    if (WSAEnumNetworkEvents(socket_, event_, &events) != 0) return Wait::Over;
    if (taken) *taken = events;
    return Wait::Ready;
}

bool TcpConnection::SendAll(const char* data, size_t size) {
    auto idleEnd = FetchClock::now() + std::chrono::milliseconds(idleMs_);
    while (size > 0) {
        if (Over()) return false;
        const int chunk = static_cast<int>(std::min<size_t>(size, 1 << 20));
        const int sent = send(socket_, data, chunk, 0);
        if (sent > 0) {
            data += sent;
            size -= static_cast<size_t>(sent);
            idleEnd = FetchClock::now() + std::chrono::milliseconds(idleMs_);
            continue;
        }
        if (sent == 0 || WSAGetLastError() != WSAEWOULDBLOCK) return false;
        if (WaitUntil(idleEnd) != Wait::Ready) return false;
    }
    return true;
}

long TcpConnection::Receive(char* buffer, size_t size) {
    const auto idleEnd = FetchClock::now() + std::chrono::milliseconds(idleMs_);
    const int wanted = static_cast<int>(std::min<size_t>(size, 1 << 20));
    for (;;) {
        // A host that never pauses is still held to the fetch's end and to a stop.
        if (Over()) return -1;
        const int received = recv(socket_, buffer, wanted, 0);
        if (received >= 0) return received;
        if (WSAGetLastError() != WSAEWOULDBLOCK) return -1;
        if (WaitUntil(idleEnd) != Wait::Ready) return -1;
    }
}

}  // namespace net
