#include <windows.h>

#include "HttpTransport.h"

#include <winhttp.h>

#include "CodePages.h"
#include "HttpUrl.h"

namespace net {

namespace {

// Closes a WinHTTP handle when the scope ends, innermost first by declaration order.
class Handle {
public:
    explicit Handle(HINTERNET h) : h_(h) {}
    ~Handle() {
        if (h_) WinHttpCloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HINTERNET get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HINTERNET h_;
};

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

bool SetTimeouts(HINTERNET h, const HttpLimits& limits) {
    return WinHttpSetTimeouts(h, limits.resolveMs, limits.connectMs, limits.sendMs,
                              limits.receiveMs) != FALSE;
}

template <class T>
bool SetOption(HINTERNET h, DWORD option, T value) {
    return WinHttpSetOption(h, option, &value, sizeof value) != FALSE;
}

bool IsRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string Header(HINTERNET request, DWORD which) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return "";
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (!WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, &value[0], &size,
                             WINHTTP_NO_HEADER_INDEX))
        return "";
    value.resize(size / sizeof(wchar_t));
    // As UTF-8: a Location with raw non-ASCII characters is then sent percent-encoded.
    return FromWide(value, CP_UTF8);
}

// One request and its reply head on a connection of its own.
class Exchange {
public:
    Exchange(HINTERNET session, const HttpUrl& url, const HttpLimits& limits)
        : connection_(WinHttpConnect(session, Widen(url.host).c_str(),
                                     static_cast<INTERNET_PORT>(url.port), 0)),
          request_(connection_ ? WinHttpOpenRequest(
                                     connection_.get(), L"GET", Widen(url.target).c_str(), nullptr,
                                     WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, Flags(url))
                               : nullptr) {
        if (!request_) return;
        // The request takes the limits again: the reply's head has a timeout of its own there.
        // Redirects are followed by HttpGet itself, the same way on every platform.
        if (!SetTimeouts(request_.get(), limits) ||
            !SetOption<DWORD>(request_.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT,
                              static_cast<DWORD>(limits.receiveMs)) ||
            !SetOption<DWORD>(request_.get(), WINHTTP_OPTION_DISABLE_FEATURE,
                              WINHTTP_DISABLE_REDIRECTS))
            return;
        static const wchar_t kNoCache[] = L"Cache-Control: no-cache\r\nPragma: no-cache\r\n";
        if (!WinHttpSendRequest(request_.get(), kNoCache, static_cast<DWORD>(-1L),
                                WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
            !WinHttpReceiveResponse(request_.get(), nullptr))
            return;
        DWORD size = sizeof status_;
        if (!WinHttpQueryHeaders(
                request_.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                WINHTTP_HEADER_NAME_BY_INDEX, &status_, &size, WINHTTP_NO_HEADER_INDEX))
            status_ = 0;
    }

    // The reply's status; 0 when no reply head arrived.
    DWORD Status() const { return status_; }
    HINTERNET Request() const { return request_.get(); }

private:
    // The target is already encoded; WinHTTP must send it as it stands. REFRESH keeps any
    // cache out of the way: the status poll asks the same address again and needs a fresh
    // answer.
    static DWORD Flags(const HttpUrl& url) {
        return WINHTTP_FLAG_REFRESH | WINHTTP_FLAG_ESCAPE_DISABLE |
               WINHTTP_FLAG_ESCAPE_DISABLE_QUERY | (url.secure ? WINHTTP_FLAG_SECURE : 0);
    }

    Handle connection_;
    Handle request_;
    DWORD status_ = 0;
};

bool ReadBody(HINTERNET request, DWORD start, const HttpLimits& limits, const HttpEvents& events) {
    size_t received = 0;
    std::string buffer;
    for (;;) {
        if (GetTickCount() - start > static_cast<DWORD>(limits.totalMs)) return false;
        // Asking what is there first makes a read return what has arrived instead of waiting
        // for a full buffer, so a page that is still loading shows up piece by piece.
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) return false;
        if (available == 0) return true;
        if (received + available > limits.maxBodyBytes) return false;
        buffer.resize(available);
        DWORD read = 0;
        if (!WinHttpReadData(request, &buffer[0], available, &read)) return false;
        if (read == 0) return true;
        received += read;
        if (events.onData && !events.onData(buffer.data(), read)) return false;
    }
}

}  // namespace

bool HttpGet(const std::string& url, const HttpLimits& limits, const HttpEvents& events) {
    auto target = ParseHttpUrl(url);
    if (!target) return false;
    const DWORD start = GetTickCount();

    // A proxy from the environment would swallow loopback requests and differ from machine to
    // machine; the fetch goes straight to the host.
    Handle session(WinHttpOpen(L"zembly/2.00", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session || !SetTimeouts(session.get(), limits)) return false;

    std::string address = url;
    for (int redirects = 0;; ++redirects) {
        Exchange exchange(session.get(), *target, limits);
        const DWORD status = exchange.Status();
        if (status == 0) return false;
        if (IsRedirect(status)) {
            const std::string location = Header(exchange.Request(), WINHTTP_QUERY_LOCATION);
            if (!location.empty()) {
                if (redirects >= limits.maxRedirects) return false;
                if (GetTickCount() - start > static_cast<DWORD>(limits.totalMs)) return false;
                address = ResolveReference(address, location);
                auto next = ParseHttpUrl(address);
                // Never from TLS back to plain text.
                if (!next || (target->secure && !next->secure)) return false;
                target = next;
                continue;
            }
        }
        if (events.onHead && !events.onHead(static_cast<int>(status),
                                            Header(exchange.Request(), WINHTTP_QUERY_CONTENT_TYPE)))
            return false;
        if (status < 200 || status > 299) return false;
        return ReadBody(exchange.Request(), start, limits, events);
    }
}

std::optional<std::string> HttpGetBody(const std::string& url, const HttpLimits& limits) {
    std::string body;
    HttpEvents events;
    events.onData = [&body](const char* data, size_t size) {
        body.append(data, size);
        return true;
    };
    if (!HttpGet(url, limits, events)) return std::nullopt;
    return body;
}

}  // namespace net
