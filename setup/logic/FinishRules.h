// What Finish starts after an install: the first shortcut's target, as a program in its install
// folder, or, for a screen saver, as the user's screen saver.
#pragma once

#include <string>

namespace setup {

// False while the target caption still reads "Tasks": the install made no shortcut, and Finish
// then ends the wizard without starting anything.
bool HasRecordedTarget(const std::string& target);

enum class TargetKind { Program, ScreenSaver };
// Only the last three characters count, in any case: "...\descr" is a screen saver too.
TargetKind KindOfTarget(const std::string& target);

// The text before the target's next-to-last "\": the install folder for a target directly in it
// (two "\" before the name) or in a one-level subfolder.
std::string WorkingFolderOf(const std::string& target);

// The command line that starts the program: its path in double quotes, so that a folder with
// blanks cannot be read as another program.
std::string ProgramCommand(const std::string& target);

// The "SCRNSAVE.EXE" value under HKEY_CURRENT_USER "Control Panel\Desktop". A name of more than
// eight characters before its extension is written in its short form (first six, "~1", the last
// four characters); a shorter one is already its own short name and is written unchanged.
std::string ScreenSaverValue(const std::string& target);
constexpr const char* kScreenSaverKey = "Control Panel\\Desktop";
constexpr const char* kScreenSaverValueName = "SCRNSAVE.EXE";

// The display control panel, started through rundll32.exe in the system folder.
constexpr const char* kControlPanelProgram = "rundll32.exe";
constexpr const char* kControlPanelArguments = "shell32.dll,Control_RunDLL Desk.cpl,@0,1";

}  // namespace setup
