#include "MakerSite.h"

#include <cstdlib>

#include "ServiceHost.h"

#ifndef ZEMBLY_DEFAULT_MAKER_HOST
#define ZEMBLY_DEFAULT_MAKER_HOST "www.tarnwick.example"
#endif

namespace setup {

std::string MakerHost() {
    if (const char* overridden = std::getenv("ZEMBLY_MAKER_HOST")) {
        std::string host = service::NormalizeHost(overridden);
        if (!host.empty()) return host;
    }
    return service::NormalizeHost(ZEMBLY_DEFAULT_MAKER_HOST);
}

std::string MakerPageAddress(const std::string& path) {
    return "http://" + MakerHost() + path;
}

std::string MakerWebLabel() {
    return MakerHost();
}

std::string MakerWebAddress() {
    return MakerPageAddress("/");
}

}  // namespace setup
