#include "StandIn.h"

namespace standin {

namespace {

Response Page(const std::string& title, const std::string& body) {
    return Response::Html("<html><head><title>" + title + "</title></head>\n<body>\n" + body +
                          "\n</body></html>\n");
}

}  // namespace

StandIn::StandIn() : server_([this](const Request& request) { return Route(request); }) {}

StandIn::~StandIn() {
    Stop();
}

int StandIn::Start(int port) {
    return server_.Start(port);
}

void StandIn::Stop() {
    server_.Stop();
}

std::string StandIn::Host() const {
    return "127.0.0.1:" + std::to_string(Port());
}

std::string StandIn::Url(const std::string& pathAndQuery) const {
    return "http://" + Host() + pathAndQuery;
}

void StandIn::AnswerNext(const Response& response, int times) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (int i = 0; i < times; ++i) next_.push_back(response);
}

void StandIn::AnswerPath(const std::string& path, HttpServer::Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    paths_[path] = std::move(handler);
}

void StandIn::AnswerPath(const std::string& path, const Response& response) {
    AnswerPath(path, [response](const Request&) { return response; });
}

void StandIn::ClearAnswers() {
    std::lock_guard<std::mutex> lock(mutex_);
    next_.clear();
    paths_.clear();
}

Response StandIn::Route(const Request& request) {
    HttpServer::Handler handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!next_.empty()) {
            Response response = next_.front();
            next_.pop_front();
            return response;
        }
        auto it = paths_.find(request.path);
        if (it != paths_.end()) handler = it->second;
    }
    if (handler) return handler(request);

    if (request.method != "GET") return Response::Status(400);
    if (request.path == "/cgi-bin/userc.pl") return Response::Text(service_.Answer(request.query));
    if (request.path == "/send") return Response::Text(gateway_.Answer(request.query));
    if (request.path == "/setup.htm")
        return Page("Setup", "<h1>Welcome</h1>\n<p>Thank you for installing zembly SMS.</p>");
    if (request.path == "/uninstall.htm")
        return Page("Uninstall", "<h1>Goodbye</h1>\n<p>We are sorry to see you go.</p>");
    if (request.path == "/cgi-bin/default.pl") {
        const std::string page = request.query.substr(request.query.find(',') + 1);
        return Page("zembly", "<p>zembly page: " + page + "</p>");
    }
    return Response::Status(404);
}

}  // namespace standin
