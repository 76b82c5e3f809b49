// The few socket calls the stand-in needs, the same on POSIX and Winsock: listen on the loopback
// interface, accept, receive with a time limit, send, and shut a connection down from another
// thread. Only 127.0.0.1 is ever bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace standin {

class Socket {
public:
    Socket() = default;
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Listens on 127.0.0.1:port; port 0 lets the system choose (read it with LocalPort).
    // Throws std::runtime_error when the port cannot be bound.
    static Socket ListenLoopback(int port);
    // Connects to 127.0.0.1:port; an invalid socket when nobody listens there.
    static Socket ConnectLoopback(int port);

    bool Valid() const;
    int LocalPort() const;
    // True when data (or a connection, or the peer's close) is waiting, within timeoutMs.
    bool WaitReadable(int timeoutMs) const;
    Socket Accept() const;
    // Bytes received, 0 when the peer has closed, -1 on an error.
    long Receive(char* buffer, size_t size) const;
    bool SendAll(const std::string& data) const;
    // Ends both directions; a thread blocked in Receive on this socket returns. Safe to call
    // from another thread while the socket is in use.
    void Shutdown() const;
    // The same for a socket known only by its Handle, owned by another thread.
    static void ShutdownHandle(std::uintptr_t handle);
    // True when the peer of a socket known only by its Handle has closed or reset it; looks
    // without waiting and without taking any data.
    static bool PeerHasClosed(std::uintptr_t handle);
    void Close();

    // An identity for bookkeeping across threads.
    std::uintptr_t Handle() const { return handle_; }

private:
    explicit Socket(std::uintptr_t handle) : handle_(handle) {}
    static const std::uintptr_t kInvalid;

    std::uintptr_t handle_ = kInvalid;
};

}  // namespace standin
