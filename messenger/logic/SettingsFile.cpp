#include "SettingsFile.h"

#include <utility>

#include "StringList.h"
#include "TextToolkit.h"

namespace messenger {

namespace {

const char kHeader[] = "[zemblySMS 2.00]";
const char kAcceptedHeader[] = "[zemblySMS 2";
const char kPlainMarker = '!';

// Scrambling is reversible only for these characters; its output lies in "1".."z", so a stored
// value beginning with "!" can only be the plain form.
bool Scramblable(const std::string& password) {
    for (char c : password)
        if (c < '0' || c > 'y') return false;
    return true;
}

std::string StorePassword(const std::string& password) {
    if (Scramblable(password)) return text::ScrambleText(password);
    static const char kHex[] = "0123456789ABCDEF";
    std::string stored(1, kPlainMarker);
    for (char ch : password) {
        const auto c = static_cast<unsigned char>(ch);
        stored += kHex[c >> 4];
        stored += kHex[c & 15];
    }
    return stored;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A value that only looks like the plain form (edited by hand) reads the way earlier versions
// read every value.
std::string ReadStoredPassword(const std::string& stored) {
    if (stored.empty() || stored[0] != kPlainMarker || stored.size() % 2 == 0)
        return text::UnscrambleText(stored);
    std::string password;
    for (size_t i = 1; i < stored.size(); i += 2) {
        const int high = HexDigit(stored[i]);
        const int low = HexDigit(stored[i + 1]);
        if (high < 0 || low < 0) return text::UnscrambleText(stored);
        password += static_cast<char>(high * 16 + low);
    }
    return password;
}

void AddLine(std::string& file, const std::string& line) {
    file += line;
    file += "\r\n";
}

void ReadLine(const std::string& line, std::vector<SettingChange>& changes) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return;  // an empty key matches nothing
    const std::string key = text::LowerAscii(line.substr(0, equals));
    const std::string value = line.substr(equals + 1);
    auto add = [&](SettingTarget target, std::string text = {}, bool on = false) {
        changes.push_back(SettingChange{target, std::move(text), on});
    };

    // Keys whose value goes into its control as it stands.
    static const std::pair<const char*, SettingTarget> kTextKeys[] = {
        {"username", SettingTarget::UserName},
        {"from default", SettingTarget::DefaultSender},
        {"from last", SettingTarget::LastSender},
        {"signature", SettingTarget::Signature},
        {"sound startup", SettingTarget::SoundStartup},
        {"sound sent", SettingTarget::SoundSent},
        {"sound delivered", SettingTarget::SoundFailed},
        {"service username", SettingTarget::GatewayUser},
    };
    for (const auto& [name, target] : kTextKeys)
        if (key == name) return add(target, value);

    if (key == "3rd party") {
        add(SettingTarget::SendingMode, {}, text::GetFieldOf(value, 0, ",", true) == "true");
        if (text::GetFieldOf(value, 1, ",", true) == "auto")
            add(SettingTarget::AutoLogon, {}, true);
    } else if (key == "password") {
        if (value.empty()) return;
        add(SettingTarget::AutoLogon, {}, true);
        add(SettingTarget::Password, ReadStoredPassword(value));
    } else if (key == "check updates") {
        add(SettingTarget::CheckUpdates, {}, value == "1");
    } else if (key == "service url") {
        add(SettingTarget::GatewayScheme,
            value.compare(0, 8, "https://") == 0 ? "https://" : "http://");
        add(SettingTarget::GatewayAddress, text::GetFieldOf(value, 1, "//", false));
    } else if (key == "service password") {
        add(SettingTarget::GatewayPassword, ReadStoredPassword(value));
    }
}

}  // namespace

std::string WriteSettings(const Settings& s) {
    std::string file;
    AddLine(file, kHeader);
    AddLine(file, !s.gatewayMode ? "3rd Party=false"
                  : s.autoLogon  ? "3rd Party=true,auto"
                                 : "3rd Party=true");
    AddLine(file, "Username=" + s.userName);
    // In service mode the stored password alone carries the automatic logon.
    AddLine(file, "Password=" + (s.autoLogon ? StorePassword(s.password) : std::string()));
    AddLine(file, "From Default=" + s.defaultSender);
    AddLine(file, "From Last=" + s.lastSender);
    AddLine(file, "Signature=" + s.signature);
    AddLine(file, s.checkUpdates ? "Check Updates=1" : "Check Updates=0");
    AddLine(file, "Sound Startup=" + s.soundStartup);
    AddLine(file, "Sound Sent=" + s.soundSent);
    AddLine(file, "Sound Delivered=" + s.soundFailed);
    AddLine(file, "Service URL=" + s.gatewayScheme + s.gatewayAddress);
    AddLine(file, "Service Username=" + s.gatewayUser);
    AddLine(file, "Service Password=" + StorePassword(s.gatewayPassword));
    return file;
}

SettingsRead ReadSettings(const std::string& fileBytes) {
    SettingsRead read;
    const std::vector<std::string> lines = gui::SplitLines(fileBytes);
    if (lines.empty() || text::GetFieldOf(lines[0], 0, ".", true) != kAcceptedHeader) return read;
    read.accepted = true;
    // A file holding the header alone has its one empty line read as well, which changes nothing.
    for (size_t i = 1; i < lines.size(); ++i) ReadLine(lines[i], read.changes);
    return read;
}

void ApplySetting(const SettingChange& change, Settings& s) {
    switch (change.target) {
        case SettingTarget::SendingMode:
            s.gatewayMode = change.on;
            break;
        case SettingTarget::AutoLogon:
            s.autoLogon = change.on;
            break;
        case SettingTarget::UserName:
            s.userName = change.text;
            break;
        case SettingTarget::Password:
            s.password = change.text;
            break;
        case SettingTarget::DefaultSender:
            s.defaultSender = change.text;
            break;
        case SettingTarget::LastSender:
            s.lastSender = change.text;
            break;
        case SettingTarget::Signature:
            s.signature = change.text;
            break;
        case SettingTarget::CheckUpdates:
            s.checkUpdates = change.on;
            break;
        case SettingTarget::SoundStartup:
            s.soundStartup = change.text;
            break;
        case SettingTarget::SoundSent:
            s.soundSent = change.text;
            break;
        case SettingTarget::SoundFailed:
            s.soundFailed = change.text;
            break;
        case SettingTarget::GatewayScheme:
            s.gatewayScheme = change.text;
            break;
        case SettingTarget::GatewayAddress:
            s.gatewayAddress = change.text;
            break;
        case SettingTarget::GatewayUser:
            s.gatewayUser = change.text;
            break;
        case SettingTarget::GatewayPassword:
            s.gatewayPassword = change.text;
            break;
    }
}

}  // namespace messenger
