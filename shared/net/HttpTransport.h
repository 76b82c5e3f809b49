// One blocking HTTP/1.1 GET on connections of its own: redirects followed up to a bound,
// "https://" over the platform's TLS with certificates checked, nothing taken from or left in a
// cache, and limits that end the fetch whatever the host does.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace net {

struct HttpLimits {
    // To resolve the host's name and connect to it.
    int connectMs = 10000;
    // Without a byte arriving (or leaving), in the head, the body or the TLS handshake.
    int idleMs = 30000;
    // The whole fetch, from its start across every redirect: a host that trickles its head or
    // body a line now and then cannot hold the caller for ever.
    int totalMs = 120000;
    int maxRedirects = 15;  // followed in a row; one more fails the fetch
    size_t maxBodyBytes = 16u << 20;
};

// Lets one thread end another's fetch at once: the fetch closes its connection and fails.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Raise();
    bool Raised() const;
    // The event the fetch's waits watch.
    void* Event() const { return event_; }

private:
    void* event_;
};

struct HttpEvents {
    // The final reply's head (after redirects); return false to stop before the body.
    std::function<bool(int status, const std::string& contentType)> onHead;
    // Each piece of the body as it arrives; return false to stop.
    std::function<bool(const char* data, size_t size)> onData;
};

// Fetches `url`; true when a 2xx reply arrived in full: all of its announced length, or all of
// its chunks, or (with neither) all that came before the host closed the connection. Anything
// else (bad address, refused or broken connection, a body cut short, TLS or certificate failure,
// a limit reached, another status, a handler that stopped, `stop` raised) gives false.
bool HttpGet(const std::string& url, const HttpLimits& limits, const HttpEvents& events,
             const StopSignal* stop = nullptr);

// The whole body of a 2xx reply, byte for byte; nothing on any failure.
std::optional<std::string> HttpGetBody(const std::string& url, const HttpLimits& limits = {});

}  // namespace net
