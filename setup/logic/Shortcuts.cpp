#include "Shortcuts.h"

#include <cstdlib>

namespace setup {

namespace {

// Field 0 read as a number; the type digits of setup.ini's reader are the only values it holds.
bool MakesShortcut(const InstallEntry& entry) {
    return std::atoi(entry.type.c_str()) > 0;
}

}  // namespace

std::string WithoutFolderParts(const std::string& name) {
    const size_t at = name.find_last_of("\\/");
    return at == std::string::npos ? name : name.substr(at + 1);
}

std::string ProgramMenuFolder(const std::string& allPrograms, const std::string& folderName) {
    return allPrograms + folderName + "\\";
}

std::string ShortcutTarget(const std::string& installFolder, const InstallEntry& entry) {
    return installFolder + "\\" + entry.subfolder + "\\" + entry.name;
}

std::string LinkNameOf(size_t position, const InstallEntry& entry, const std::string& progName) {
    if (position == 0) return WithoutFolderParts(progName);
    const std::string name = WithoutFolderParts(entry.name);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

std::vector<Shortcut> PlanShortcuts(const std::vector<InstallEntry>& entries,
                                    const std::string& installFolder, const std::string& progName,
                                    const LinkFolders& folders, bool desktopShortcuts) {
    std::vector<Shortcut> shortcuts;
    for (size_t i = 0; i < entries.size(); ++i) {
        const InstallEntry& entry = entries[i];
        if (!MakesShortcut(entry)) continue;
        Shortcut shortcut;
        shortcut.target = ShortcutTarget(installFolder, entry);
        shortcut.workingFolder = shortcut.target.substr(0, shortcut.target.rfind('\\') + 1);
        const std::string file = LinkNameOf(i, entry, progName) + ".lnk";
        if (desktopShortcuts) shortcut.linkFiles.push_back(folders.desktop + file);
        if (entry.type == "1") shortcut.linkFiles.push_back(folders.startup + file);
        shortcut.linkFiles.push_back(folders.programMenu + file);
        shortcuts.push_back(shortcut);
    }
    return shortcuts;
}

std::string FirstTask(const std::vector<Shortcut>& shortcuts) {
    return shortcuts.empty() ? std::string(kNoTask) : shortcuts.front().target;
}

}  // namespace setup
