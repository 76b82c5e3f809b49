// A small threaded HTTP/1.1 server on the loopback interface for the stand-ins: one thread per
// connection, one request per connection, every raw request line logged. Besides ordinary
// replies it misbehaves on request as real networks do: it drops the connection, stays silent,
// trickles the head or the body out in timed pieces, cuts a body short of its announced length
// or before its last chunk, or never finishes one; and it tells which connections the client
// still holds open.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "StandInSocket.h"

namespace standin {

struct Request {
    std::string line;  // the raw request line, e.g. "GET /x?a HTTP/1.1"
    std::string method;
    std::string target;  // as sent: path and query
    std::string path;    // before "?"
    std::string query;   // after "?", raw
    std::vector<std::pair<std::string, std::string>> headers;

    // The value of a header (name compared without case); empty when absent.
    std::string Header(const std::string& name) const;
};

struct Response {
    enum class Kind {
        Reply,    // status line, headers and body
        Drop,     // close the connection without a word
        Silence,  // keep the connection open and never answer
    };
    struct Piece {
        int delayMs = 0;  // pause before this piece is sent
        std::string text;
    };

    Kind kind = Kind::Reply;
    int status = 200;
    std::string contentType = "text/plain";
    std::vector<std::pair<std::string, std::string>> headers;
    std::vector<Piece> body;
    // Announce the length of the whole body; without it the close ends the body.
    bool declareLength = true;
    // Announce this length instead of the body's own: a longer one cuts the body short.
    std::optional<size_t> announcedLength;
    // Send each piece as one chunk, ended by the zero chunk unless the body is cut before it.
    bool chunked = false;
    bool cutBeforeLastChunk = false;
    // Send the head a line at a time, pausing before each (the status line too), with this many
    // filler header lines to make it last.
    int headLinePauseMs = 0;
    int fillerHeadLines = 0;
    // After the last piece keep the connection open: a body that never finishes.
    bool holdOpen = false;

    static Response Text(const std::string& body, const std::string& contentType = "text/plain");
    static Response Html(const std::string& body);
    static Response Status(int status, const std::string& body = "");
    static Response Redirect(int status, const std::string& location);
    static Response Dropped();
    static Response Silent();
    // `sent` and then the close, though `announced` bytes were promised.
    static Response CutShort(const std::string& sent, size_t announced);
    // A chunked body whose connection closes after `chunks`, before the zero chunk.
    static Response CutChunked(const std::vector<std::string>& chunks);
    // A head of `lines` filler lines, one every `pauseMs`, then `body`.
    static Response SlowHead(int lines, int pauseMs, const std::string& body = "slow");
    // `start` of a page and then nothing, the connection held open.
    static Response Unfinished(const std::string& start);

    std::string BodyText() const;
};

class HttpServer {
public:
    using Handler = std::function<Response(const Request&)>;
    using LogSink = std::function<void(const std::string& requestLine)>;

    explicit HttpServer(Handler handler);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Starts listening on 127.0.0.1:port (0: a free port) and returns the port.
    int Start(int port = 0);
    // Closes the listener and every open connection, silent and held ones too, and waits for
    // their threads.
    void Stop();
    int Port() const { return port_; }

    // Connections whose request has arrived and that the client has not closed yet, counted at
    // the moment of the call.
    int OpenConnections() const;

    // Every request line received so far, oldest first.
    std::vector<std::string> RequestLines() const;
    void ClearRequestLines();
    // Also passes each request line to `sink` as it arrives (e.g. to stderr).
    void SetLogSink(LogSink sink);

private:
    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Socket socket);
    bool ReadRequest(const Socket& socket, Request& request);
    void Send(const Socket& socket, const Response& response);
    bool SendHead(const Socket& socket, const Response& response, std::string& pending);
    // Sleeps unless Stop comes first; false when stopping.
    bool Pause(int ms);
    // Waits until the client closes the connection or Stop comes.
    void Hold(const Socket& socket);
    void ReapFinished();

    Handler handler_;
    Socket listener_;
    int port_ = 0;
    std::thread acceptThread_;
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    std::vector<std::string> lines_;
    LogSink sink_;
    std::list<std::unique_ptr<Connection>> connections_;
    std::vector<std::uintptr_t> open_;  // sockets to shut down on Stop
};

}  // namespace standin
