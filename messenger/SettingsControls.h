// Where each setting lives: the controls of the logon window, the composer and the settings
// dialog. There is no settings object besides them; these two functions carry the values between
// the controls and the settings file's rules.
#pragma once

#include "SettingsFile.h"

namespace messenger {

// The values the controls hold now.
Settings SettingsFromControls();

// One change read from the settings file, made to its control. Checking a mode button that was
// not checked runs the logon window's mode rule, and the composer's list follows the mode.
void ApplyToControls(const SettingChange& change);

}  // namespace messenger
