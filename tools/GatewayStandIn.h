// A 3rd-party SMS gateway as users describe one with a URL template: "/send" with the
// parameters user, pass, from, to and msg. Answers a configurable plain text.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace standin {

class GatewayStandIn {
public:
    // The template (without scheme) that reaches this gateway on host[:port].
    static std::string TemplateFor(const std::string& host);

    // The answer to a request that names a recipient; "Message sent" unless set.
    void SetAnswer(const std::string& answer);

    // The reply body for the query of "/send".
    std::string Answer(const std::string& rawQuery);

    // The decoded parameters of every request, oldest first.
    std::vector<std::map<std::string, std::string>> Requests() const;

private:
    mutable std::mutex mutex_;
    std::string answer_ = "Message sent";
    std::vector<std::map<std::string, std::string>> requests_;
};

}  // namespace standin
