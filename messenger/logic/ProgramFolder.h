// The folder the messenger keeps its files in, and the file a sound setting names. Portable: no
// windows.h here.
#pragma once

#include <string>

namespace messenger {

// The program's path up to and including its last "\", so that a renamed program file still
// finds its settings and contacts; empty for a path without one.
std::string ProgramFolder(const std::string& programPath);

// The file a player opens for a sound setting: the setting without its double quotes (a name
// chosen in the file dialog may carry them), joined to the program folder when it is relative,
// since the default sounds lie beside the program and the working folder is wherever the program
// was started from. A player whose setting is empty is left as it is; one whose setting is only
// quotes is given the empty name, which fails to open and leaves it closed.
std::string SoundFileToOpen(const std::string& setting, const std::string& programFolder);

}  // namespace messenger
