// Cutting an absolute http(s) address into what an HTTP client needs, and the percent-encoding
// that both the client and the account service requests rely on. Portable: no windows.h here.
#pragma once

#include <optional>
#include <string>

namespace net {

// Replaces every byte for which `mustEncode` is true by "%" and two upper-case hex digits.
std::string PercentEncode(const std::string& text, bool (*mustEncode)(unsigned char));

// Bytes that may not stand raw in a request line: controls, space, DEL, bytes 0x80 and above,
// and "#" (which would otherwise cut the rest of the address off as a fragment). A caller that
// puts such bytes into an address means them as data, so they are sent encoded rather than
// mangled or refused.
bool IsUnsafeInRequestTarget(unsigned char c);

struct HttpUrl {
    bool secure = false;  // "https://"
    std::string host;     // without brackets for an IPv6 literal
    int port = 80;
    std::string target;  // path and query, starting with "/", safe for the request line
};

// Accepts "http://" and "https://" (any case) with a host, an optional port from 1 to 65535 and
// an optional path and query. Addresses with user information, other schemes or a malformed
// authority give nothing.
std::optional<HttpUrl> ParseHttpUrl(const std::string& url);

// The address as the request asks for it: scheme, host, port and the encoded target. A redirect
// resolves against this, so that what was sent as data ("#" among it) stays data.
std::string RequestedAddress(const HttpUrl& url);

// The address a redirect's Location leads to from `base`: absolute, scheme-relative
// ("//host/x"), absolute-path, query-only and relative references, with "." and ".." segments
// resolved. A fragment is dropped.
std::string ResolveReference(const std::string& base, const std::string& reference);

}  // namespace net
