#include "HttpReply.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace net {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// Decimal digits only, short enough not to overflow.
bool ParseDecimal(const std::string& text, unsigned long long& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

bool ParseHex(const std::string& text, unsigned long long& value) {
    if (text.empty() || text.size() > 15) return false;
    value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return true;
}

// A Content-Length value; a list of the same value (a header repeated by a proxy) counts as one.
bool ParseContentLength(const std::string& value, unsigned long long& length) {
    bool first = true;
    size_t start = 0;
    for (;;) {
        const size_t comma = value.find(',', start);
        unsigned long long one = 0;
        if (!ParseDecimal(Trim(value.substr(start, comma - start)), one)) return false;
        if (!first && one != length) return false;
        length = one;
        first = false;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

}  // namespace

std::string GetRequestFor(const HttpUrl& url) {
    std::string host = url.host.find(':') != std::string::npos ? "[" + url.host + "]" : url.host;
    if (url.port != (url.secure ? 443 : 80)) host += ":" + std::to_string(url.port);
    return "GET " + url.target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: zembly/2.00\r\nAccept: */*\r\n"
           // The status poll asks the same address again and needs a fresh answer.
           "Cache-Control: no-cache\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
}

std::string HttpReplyReader::Header(const std::string& name) const {
    const std::string wanted = Lower(name);
    std::string joined;
    for (const auto& header : headers_) {
        if (header.first != wanted) continue;
        if (!joined.empty()) joined += ", ";
        joined += header.second;
    }
    return joined;
}

bool HttpReplyReader::NextLine(const char*& data, size_t& size, std::string& line) {
    const void* end = std::memchr(data, '\n', size);
    if (!end) {
        partial_.append(data, size);
        data += size;
        size = 0;
        return false;
    }
    const size_t length = static_cast<size_t>(static_cast<const char*>(end) - data);
    line = partial_;
    line.append(data, length);
    partial_.clear();
    data += length + 1;
    size -= length + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

HttpReplyReader::State HttpReplyReader::Take(const char* data, size_t size, std::string& body) {
    while (size > 0 && (state_ == State::Head || state_ == State::Body)) {
        if (state_ == State::Body) {
            TakeBody(data, size, body);
            continue;
        }
        const size_t before = size;
        std::string line;
        const bool whole = NextLine(data, size, line);
        headBytes_ += before - size;
        if (headBytes_ > kMaxHeadBytes || (whole && !TakeHeadLine(line))) state_ = State::Broken;
    }
    // A chunk line or trailer that never ends is refused like an endless head.
    if (partial_.size() > kMaxHeadBytes) state_ = State::Broken;
    return state_;
}

HttpReplyReader::State HttpReplyReader::Close() {
    if (state_ == State::Head) {
        state_ = State::Broken;
    } else if (state_ == State::Body) {
        state_ = framing_ == Framing::UntilClose ? State::Complete : State::Broken;
    }
    return state_;
}

bool HttpReplyReader::TakeHeadLine(const std::string& line) {
    if (status_ == 0) {
        // "HTTP/1.x 200 OK"; the reason may be missing.
        if (line.size() < 12 || line.compare(0, 7, "HTTP/1.") != 0 ||
            !std::isdigit(static_cast<unsigned char>(line[7])) || line[8] != ' ')
            return false;
        for (size_t i = 9; i < 12; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
        }
        if (line.size() > 12 && line[12] != ' ') return false;
        status_ = std::stoi(line.substr(9, 3));
        return status_ >= 100;
    }
    if (line.empty()) {
        // An interim reply (100 Continue and the like) is followed by the real one.
        if (status_ < 200) {
            status_ = 0;
            headers_.clear();
            return true;
        }
        return StartBody();
    }
    if (IsBlank(line[0])) {
        // A folded line continues the previous header's value.
        if (headers_.empty()) return false;
        headers_.back().second += " " + Trim(line);
        return true;
    }
    const size_t colon = line.find(':');
    if (colon == 0 || colon == std::string::npos) return false;
    const std::string name = line.substr(0, colon);
    if (std::any_of(name.begin(), name.end(), IsBlank)) return false;
    headers_.emplace_back(Lower(name), Trim(line.substr(colon + 1)));
    return true;
}

bool HttpReplyReader::StartBody() {
    state_ = State::Body;
    if (status_ == 204 || status_ == 304) {
        state_ = State::Complete;
        return true;
    }
    const std::string coding = Lower(Header("transfer-encoding"));
    if (!coding.empty()) {
        // Only chunked as the last coding marks the body's end; any other runs to the close.
        const std::string last = Trim(coding.substr(coding.rfind(',') + 1));
        framing_ = last == "chunked" ? Framing::Chunked : Framing::UntilClose;
        return true;
    }
    const std::string length = Header("content-length");
    if (length.empty()) {
        framing_ = Framing::UntilClose;
        return true;
    }
    if (!ParseContentLength(length, left_)) return false;
    framing_ = Framing::Length;
    if (left_ == 0) state_ = State::Complete;
    return true;
}

void HttpReplyReader::TakeBody(const char*& data, size_t& size, std::string& body) {
    switch (framing_) {
        case Framing::Length:
            if (TakeCounted(data, size, body)) state_ = State::Complete;
            break;
        case Framing::UntilClose:
            body.append(data, size);
            data += size;
            size = 0;
            break;
        case Framing::Chunked:
            if (!TakeChunked(data, size, body)) state_ = State::Broken;
            break;
        case Framing::None:
            state_ = State::Broken;
            break;
    }
}

bool HttpReplyReader::TakeCounted(const char*& data, size_t& size, std::string& body) {
    const size_t n = static_cast<size_t>(std::min<unsigned long long>(size, left_));
    body.append(data, n);
    data += n;
    size -= n;
    left_ -= n;
    return left_ == 0;
}

bool HttpReplyReader::TakeChunked(const char*& data, size_t& size, std::string& body) {
    while (size > 0 && state_ == State::Body) {
        if (chunkPart_ == ChunkPart::Data) {
            if (TakeCounted(data, size, body)) chunkPart_ = ChunkPart::DataEnd;
            continue;
        }
        std::string line;
        if (!NextLine(data, size, line)) return true;
        if (!TakeChunkLine(line)) return false;
    }
    return true;
}

bool HttpReplyReader::TakeChunkLine(const std::string& line) {
    switch (chunkPart_) {
        case ChunkPart::Size:
            // The size in hex, perhaps followed by extensions after ";".
            if (!ParseHex(Trim(line.substr(0, line.find(';'))), left_)) return false;
            chunkPart_ = left_ == 0 ? ChunkPart::Trailer : ChunkPart::Data;
            return true;
        case ChunkPart::DataEnd:
            chunkPart_ = ChunkPart::Size;
            return line.empty();
        case ChunkPart::Trailer:
            // Trailer fields are of no use to the fetcher; the empty line ends the reply.
            if (line.empty()) state_ = State::Complete;
            return true;
        case ChunkPart::Data:
            break;
    }
    return false;
}

}  // namespace net
