// bSource: the URL fetcher both programs reach the web through. One operation, FetchUrl: a
// blocking GET of one address whose reply comes back as text, or exactly "failed". Keeps no
// state; every fetch makes its own client or hidden browser and releases it before returning.
#pragma once

#include <cstdint>
#include <string>

#include "Component.h"
#include "HttpTransport.h"

class bSource : public gui::TComponent {
public:
    explicit bSource(gui::TComponent* owner) : gui::TComponent(owner) {}

    // `url` is an absolute "http://" or "https://" address, already encoded by the caller.
    // With `useHttpClient` the HTTP-client road: one GET, redirects followed, only a 2xx reply
    // counts; mode 1 turns every "<br>" (any case) into a line feed. Without it the hidden-
    // browser road: messages are pumped in one-second waits while the page loads, at most
    // eleven, then mode 1 gives the body's text and any other mode its markup, as loaded so
    // far; the load is ended before the call returns. Any failure (a body cut short, a limit
    // reached too) gives "failed", which a reply of that very text cannot be told from.
    std::string FetchUrl(const std::string& url, uint8_t mode, bool useHttpClient);

    // The one-second wait of the browser road; nullptr restores KelTextHandler::WaitSeconds.
    // Lets tests count the waits and shorten them.
    using Waiter = void (*)(int32_t seconds);
    static void SetWaiter(Waiter waiter);

    // The network limits of both roads (connect, idle, overall); tests shorten them. The
    // browser road ends its load when it stops waiting, whatever they say.
    static void SetLimits(const net::HttpLimits& limits);
    static void ResetLimits() { SetLimits(net::HttpLimits{}); }

    // The browser road's wait rule: at most this many one-second waits.
    static constexpr int kMaxBrowserWaits = 11;

private:
    std::string FetchWithClient(const std::string& url, uint8_t mode);
    std::string FetchWithBrowser(const std::string& url, uint8_t mode);
};
