#include "UninstallRegistration.h"

namespace setup {

namespace {

std::optional<std::string> TitleLess(const std::string& title, size_t count) {
    if (title.size() <= count) return std::nullopt;
    return title.substr(0, title.size() - count);
}

}  // namespace

std::string UninstallerFolder(const std::string& windowsFolder) {
    return windowsFolder + "\\$twUninstallV1$";
}

std::vector<FileCopy> UninstallerCopies(const std::string& sourceFolder,
                                        const std::string& windowsFolder,
                                        const std::string& installFolder) {
    const std::string uninstaller = UninstallerFolder(windowsFolder);
    return {
        {sourceFolder + "setup.exe", uninstaller + "\\setup.exe"},
        {sourceFolder + "unzdll.dll", uninstaller + "\\unzdll.dll"},
        {sourceFolder + "setup.ini", installFolder + "\\setup.ini"},
        {sourceFolder + "setup.ico", installFolder + "\\setup.ico"},
    };
}

std::string UninstallCommandLine(const std::string& windowsFolder, bool installFolderCreated,
                                 const std::string& installFolder) {
    return UninstallerFolder(windowsFolder) +
           "\\setup.exe /uninstall: " + (installFolderCreated ? "1," : "0,") + installFolder;
}

std::optional<std::string> EntryNameAtInstall(const std::string& title) {
    return TitleLess(title, 6);
}

std::optional<std::string> EntryNameAtUninstall(const std::string& title) {
    // Without a version line the title keeps its design text, which ends in " Setup" in either
    // mode, and the install named the entry after it.
    const std::string designEnding = " Setup";
    if (title.size() >= designEnding.size() &&
        title.compare(title.size() - designEnding.size(), designEnding.size(), designEnding) == 0)
        return EntryNameAtInstall(title);
    return TitleLess(title, 10);
}

std::vector<EntryValue> UninstallEntryValues(const std::string& progName,
                                             const std::string& windowsFolder,
                                             bool installFolderCreated,
                                             const std::string& installFolder,
                                             const std::string& company) {
    return {
        {"DisplayName", progName + " (Remove Only)"},
        {"UninstallString",
         UninstallCommandLine(windowsFolder, installFolderCreated, installFolder)},
        {"DisplayIcon", installFolder + "\\setup.ico"},
        {"Publisher", company},
    };
}

bool NamesThisUninstall(const std::string& uninstallString, const std::string& windowsFolder,
                        const std::string& installFolder) {
    return uninstallString == UninstallCommandLine(windowsFolder, true, installFolder) ||
           uninstallString == UninstallCommandLine(windowsFolder, false, installFolder);
}

}  // namespace setup
