#include "bSource1.h"

#include "HiddenBrowser.h"
#include "HttpTransport.h"
#include "KelTextHandler1.h"
#include "MessagePump.h"
#include "TextToolkit.h"

namespace {

const char kFailed[] = "failed";

bSource::Waiter waiter = nullptr;

net::HttpLimits& Limits() {
    static net::HttpLimits limits;
    return limits;
}

void Wait(int32_t seconds) {
    if (waiter) {
        waiter(seconds);
    } else {
        KelTextHandler::WaitSeconds(seconds);
    }
}

}  // namespace

void bSource::SetWaiter(Waiter w) {
    waiter = w;
}

void bSource::SetLimits(const net::HttpLimits& limits) {
    Limits() = limits;
}

std::string bSource::FetchUrl(const std::string& url, uint8_t mode, bool useHttpClient) {
    // Nothing that goes wrong out there may leave FetchUrl as an error.
    try {
        return useHttpClient ? FetchWithClient(url, mode) : FetchWithBrowser(url, mode);
    } catch (...) {
        return kFailed;
    }
}

std::string bSource::FetchWithClient(const std::string& url, uint8_t mode) {
    const auto body = net::HttpGetBody(url, Limits());
    if (!body) return kFailed;
    if (mode == 1) return text::ReplaceAllOf(*body, "<br>", "\n");
    return *body;
}

std::string bSource::FetchWithBrowser(const std::string& url, uint8_t mode) {
    net::HiddenBrowser browser;
    browser.SetLimits(Limits());
    gui::ProcessMessages();
    browser.Navigate(url);
    int waits = 0;
    do {
        Wait(1);
        ++waits;
        gui::ProcessMessages();
    } while (browser.Busy() && waits < kMaxBrowserWaits);
    // Nothing of the load may outlive the call: its connection is closed here, and the page is
    // read as it stood.
    browser.Stop();
    const auto body = mode == 1 ? browser.BodyText() : browser.BodyHtml();
    return body ? *body : kFailed;
}
