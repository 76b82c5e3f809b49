#include "ServiceSite.h"

#include "ServiceHost.h"

namespace messenger {

std::string SiteAddress() {
    return service::ServiceAddress("");
}

std::string SiteDomain() {
    return DomainOf(service::ServiceHost());
}

std::string DomainOf(const std::string& host) {
    if (!host.empty() && host[0] == '[') return host.substr(0, host.find(']') + 1);
    return host.substr(0, host.find(':'));
}

}  // namespace messenger
