#include "HttpStandIn.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>

namespace standin {

namespace {

const size_t kMaxRequestBytes = 64 * 1024;
const int kRequestWaitMs = 10000;

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 307:
            return "Temporary Redirect";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

}  // namespace

std::string Request::Header(const std::string& name) const {
    for (const auto& header : headers) {
        if (SameText(header.first, name)) return header.second;
    }
    return "";
}

Response Response::Text(const std::string& body, const std::string& contentType) {
    Response r;
    r.contentType = contentType;
    r.body.push_back({0, body});
    return r;
}

Response Response::Html(const std::string& body) {
    return Text(body, "text/html");
}

Response Response::Status(int status, const std::string& body) {
    Response r = Text(body.empty() ? std::to_string(status) + " " + Reason(status) : body);
    r.status = status;
    return r;
}

Response Response::Redirect(int status, const std::string& location) {
    Response r = Status(status, "moved");
    r.headers.emplace_back("Location", location);
    return r;
}

Response Response::Dropped() {
    Response r;
    r.kind = Kind::Drop;
    return r;
}

Response Response::Silent() {
    Response r;
    r.kind = Kind::Silence;
    return r;
}

Response Response::CutShort(const std::string& sent, size_t announced) {
    Response r = Text(sent);
    r.announcedLength = announced;
    return r;
}

Response Response::CutChunked(const std::vector<std::string>& chunks) {
    Response r;
    for (const auto& chunk : chunks) r.body.push_back({0, chunk});
    r.chunked = true;
    r.cutBeforeLastChunk = true;
    return r;
}

Response Response::SlowHead(int lines, int pauseMs, const std::string& body) {
    Response r = Text(body);
    r.headLinePauseMs = pauseMs;
    r.fillerHeadLines = lines;
    return r;
}

Response Response::Unfinished(const std::string& start) {
    Response r = Html(start);
    r.declareLength = false;
    r.holdOpen = true;
    return r;
}

std::string Response::BodyText() const {
    std::string all;
    for (const auto& piece : body) all += piece.text;
    return all;
}

HttpServer::HttpServer(Handler handler) : handler_(std::move(handler)) {}

HttpServer::~HttpServer() {
    Stop();
}

int HttpServer::Start(int port) {
    listener_ = Socket::ListenLoopback(port);
    port_ = listener_.LocalPort();
    stopping_ = false;
    acceptThread_ = std::thread([this] { AcceptLoop(); });
    return port_;
}

void HttpServer::Stop() {
    if (!acceptThread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    acceptThread_.join();
    std::list<std::unique_ptr<Connection>> connections;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // The serving threads still own these sockets and close them themselves.
        for (std::uintptr_t handle : open_) Socket::ShutdownHandle(handle);
        connections.swap(connections_);
    }
    for (auto& connection : connections) connection->thread.join();
    listener_.Close();
}

std::vector<std::string> HttpServer::RequestLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void HttpServer::ClearRequestLines() {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

void HttpServer::SetLogSink(LogSink sink) {
    std::lock_guard<std::mutex> lock(mutex_);
    sink_ = std::move(sink);
}

bool HttpServer::Pause(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !stopped_.wait_for(lock, std::chrono::milliseconds(ms),
                              [this] { return stopping_.load(); });
}

void HttpServer::ReapFinished() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void HttpServer::AcceptLoop() {
    while (!stopping_) {
        ReapFinished();
        if (!listener_.WaitReadable(50)) continue;
        Socket socket = listener_.Accept();
        if (!socket.Valid()) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) break;
        open_.push_back(socket.Handle());
        auto connection = std::make_unique<Connection>();
        Connection* raw = connection.get();
        connection->thread = std::thread([this, raw, s = std::move(socket)]() mutable {
            Serve(std::move(s));
            raw->done = true;
        });
        connections_.push_back(std::move(connection));
    }
}

bool HttpServer::ReadRequest(const Socket& socket, Request& request) {
    std::string data;
    char buffer[4096];
    size_t headEnd;
    while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
        if (data.size() > kMaxRequestBytes || stopping_) return false;
        if (!socket.WaitReadable(kRequestWaitMs)) return false;
        const long n = socket.Receive(buffer, sizeof buffer);
        if (n <= 0) return false;
        data.append(buffer, static_cast<size_t>(n));
        // Not HTTP at all (a TLS handshake to this plain port): hang up at once.
        if (data[0] < 'A' || data[0] > 'Z') return false;
    }
    const size_t lineEnd = data.find("\r\n");
    request.line = data.substr(0, lineEnd);
    const size_t space1 = request.line.find(' ');
    const size_t space2 = request.line.rfind(' ');
    if (space1 == std::string::npos || space2 <= space1) return false;
    request.method = request.line.substr(0, space1);
    request.target = request.line.substr(space1 + 1, space2 - space1 - 1);
    const size_t question = request.target.find('?');
    request.path = request.target.substr(0, question);
    if (question != std::string::npos) request.query = request.target.substr(question + 1);

