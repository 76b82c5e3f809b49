#include <windows.h>

#include "UninstallFiles.h"

#include "FolderTree.h"
#include "LocalFiles.h"

namespace setup {

WindowsUninstallFiles::WindowsUninstallFiles(gui::TFileListBox& lister,
                                             std::function<void(int)> progress)
    : lister_(lister), progress_(std::move(progress)) {
    // Every file whatever its attributes; the stages match the masks themselves. Either change
    // reads the folder the list last showed, which may be gone by now.
    try {
        lister_.SetFileType(gui::ftReadOnly | gui::ftHidden | gui::ftSystem | gui::ftArchive |
                            gui::ftNormal);
        lister_.SetMask("*");
    } catch (const gui::Exception&) {
    }
}

bool WindowsUninstallFiles::FileExists(const std::string& path) {
    return setup::FileExists(path);
}

bool WindowsUninstallFiles::RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool WindowsUninstallFiles::FolderExists(const std::string& path) {
    return setup::FolderExists(path);
}

bool WindowsUninstallFiles::RemoveFolderTree(const std::string& path) {
    return setup::RemoveFolderTree(path);
}

std::optional<std::vector<std::string>> WindowsUninstallFiles::FileNames(
    const std::string& folder) {
    // The list reads the folder through a search handle alone and never makes it the current
    // folder, so nothing holds it once this returns.
    try {
        lister_.SetDirectory(folder);
    } catch (const gui::Exception&) {
        return std::nullopt;
    }
    return lister_.Items().Items();
}

void WindowsUninstallFiles::Progress(int value) {
    if (progress_) progress_(value);
}

}  // namespace setup
