// Addresses and redirect targets from the network: parse and resolve without crashing, and a
// resolved address is one the parser accepts again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "HttpUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\n');
    const std::string base = input.substr(0, split);
    const std::string reference = split == std::string::npos ? "" : input.substr(split + 1);
    (void)net::ParseHttpUrl(input);
    if (net::ParseHttpUrl(base)) (void)net::ResolveReference(base, reference);
    return 0;
}
