#include <windows.h>

#include "HiddenBrowser.h"

#include <cctype>
#include <cstdio>
#include <mutex>

#include "CodePages.h"
#include "HtmlText.h"

namespace net {

struct HiddenBrowser::Snapshot {
    bool busy = false;
    bool document = false;  // a 2xx head has arrived
    bool complete = false;  // the whole reply has
    bool broken = false;    // the load failed before its end
    std::string contentType;
    std::string bytes;
};

struct HiddenBrowser::Load {
    std::mutex mutex;
    Snapshot page;
    StopSignal stop;
};

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The Windows code page behind a charset label; the system's ANSI code page when unknown or
// unnamed, as a browser of that locale would assume.
UINT CodePageOf(const std::string& label) {
    const std::string name = Lower(label);
    if (name == "utf-8" || name == "utf8") return CP_UTF8;
    if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "ascii" ||
        name == "windows-1252")
        return 1252;
    unsigned number = 0;
    if (sscanf(name.c_str(), "windows-%u", &number) == 1 ||
        sscanf(name.c_str(), "cp%u", &number) == 1)
        return number;
    if (sscanf(name.c_str(), "iso-8859-%u", &number) == 1 && number >= 2 && number <= 15)
        return 28590 + number;
    return CP_ACP;
}

// The bytes in the page's code page, or in the ANSI one when they are not valid there.
std::wstring PageToWide(const std::string& bytes, UINT codePage) {
    std::wstring wide = ToWide(bytes, codePage);
    if (wide.empty()) wide = ToWide(bytes, CP_ACP);
    return wide;
}

// The page's bytes as UTF-8, whatever charset it came in.
std::string DocumentToUtf8(const std::string& bytes, const std::string& contentType) {
    static const char kBom[] = "\xEF\xBB\xBF";
    if (bytes.compare(0, 3, kBom) == 0) return bytes.substr(3);
    const UINT codePage = CodePageOf(html::DeclaredCharset(contentType, bytes));
    if (codePage == CP_UTF8) return bytes;
    return FromWide(PageToWide(bytes, codePage), CP_UTF8);
}

}  // namespace

HiddenBrowser::HiddenBrowser() = default;

HiddenBrowser::~HiddenBrowser() {
    Stop();
}

void HiddenBrowser::Navigate(const std::string& url) {
    if (load_) return;
    load_ = std::make_unique<Load>();
    load_->page.busy = true;
    Load* load = load_.get();
    loader_ = std::thread([load, url, limits = limits_] {
        HttpEvents events;
        events.onHead = [load](int status, const std::string& contentType) {
            std::lock_guard<std::mutex> lock(load->mutex);
            load->page.document = status >= 200 && status <= 299;
            load->page.contentType = contentType;
            return true;
        };
        events.onData = [load](const char* data, size_t size) {
            std::lock_guard<std::mutex> lock(load->mutex);
            load->page.bytes.append(data, size);
            return true;
        };
        const bool complete = HttpGet(url, limits, events, &load->stop);
        std::lock_guard<std::mutex> lock(load->mutex);
        load->page.busy = false;
        load->page.complete = complete;
        // Stopped by its caller the page keeps what arrived, as a browser told to stop does.
        load->page.broken = !complete && !load->stop.Raised();
    });
}

void HiddenBrowser::Stop() {
    if (!load_) return;
    load_->stop.Raise();
    if (loader_.joinable()) loader_.join();
}

bool HiddenBrowser::Busy() const {
    if (!load_) return false;
    std::lock_guard<std::mutex> lock(load_->mutex);
    return load_->page.busy;
}

HiddenBrowser::Snapshot HiddenBrowser::Take() const {
    if (!load_) return Snapshot();
    std::lock_guard<std::mutex> lock(load_->mutex);
    return load_->page;
}

std::optional<std::string> HiddenBrowser::Body(bool text) const {
    const Snapshot page = Take();
    if (!page.document || page.broken) return std::nullopt;
    std::string document;
    switch (html::KindOf(page.contentType)) {
        case html::DocumentKind::Other:
            return std::nullopt;
        case html::DocumentKind::PlainText:
            if (!page.complete && page.bytes.empty()) return std::nullopt;
            document = html::PlainTextDocument(DocumentToUtf8(page.bytes, page.contentType));
            break;
        case html::DocumentKind::Html:
            document = DocumentToUtf8(page.bytes, page.contentType);
            break;
    }
    const auto body = html::BodyMarkup(document, page.complete);
    if (!body) return std::nullopt;
    const std::string utf8 = text ? html::InnerText(*body) : *body;
    return FromWide(ToWide(utf8, CP_UTF8), CP_ACP);
}

std::optional<std::string> HiddenBrowser::BodyText() const {
    return Body(true);
}

std::optional<std::string> HiddenBrowser::BodyHtml() const {
    return Body(false);
}

}  // namespace net
