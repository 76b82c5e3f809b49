#include "StandInSocket.h"

#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace standin {

namespace {

#ifdef _WIN32
using Native = SOCKET;
const Native kNativeInvalid = INVALID_SOCKET;

void StartNetworking() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw std::runtime_error("Winsock did not start");
}
void CloseNative(Native s) {
    closesocket(s);
}
#else
using Native = int;
const Native kNativeInvalid = -1;

void StartNetworking() {}
void CloseNative(Native s) {
    ::close(s);
}
#endif

Native ToNative(std::uintptr_t handle) {
    return static_cast<Native>(handle);
}
std::uintptr_t FromNative(Native s) {
    return static_cast<std::uintptr_t>(s);
}

bool PollReadable(Native s, int timeoutMs) {
#ifdef _WIN32
    WSAPOLLFD entry{};
    entry.fd = s;
    entry.events = POLLRDNORM;
    return WSAPoll(&entry, 1, timeoutMs) > 0;
#else
    pollfd entry{};
    entry.fd = s;
    entry.events = POLLIN;
    for (;;) {
        const int ready = ::poll(&entry, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0;
    }
#endif
}

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

const std::uintptr_t Socket::kInvalid = FromNative(kNativeInvalid);

Socket::~Socket() {
    Close();
}

Socket::Socket(Socket&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kInvalid;
}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = kInvalid;
    }
    return *this;
}

Socket Socket::ListenLoopback(int port) {
    StartNetworking();
    Native s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNativeInvalid) throw std::runtime_error("no socket");
    Socket result(FromNative(s));
#ifndef _WIN32
    // A stand-in restarted on its previous port must not wait for old connections to time out.
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
#endif
    sockaddr_in address = LoopbackAddress(port);
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 64) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));
    return result;
}

Socket Socket::ConnectLoopback(int port) {
    StartNetworking();
    Native s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNativeInvalid) return Socket();
    Socket result(FromNative(s));
    sockaddr_in address = LoopbackAddress(port);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return Socket();
    return result;
}

bool Socket::Valid() const {
    return handle_ != kInvalid;
}

int Socket::LocalPort() const {
    sockaddr_in address{};
#ifdef _WIN32
    int length = sizeof address;
#else
    socklen_t length = sizeof address;
#endif
    if (::getsockname(ToNative(handle_), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

bool Socket::WaitReadable(int timeoutMs) const {
    return PollReadable(ToNative(handle_), timeoutMs);
}

Socket Socket::Accept() const {
    Native s = ::accept(ToNative(handle_), nullptr, nullptr);
    if (s == kNativeInvalid) return Socket();
    return Socket(FromNative(s));
}

long Socket::Receive(char* buffer, size_t size) const {
#ifdef _WIN32
    const int n = ::recv(ToNative(handle_), buffer, static_cast<int>(size), 0);
#else
    ssize_t n;
    do {
        n = ::recv(ToNative(handle_), buffer, size, 0);
    } while (n < 0 && errno == EINTR);
#endif
    return n < 0 ? -1 : static_cast<long>(n);
}

bool Socket::SendAll(const std::string& data) const {
    size_t sent = 0;
    while (sent < data.size()) {
#ifdef _WIN32
        const int n =
            ::send(ToNative(handle_), data.data() + sent, static_cast<int>(data.size() - sent), 0);
#else
        const ssize_t n =
            ::send(ToNative(handle_), data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
#endif
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

void Socket::Shutdown() const {
    ShutdownHandle(handle_);
}

void Socket::ShutdownHandle(std::uintptr_t handle) {
    if (handle == kInvalid) return;
#ifdef _WIN32
    ::shutdown(ToNative(handle), SD_BOTH);
#else
    ::shutdown(ToNative(handle), SHUT_RDWR);
#endif
}

bool Socket::PeerHasClosed(std::uintptr_t handle) {
    if (handle == kInvalid) return true;
    // Readable with nothing to read: the end of the stream, or a reset.
    const Native s = ToNative(handle);
    if (!PollReadable(s, 0)) return false;
#ifdef _WIN32
    u_long waiting = 0;
    return ioctlsocket(s, FIONREAD, &waiting) != 0 || waiting == 0;
#else
    char byte;
    const ssize_t n = ::recv(s, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
#endif
}

void Socket::Close() {
    if (handle_ != kInvalid) {
        CloseNative(ToNative(handle_));
        handle_ = kInvalid;
    }
}

}  // namespace standin
