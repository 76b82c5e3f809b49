// What lets the product be uninstalled: the uninstaller copy in a hidden folder under the Windows
// folder, the copies of setup.ini and setup.ico in the install folder, and the Add/Remove
// Programs entry whose command line starts that copy.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace setup {

// Under HKEY_LOCAL_MACHINE; the entry's name follows.
constexpr const char* kUninstallKeyBase =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The Windows folder ends in "\", so two stand side by side; the system reads them as one.
std::string UninstallerFolder(const std::string& windowsFolder);

struct FileCopy {
    std::string from;
    std::string to;
};
// In this order: setup.exe and unzdll.dll into the uninstaller folder, then setup.ini and
// setup.ico into the install folder. `sourceFolder` ends in "\".
std::vector<FileCopy> UninstallerCopies(const std::string& sourceFolder,
                                        const std::string& windowsFolder,
                                        const std::string& installFolder);

// "<uninstaller folder>\setup.exe /uninstall: <0|1>,<install folder>", nothing quoted.
std::string UninstallCommandLine(const std::string& windowsFolder, bool installFolderCreated,
                                 const std::string& installFolder);

// The entry's name: the title less " Setup" at install, less " Uninstall" at uninstall (the
// product name, " v" and the version either way; a title that still ends in " Setup" loses that
// at uninstall too). Nothing when no name is left, so that the base key itself is never written
// to or removed.
std::optional<std::string> EntryNameAtInstall(const std::string& title);
std::optional<std::string> EntryNameAtUninstall(const std::string& title);

struct EntryValue {
    const char* name;
    std::string data;
};
// "DisplayName", "UninstallString", "DisplayIcon" and "Publisher", in the order they are written.
std::vector<EntryValue> UninstallEntryValues(const std::string& progName,
                                             const std::string& windowsFolder,
                                             bool installFolderCreated,
                                             const std::string& installFolder,
                                             const std::string& company);

// True when an entry's "UninstallString" is the command this uninstaller writes for this install
// folder (either created digit). An uninstaller that finds no setup.ini removes no other entry.
bool NamesThisUninstall(const std::string& uninstallString, const std::string& windowsFolder,
                        const std::string& installFolder);

}  // namespace setup
