#include "HttpUrl.h"

#include <cctype>
#include <vector>

namespace net {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

std::optional<int> ParsePort(const std::string& digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

std::string PercentEncode(const std::string& text, bool (*mustEncode)(unsigned char)) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (mustEncode(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

bool IsUnsafeInRequestTarget(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || c == '#';
}

std::optional<HttpUrl> ParseHttpUrl(const std::string& url) {
    HttpUrl result;
    size_t pos;
    if (StartsWithNoCase(url, "http://")) {
        pos = 7;
    } else if (StartsWithNoCase(url, "https://")) {
        result.secure = true;
        result.port = 443;
        pos = 8;
    } else {
        return std::nullopt;
    }

    const size_t authorityEnd = url.find_first_of("/?#", pos);
    const std::string authority =
        url.substr(pos, authorityEnd == std::string::npos ? std::string::npos : authorityEnd - pos);
    if (authority.empty() || authority.find('@') != std::string::npos) return std::nullopt;

    std::string portText;
    if (authority[0] == '[') {
        const size_t close = authority.find(']');
        if (close == std::string::npos || close == 1) return std::nullopt;
        result.host = authority.substr(1, close - 1);
        const std::string rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') return std::nullopt;
            portText = rest.substr(1);
            if (portText.empty()) return std::nullopt;
        }
    } else {
        const size_t colon = authority.find(':');
        result.host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            portText = authority.substr(colon + 1);
            if (portText.empty()) return std::nullopt;
        }
    }
    if (result.host.empty()) return std::nullopt;
    for (unsigned char c : result.host) {
        if (c <= 0x20 || c >= 0x7F) return std::nullopt;
    }
    if (!portText.empty()) {
        const auto port = ParsePort(portText);
        if (!port) return std::nullopt;
        result.port = *port;
    }

    std::string target = authorityEnd == std::string::npos ? "" : url.substr(authorityEnd);
    if (target.empty() || target[0] != '/') target = "/" + target;
    result.target = PercentEncode(target, IsUnsafeInRequestTarget);
    return result;
}

std::string RequestedAddress(const HttpUrl& url) {
    const std::string host =
        url.host.find(':') != std::string::npos ? "[" + url.host + "]" : url.host;
    return (url.secure ? "https://" : "http://") + host + ":" + std::to_string(url.port) +
           url.target;
}

namespace {

struct UrlParts {
    std::string scheme;     // "http:" with the colon
    std::string authority;  // "//host:port"
    std::string path;
    std::string query;  // with its "?"
};

UrlParts Split(const std::string& url) {
    UrlParts parts;
    std::string rest = url.substr(0, url.find('#'));
    const size_t colon = rest.find(':');
    const size_t firstDelimiter = rest.find_first_of("/?");
    if (colon != std::string::npos && colon > 0 &&
        (firstDelimiter == std::string::npos || colon < firstDelimiter)) {
        parts.scheme = rest.substr(0, colon + 1);
        rest.erase(0, colon + 1);
    }
    if (rest.compare(0, 2, "//") == 0) {
        const size_t end = rest.find_first_of("/?", 2);
        parts.authority = rest.substr(0, end);
        rest.erase(0, end == std::string::npos ? rest.size() : end);
    }
    const size_t question = rest.find('?');
    parts.path = rest.substr(0, question);
    if (question != std::string::npos) parts.query = rest.substr(question);
    return parts;
}

// Drops "." segments and lets ".." remove the segment before it; never climbs above the root.
std::string RemoveDotSegments(const std::string& path) {
    std::vector<std::string> segments;
    size_t start = path.empty() || path[0] != '/' ? 0 : 1;
    bool trailingSlash = false;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string segment = path.substr(start, end - start);
        trailingSlash = segment == "." || segment == "..";
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& segment : segments) out += "/" + segment;
    if (trailingSlash || out.empty()) out += "/";
    return out;
}

}  // namespace

std::string ResolveReference(const std::string& base, const std::string& reference) {
    const UrlParts b = Split(base);
    const UrlParts r = Split(reference);
    if (!r.scheme.empty()) return r.scheme + r.authority + RemoveDotSegments(r.path) + r.query;
    if (!r.authority.empty()) return b.scheme + r.authority + RemoveDotSegments(r.path) + r.query;
    std::string path;
    std::string query = r.query;
    if (r.path.empty()) {
        path = b.path;
        if (query.empty()) query = b.query;
    } else if (r.path[0] == '/') {
        path = r.path;
    } else {
        const size_t slash = b.path.rfind('/');
        path = (slash == std::string::npos ? "/" : b.path.substr(0, slash + 1)) + r.path;
    }
    return b.scheme + b.authority + RemoveDotSegments(path) + query;
}

}  // namespace net
