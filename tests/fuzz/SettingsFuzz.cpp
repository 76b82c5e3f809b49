// The settings reader on arbitrary files: no crash, no read past the input, and whatever it applies
// survives a write and a second read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "SettingsFile.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

messenger::Settings Read(const std::string& file) {
    messenger::Settings settings;
    for (const auto& change : messenger::ReadSettings(file).changes)
        messenger::ApplySetting(change, settings);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const messenger::Settings first = Read(std::string(reinterpret_cast<const char*>(data), size));
    // Written back and read again, the values give the same file: every value survives, and
    // only what the file cannot carry (a service-mode automatic logon without a password) is
    // dropped both times alike.
    const std::string written = messenger::WriteSettings(first);
    const messenger::Settings again = Read(written);
    Require(messenger::WriteSettings(again) == written);
    // The same file could still hide a lossy password form: the passwords themselves must match.
    Require(again.gatewayPassword == first.gatewayPassword);
    if (first.autoLogon) Require(again.password == first.password);
    return 0;
}
