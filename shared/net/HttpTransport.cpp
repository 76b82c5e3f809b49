#include <windows.h>

#include "HttpTransport.h"

#include <memory>

#include "HttpReply.h"
#include "HttpUrl.h"
#include "TcpConnection.h"
#include "TlsStream.h"

namespace net {

namespace {

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// One request and its reply on a connection of its own, closed with the object.
class Exchange {
public:
    Exchange(const HttpLimits& limits, FetchClock::time_point end, const StopSignal* stop)
        : limits_(limits),
          connection_(limits.connectMs, limits.idleMs, end,
                      stop ? static_cast<HANDLE>(stop->Event()) : nullptr) {}

    // Connects, sends the request and reads until the reply's head is there; body bytes that
    // came with the head wait in `Pending`.
    bool Start(const HttpUrl& url) {
        if (!connection_.Connect(url.host, url.port)) return false;
        stream_ = &connection_;
        if (url.secure) {
            tls_ = std::make_unique<TlsStream>(connection_);
            if (!tls_->Handshake(url.host)) return false;
            stream_ = tls_.get();
        }
        const std::string request = GetRequestFor(url);
        if (!stream_->SendAll(request.data(), request.size())) return false;
        while (reader_.state() == HttpReplyReader::State::Head) {
            if (!ReadMore()) return false;
        }
        return reader_.state() != HttpReplyReader::State::Broken;
    }

    const HttpReplyReader& Reply() const { return reader_; }

    // Passes the body on piece by piece; true when it arrived in full.
    bool ReadBody(const HttpEvents& events) {
        size_t received = 0;
        for (;;) {
            if (!pending_.empty()) {
                received += pending_.size();
                if (received > limits_.maxBodyBytes) return false;
                if (events.onData && !events.onData(pending_.data(), pending_.size())) return false;
                pending_.clear();
            }
            switch (reader_.state()) {
                case HttpReplyReader::State::Complete:
                    return true;
                case HttpReplyReader::State::Broken:
                    return false;
                default:
                    if (!ReadMore()) return false;
            }
        }
    }

private:
    // False when the connection failed or reached a limit; its close goes to the reader.
    bool ReadMore() {
        char buffer[16 * 1024];
        const long received = stream_->Receive(buffer, sizeof buffer);
        if (received < 0) return false;
        if (received == 0) {
            reader_.Close();
        } else {
            reader_.Take(buffer, static_cast<size_t>(received), pending_);
        }
        return true;
    }

    const HttpLimits& limits_;
    TcpConnection connection_;
    std::unique_ptr<TlsStream> tls_;
    ByteStream* stream_ = nullptr;
    HttpReplyReader reader_;
    std::string pending_;
};

}  // namespace

StopSignal::StopSignal() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

StopSignal::~StopSignal() {
    if (event_) CloseHandle(static_cast<HANDLE>(event_));
}

void StopSignal::Raise() {
    SetEvent(static_cast<HANDLE>(event_));
}

bool StopSignal::Raised() const {
    return WaitForSingleObject(static_cast<HANDLE>(event_), 0) == WAIT_OBJECT_0;
}

bool HttpGet(const std::string& url, const HttpLimits& limits, const HttpEvents& events,
             const StopSignal* stop) {
    auto target = ParseHttpUrl(url);
    if (!target) return false;
    // One clock for the whole fetch: every wait of every exchange ends by then.
    const auto end = FetchClock::now() + std::chrono::milliseconds(limits.totalMs);

    for (int redirects = 0;; ++redirects) {
        Exchange exchange(limits, end, stop);
        if (!exchange.Start(*target)) return false;
        const int status = exchange.Reply().Status();
        const std::string location = exchange.Reply().Header("Location");
        if (IsRedirect(status) && !location.empty()) {
            if (redirects >= limits.maxRedirects) return false;
            auto next = ParseHttpUrl(ResolveReference(RequestedAddress(*target), location));
            // Never from TLS back to plain text.
            if (!next || (target->secure && !next->secure)) return false;
            target = next;
            continue;
        }
        if (events.onHead && !events.onHead(status, exchange.Reply().Header("Content-Type")))
            return false;
        if (status < 200 || status > 299) return false;
        return exchange.ReadBody(events);
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
