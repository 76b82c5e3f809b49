// The shortcuts an install makes: one per listed entry of a type above 0 (startup, screen saver,
// application), in the desktop folder when asked, in the Startup folder for startup entries and
// always in the program-menu folder; and the first target, which Finish starts.
#pragma once

#include <string>
#include <vector>

#include "ArchiveMatching.h"

namespace setup {

// The caption that means no target was recorded.
constexpr const char* kNoTask = "Tasks";

// Each ends in "\".
struct LinkFolders {
    std::string desktop;
    std::string startup;
    std::string programMenu;
};

// The all-users Programs folder (ending in "\"), the folder name the user chose and "\".
std::string ProgramMenuFolder(const std::string& allPrograms, const std::string& folderName);

// install folder "\" subfolder "\" entry name; without a subfolder the two "\" stand together.
std::string ShortcutTarget(const std::string& installFolder, const InstallEntry& entry);

// The link's name (without ".lnk"): the product name for the first listed entry, else the entry
// name less its last four characters. Only the part after the last "\" or "/" counts, so a
// link always lands in its own folder ("tools/app.exe" is named "app").
std::string LinkNameOf(size_t position, const InstallEntry& entry, const std::string& progName);

struct Shortcut {
    std::string target;
    std::string workingFolder;           // the target up to and including its last "\"
    std::vector<std::string> linkFiles;  // where the link is saved, in order
};

std::vector<Shortcut> PlanShortcuts(const std::vector<InstallEntry>& entries,
                                    const std::string& installFolder, const std::string& progName,
                                    const LinkFolders& folders, bool desktopShortcuts);

// The first shortcut's target, or kNoTask when there is none.
std::string FirstTask(const std::vector<Shortcut>& shortcuts);

// A link name with every path part but the last dropped.
std::string WithoutFolderParts(const std::string& name);

}  // namespace setup
