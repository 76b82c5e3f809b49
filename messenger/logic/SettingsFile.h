// The settings file "zemblySMS.ini": fourteen lines written from the values the settings controls
// hold, and a reader that turns a file back into the changes to make to those controls, in the
// order the file gives them (checking a mode button runs the logon window's mode rule before later
// lines fill the user name and password, so the order is visible). Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

namespace messenger {

inline constexpr char kSettingsFileName[] = "zemblySMS.ini";

// What the settings controls hold. The defaults are the controls' design values, in force until
// a file is read.
struct Settings {
    bool gatewayMode = false;   // logon window: RadioButton2 checked
    bool autoLogon = false;     // logon window: "Logon Automatically"
    std::string userName;       // logon window
    std::string password;       // logon window, plain
    std::string defaultSender;  // settings dialog, General
    std::string lastSender;     // composer's From box
    std::string signature = "[sent via zemblySMS!]";
    bool checkUpdates = true;
    std::string soundStartup = "zSMS-Startup.wav";
    std::string soundSent = "zSMS-Sent.wav";
    std::string soundFailed = "zSMS-Fail.wav";
    std::string gatewayScheme = "https://";  // "https://" or "http://"
    std::string gatewayAddress = "www.";
    std::string gatewayUser;
    std::string gatewayPassword;  // plain
};

// The whole file, every line ended by CR LF. Passwords made only of the characters "0" to "y" are
// stored in the scrambled form every version reads; any other is stored as "!" and two
// hexadecimal digits per byte, so that it reads back unchanged.
std::string WriteSettings(const Settings& settings);

// One control to change. `text` carries the new text, `on` the new state of a two-way choice.
enum class SettingTarget {
    SendingMode,  // on: gateway mode; checking a button that was not checked runs the mode rule
    AutoLogon,    // the reader only ever checks the box, never clears it
    UserName,
    Password,
    DefaultSender,
    LastSender,
    Signature,
    CheckUpdates,
    SoundStartup,
    SoundSent,
    SoundFailed,
    GatewayScheme,
    GatewayAddress,
    GatewayUser,
    GatewayPassword,
};

struct SettingChange {
    SettingTarget target;
    std::string text;
    bool on = false;
};

struct SettingsRead {
    bool accepted = false;  // the header names major version 2
    std::vector<SettingChange> changes;
};

// Reads a file's bytes. Lines end at CR LF, LF or CR. Keys are compared lower-cased, the value is
// everything after the first "=", unknown keys are ignored, and a later line overrides an earlier
// one simply by coming later in `changes`.
SettingsRead ReadSettings(const std::string& fileBytes);

// Makes one change to a value set, as the controls would take it.
void ApplySetting(const SettingChange& change, Settings& settings);

}  // namespace messenger
