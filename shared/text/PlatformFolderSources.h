// The special-folder sources of the running Windows system.
#pragma once

#include "FolderResolver.h"

namespace text {

class PlatformFolderSources : public FolderSources {
public:
    std::string Environment(const std::string& name) override;
    std::string ShellFolder(int csidl) override;
    SizedText WindowsDirectory() override;
    int64_t TempPathSize() override;
    std::string TempPath(int64_t size) override;
    std::string RegistryString(RegistryRoot root, const std::string& key,
                               const std::string& value) override;
    bool DirectoryExists(const std::string& path) override;
};

}  // namespace text
