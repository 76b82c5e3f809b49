// The local stand-in for the maker's web host and a 3rd-party gateway, in one HTTP server:
//   /cgi-bin/userc.pl    the account service (AccountService)
//   /send                the gateway (GatewayStandIn)
//   /setup.htm, /uninstall.htm, /cgi-bin/default.pl   small HTML pages
// Tests can put canned answers in front of these: for the next requests, or for one path.
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "AccountService.h"
#include "GatewayStandIn.h"
#include "HttpStandIn.h"

namespace standin {

class StandIn {
public:
    StandIn();
    ~StandIn();

    // Starts on 127.0.0.1:port (0: a free port) and returns the port.
    int Start(int port = 0);
    void Stop();
    int Port() const { return server_.Port(); }
    // "127.0.0.1:<port>", what ZEMBLY_SERVICE_HOST is set to.
    std::string Host() const;
    // "http://127.0.0.1:<port>" + pathAndQuery.
    std::string Url(const std::string& pathAndQuery) const;

    AccountService& Service() { return service_; }
    GatewayStandIn& Gateway() { return gateway_; }

    // The next `times` requests, whatever they ask for, get `response`.
    void AnswerNext(const Response& response, int times = 1);
    // Every request for `path` (query ignored) gets what `handler` returns.
    void AnswerPath(const std::string& path, HttpServer::Handler handler);
    void AnswerPath(const std::string& path, const Response& response);
    void ClearAnswers();

    std::vector<std::string> RequestLines() const { return server_.RequestLines(); }
    int OpenConnections() const { return server_.OpenConnections(); }
    void ClearRequestLines() { server_.ClearRequestLines(); }
    void SetLogSink(HttpServer::LogSink sink) { server_.SetLogSink(std::move(sink)); }

private:
    Response Route(const Request& request);

    AccountService service_;
    GatewayStandIn gateway_;
    std::mutex mutex_;
    std::deque<Response> next_;
    std::map<std::string, HttpServer::Handler> paths_;
    HttpServer server_;
};

}  // namespace standin
