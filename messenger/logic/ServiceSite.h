// The account service's web site as the messenger names it to the user and to the payment
// provider, derived from the configured service host (ServiceHost.h). Portable: no windows.h.
#pragma once

#include <string>

namespace messenger {

// "http://" + the configured host[:port].
std::string SiteAddress();

// The configured host without its port: what the user is told to visit.
std::string SiteDomain();

// host[:port] less the port; an IPv6 literal keeps its brackets.
std::string DomainOf(const std::string& host);

}  // namespace messenger
