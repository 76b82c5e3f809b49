// The file system as the uninstall road sees it, on Windows: files and folders by path, folders
// listed through the window's hidden file list, whole folders removed through the shell, and the
// overall bar moved after each file.
#pragma once

#include <functional>

#include "ListControls.h"
#include "UninstallStages.h"

namespace setup {

class WindowsUninstallFiles : public UninstallFileSystem {
public:
    // `lister` is pointed at each folder in turn; `progress` shows the bar's value and lets the
    // window repaint.
    WindowsUninstallFiles(gui::TFileListBox& lister, std::function<void(int)> progress);

    bool FileExists(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool RemoveFolderTree(const std::string& path) override;
    std::optional<std::vector<std::string>> FileNames(const std::string& folder) override;
    void Progress(int value) override;

private:
    gui::TFileListBox& lister_;
    std::function<void(int)> progress_;
};

}  // namespace setup
