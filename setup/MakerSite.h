// The maker's web site: the host of the pages the wizard asks for at start-up ("/setup.htm",
// "/uninstall.htm") and of the address its header shows and opens in the browser. The build sets
// the default (the CMake setting ZEMBLY_MAKER_HOST); the environment variable of the same name
// overrides it at run time, so that tests and trial runs can point the wizard at the stand-in.
#pragma once

#include <string>

namespace setup {

// host[:port]; a value given with a scheme or a path is cut back to host[:port], and an empty or
// blank override leaves the built-in default in force.
std::string MakerHost();

// "http://" + host + path (which starts with "/").
std::string MakerPageAddress(const std::string& path);

// What the header's web-address label shows, and the address it opens: the host, and the site's
// front page.
std::string MakerWebLabel();
std::string MakerWebAddress();

}  // namespace setup
