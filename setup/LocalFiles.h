// The few questions the wizard's window units ask of the file system.
#pragma once

#include <optional>
#include <string>

namespace setup {

// A file (not a folder) of that name exists.
bool FileExists(const std::string& path);
// A folder of that name exists.
bool FolderExists(const std::string& path);
// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace setup
