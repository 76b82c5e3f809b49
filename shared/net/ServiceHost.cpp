#include "ServiceHost.h"

#include <cctype>
#include <cstdlib>

#ifndef ZEMBLY_DEFAULT_SERVICE_HOST
#define ZEMBLY_DEFAULT_SERVICE_HOST "127.0.0.1:8080"
#endif

namespace service {

std::string NormalizeHost(const std::string& value) {
    size_t begin = 0;
    size_t end = value.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(value[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(value[end - 1]))) --end;
    std::string host = value.substr(begin, end - begin);

    const size_t scheme = host.find("://");
    if (scheme != std::string::npos) host.erase(0, scheme + 3);
    const size_t path = host.find_first_of("/?#");
    if (path != std::string::npos) host.erase(path);
    return host;
}

std::string ServiceHost() {
    if (const char* overridden = std::getenv("ZEMBLY_SERVICE_HOST")) {
        std::string host = NormalizeHost(overridden);
        if (!host.empty()) return host;
    }
    return NormalizeHost(ZEMBLY_DEFAULT_SERVICE_HOST);
}

std::string ServiceAddress(const std::string& pathAndQuery) {
    return "http://" + ServiceHost() + pathAndQuery;
}

std::string BrowserPageAddress(const std::string& page) {
    return ServiceAddress("/cgi-bin/default.pl?00," + page);
}

}  // namespace service
