// A scratch tree for the install's finishing and Finish under wine: a source folder with the
// wizard's files, an install folder, and folders in place of the Windows folder and the three link
// folders, which a KelTextHandler given Sources() resolves to. Everything it made, on disk and in
// the registry, goes with it.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "FolderResolver.h"

namespace testing_support {

class FinishingScratch {
public:
    FinishingScratch();
    ~FinishingScratch();
    FinishingScratch(const FinishingScratch&) = delete;
    FinishingScratch& operator=(const FinishingScratch&) = delete;

    text::FolderSources& Sources();

    // Lower case, as the folder resolver gives them; all but Install end in "\".
    const std::string& Root() const { return root_; }
    std::string Source() const { return root_ + "dist\\"; }
    std::string Install() const { return root_ + "apps\\ed"; }
    std::string Windows() const;
    std::string Desktop() const { return root_ + "desktop\\"; }
    std::string Startup() const { return root_ + "startup\\"; }
    std::string Programs() const { return root_ + "programs\\"; }
    // The folder answered for "windows" from now on (without its "\").
    void SetWindows(const std::string& folder);

    // What the source folder's copy of that file holds.
    std::string SourceContent(const std::string& name) const;

    // A key below Software for this run; removed under both roots at the end.
    std::string RegistryKey() const;
    void RemoveKeyAtEnd(HKEY root, const std::string& key);

    std::vector<std::string> FilesIn(const std::string& folder) const;
    void EmptyFolder(const std::string& folder) const;

private:
    class FakeSources;
    std::string root_;
    std::string windows_;
    std::vector<std::pair<HKEY, std::string>> keys_;
    FakeSources* sources_;
};

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;  // a number in decimal
    bool operator==(const RegistryValue& other) const {
        return type == other.type && data == other.data;
    }
};
void PrintTo(const RegistryValue& value, std::ostream* out);
std::optional<RegistryValue> ReadRegistry(HKEY root, const std::string& key,
                                          const std::string& name);
bool KeyExists(HKEY root, const std::string& key);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> FileContent(const std::string& path);
// Makes the folders above it when missing.
void WriteFile(const std::string& path, const std::string& content);
// Removes the folder and everything in it.
void RemoveTree(const std::string& folder);

}  // namespace testing_support
