// The settings reader on arbitrary files: whatever it applies is written back and read again to
// the same values (the automatic logon of service mode travels with a non-empty password only).
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
    const messenger::Settings again = Read(messenger::WriteSettings(first));
    Require(again.gatewayMode == first.gatewayMode);
    if (first.gatewayMode || !first.password.empty()) Require(again.autoLogon == first.autoLogon);
    if (first.autoLogon) Require(again.password == first.password);
    Require(again.userName == first.userName);
    Require(again.defaultSender == first.defaultSender);
    Require(again.lastSender == first.lastSender);
    Require(again.signature == first.signature);
    Require(again.checkUpdates == first.checkUpdates);
    Require(again.soundStartup == first.soundStartup);
    Require(again.soundSent == first.soundSent);
    Require(again.soundFailed == first.soundFailed);
    Require(again.gatewayScheme == first.gatewayScheme);
    Require(again.gatewayAddress == first.gatewayAddress);
    Require(again.gatewayUser == first.gatewayUser);
    Require(again.gatewayPassword == first.gatewayPassword);
    return 0;
}