    size_t pos = lineEnd + 2;
    while (pos < headEnd) {
        const size_t next = data.find("\r\n", pos);
        const std::string header = data.substr(pos, next - pos);
        const size_t colon = header.find(':');
        if (colon != std::string::npos) {
            size_t valueStart = colon + 1;
            while (valueStart < header.size() && header[valueStart] == ' ') ++valueStart;
            request.headers.emplace_back(header.substr(0, colon), header.substr(valueStart));
        }
        pos = next + 2;
    }
    return true;
}

bool HttpServer::SendHead(const Socket& socket, const Response& response, std::string& pending) {
    std::vector<std::string> lines;
    lines.push_back("HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status));
    if (!response.contentType.empty()) lines.push_back("Content-Type: " + response.contentType);
    for (const auto& header : response.headers)
        lines.push_back(header.first + ": " + header.second);
    for (int i = 0; i < response.fillerHeadLines; ++i)
        lines.push_back("X-Filler-" + std::to_string(i) + ": waiting");
    if (response.chunked) {
        lines.push_back("Transfer-Encoding: chunked");
    } else if (response.announcedLength) {
        lines.push_back("Content-Length: " + std::to_string(*response.announcedLength));
    } else if (response.declareLength) {
        lines.push_back("Content-Length: " + std::to_string(response.BodyText().size()));
    }
    lines.push_back("Cache-Control: no-store");
    lines.push_back("Connection: close");
    lines.push_back("");

    if (response.headLinePauseMs <= 0) {
        for (const auto& line : lines) pending += line + "\r\n";
        return true;
    }
    for (const auto& line : lines) {
        if (!Pause(response.headLinePauseMs) || !socket.SendAll(line + "\r\n")) return false;
    }
    return true;
}

void HttpServer::Send(const Socket& socket, const Response& response) {
    switch (response.kind) {
        case Response::Kind::Drop:
            return;
        case Response::Kind::Silence:
            Hold(socket);
            return;
        case Response::Kind::Reply:
            break;
    }
    // The head goes out with the first piece unless that piece waits.
    std::string pending;
    if (!SendHead(socket, response, pending)) return;
    for (const auto& piece : response.body) {
        if (piece.delayMs > 0) {
            if (!pending.empty() && !socket.SendAll(pending)) return;
            pending.clear();
            if (!Pause(piece.delayMs)) return;
        }
        if (!response.chunked) {
            pending += piece.text;
        } else if (!piece.text.empty()) {
            char size[20];
            snprintf(size, sizeof size, "%zx\r\n", piece.text.size());
            pending += size + piece.text + "\r\n";
        }
    }
    if (response.chunked && !response.cutBeforeLastChunk) pending += "0\r\n\r\n";
    if (!pending.empty() && !socket.SendAll(pending)) return;
    if (response.holdOpen) Hold(socket);
}

void HttpServer::Hold(const Socket& socket) {
    char buffer[512];
    while (!stopping_) {
        if (socket.WaitReadable(50) && socket.Receive(buffer, sizeof buffer) <= 0) return;
    }
}

int HttpServer::OpenConnections() const {
    std::lock_guard<std::mutex> lock(mutex_);
    int count = 0;
    for (std::uintptr_t handle : open_) {
        if (!Socket::PeerHasClosed(handle)) ++count;
    }
    return count;
}

void HttpServer::Serve(Socket socket) {
    Request request;
    if (ReadRequest(socket, request)) {
        LogSink sink;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(request.line);
            sink = sink_;
        }
        if (sink) sink(request.line);
        Response response;
        try {
            response = handler_(request);
        } catch (const std::exception& e) {
            response = Response::Status(500, std::string("stand-in error: ") + e.what());
        }
        Send(socket, response);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    open_.erase(std::remove(open_.begin(), open_.end(), socket.Handle()), open_.end());
    socket.Shutdown();
    socket.Close();
}

}  // namespace standin
