// Our stand-in for the platform's web-browser control, never shown: it loads a page on a thread
// of its own (as the real control loads on its engine's threads) while the caller pumps messages
// and asks Busy, and then yields the document body's text or markup in the ANSI code page, as
// far as the page has arrived. A load that breaks off (a body cut short, a limit reached) leaves
// no document; a load the caller stops keeps what had arrived.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "HttpTransport.h"

namespace net {

class HiddenBrowser {
public:
    HiddenBrowser();
    // Stops a load still running.
    ~HiddenBrowser();
    HiddenBrowser(const HiddenBrowser&) = delete;
    HiddenBrowser& operator=(const HiddenBrowser&) = delete;

    // Starts loading `url`. Returns at once. One navigation per control.
    void Navigate(const std::string& url);
    // True while the page is still loading.
    bool Busy() const;
    // Ends the load at once: its connection is closed and its thread has finished on return.
    void Stop();
    // The body's text (mode 1) or inner markup, as loaded so far; nothing when no HTML document
    // with a body exists (no reply yet, an error status, a reply that is no document).
    std::optional<std::string> BodyText() const;
    std::optional<std::string> BodyHtml() const;

    // Limits of the loading thread; the defaults are the HTTP client's.
    void SetLimits(const HttpLimits& limits) { limits_ = limits; }

private:
    struct Load;
    struct Snapshot;
    Snapshot Take() const;
    std::optional<std::string> Body(bool text) const;

    std::unique_ptr<Load> load_;
    std::thread loader_;
    HttpLimits limits_;
};

}  // namespace net
