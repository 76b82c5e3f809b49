// Where the maker's web host lives: the account service, its browser pages and the wizard's
// pages. The build sets a default (the CMake setting ZEMBLY_SERVICE_HOST); the environment
// variable of the same name overrides it at run time, so that tests and the run command can point
// both programs at a local stand-in. Portable: no windows.h here.
#pragma once

#include <string>

namespace service {

// host[:port], e.g. "127.0.0.1:8080". A value given with a scheme or a trailing "/" is cut back
// to host[:port]; an empty or blank override leaves the built-in default in force.
std::string ServiceHost();

// "http://" + host + pathAndQuery (which starts with "/").
std::string ServiceAddress(const std::string& pathAndQuery);

// A page of the host that is opened in the user's browser: "/cgi-bin/default.pl?00," + page.
std::string BrowserPageAddress(const std::string& page);

// What a host setting means once its scheme, path and surrounding blanks are dropped; empty when
// nothing is left.
std::string NormalizeHost(const std::string& value);

}  // namespace service
