#include "MakerSite.h"

#include <cstdlib>

#include "ServiceHost.h"

// The default lives in one place, the CMake setting of the same name.
#ifndef ZEMBLY_DEFAULT_MAKER_HOST
#error "ZEMBLY_DEFAULT_MAKER_HOST comes from the build (setup/CMakeLists.txt)"
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
