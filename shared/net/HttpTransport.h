// One blocking HTTP GET through WinHTTP, with a client (session) of its own per call: redirects
// followed up to a bound, "https://" over the platform's TLS with certificates checked, nothing
// taken from or left in a cache, and time limits so that no request can hang its caller.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace net {

struct HttpLimits {
    int resolveMs = 10000;
    int connectMs = 10000;
    int sendMs = 30000;
    // Longest wait for the reply's head and for each piece of its body.
    int receiveMs = 30000;
    // The whole fetch, checked between pieces of the body: a host that trickles a byte now and
    // then cannot hold the caller for ever.
    int totalMs = 120000;
    int maxRedirects = 15;  // followed in a row; one more fails the fetch
    size_t maxBodyBytes = 16u << 20;
};

struct HttpEvents {
    // The final reply's head (after redirects); return false to stop before the body.
    std::function<bool(int status, const std::string& contentType)> onHead;
    // Each piece of the body as it arrives; return false to stop.
    std::function<bool(const char* data, size_t size)> onData;
};

// Fetches `url`; true when a 2xx reply arrived in full (all its pieces passed to onData).
// Anything else (bad address, refused or broken connection, TLS or certificate failure, a limit
// reached, another status, a handler that stopped) gives false.
bool HttpGet(const std::string& url, const HttpLimits& limits, const HttpEvents& events);

// The whole body of a 2xx reply, byte for byte; nothing on any failure.
std::optional<std::string> HttpGetBody(const std::string& url, const HttpLimits& limits = {});

}  // namespace net
