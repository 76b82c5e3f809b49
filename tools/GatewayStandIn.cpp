#include "GatewayStandIn.h"

#include "AccountService.h"

namespace standin {

std::string GatewayStandIn::TemplateFor(const std::string& host) {
    return host + "/send?user=%username%&pass=%password%&from=%from%&to=%to%&msg=%message%";
}

void GatewayStandIn::SetAnswer(const std::string& answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answer_ = answer;
}

std::string GatewayStandIn::Answer(const std::string& rawQuery) {
    std::map<std::string, std::string> parameters;
    size_t start = 0;
    while (start <= rawQuery.size()) {
        size_t end = rawQuery.find('&', start);
        if (end == std::string::npos) end = rawQuery.size();
        const std::string pair = rawQuery.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (!pair.empty()) {
            parameters[PercentDecode(pair.substr(0, equals), true)] =
                equals == std::string::npos ? "" : PercentDecode(pair.substr(equals + 1), true);
        }
        start = end + 1;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(parameters);
    if (parameters["to"].empty()) return "Error: no recipient";
    return answer_;
}

std::vector<std::map<std::string, std::string>> GatewayStandIn::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

}  // namespace standin
