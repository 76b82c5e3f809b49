// The wizard's command line: how it is cut into arguments and joined again, and the uninstall
// command "/uninstall: <0|1>,<install folder>" that the Add/Remove Programs entry starts the
// uninstaller copy with.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace setup {

// Arguments separated by blanks (spaces and tabs); a double-quoted stretch belongs to one
// argument and loses its quotes, and an unclosed quote runs to the end.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The arguments after the program's own name, the first item of the whole command line.
std::vector<std::string> ProgramArguments(const std::string& wholeCommandLine);

// Every argument followed by one blank. The unquoted uninstall command gets its install folder
// back this way, with single blanks.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The uninstall command read from the joined arguments. Characters 12 and 14 (a blank and a comma
// in the command that the install writes) are not looked at; the created digit is character 13
// and the install folder runs from character 15 to the trailing blank.
struct UninstallCommand {
    bool uninstall = false;             // the text begins with "/uninstall", any case
    bool accepted = false;              // only with uninstall: the checks below all passed
    std::string installFolder;          // as written, case kept
    bool installFolderCreated = false;  // the created digit is "1"
};

// Uninstall mode is accepted only for a created digit 0 or 1 and an install folder that is an
// absolute path, not a drive root, without "." or ".." parts, and that `folderExists` confirms.
// Anything else must not be acted on: the folder is what the uninstaller removes.
UninstallCommand ReadUninstallCommand(const std::string& joinedArguments,
                                      const std::function<bool(const std::string&)>& folderExists);

}  // namespace setup
