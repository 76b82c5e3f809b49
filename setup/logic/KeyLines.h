// The registry lines of setup.ini ("key" values): root word and key path, value type, value name
// and data, cut at "," (a missing field repeats the last one). The install writes what a line
// asks for; the uninstall undoes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FolderResolver.h"

namespace setup {

using text::RegistryRoot;

struct KeyLine {
    // Field 0: the root word and the key path, joined by "\". Without "\" the whole field is both.
    std::string rootAndPath;
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string keyPath;
    std::string type;  // field 1, lower-cased
    std::string valueName;
    std::string data;

    // What the error note names when the line fails: field 0, "\" and the value name.
    std::string FailureNote() const;
};

// The lines in order. A root word that is neither "HKEY_LOCAL_MACHINE" nor "HKEY_CURRENT_USER"
// (compared exactly) keeps the root of the line before, HKEY_CURRENT_USER for the first.
std::vector<KeyLine> ReadKeyLines(const std::vector<std::string>& lines);

// What the install writes for a line; its key is opened (created when missing) in every case.
struct RegistryWrite {
    enum class Kind { Nothing, Dword, String };
    Kind kind = Kind::Nothing;
    uint32_t dword = 0;
    std::string text;
    bool failed = false;  // "integer" data that is not a 32-bit decimal number: note the line
};
// "bool": "true" 1, "false" 0 (any case), other data nothing; "string": the data as written;
// "integer": the decimal number; any other type writes nothing.
RegistryWrite WriteOf(const KeyLine& line);

// The registry as the uninstall sees it.
class RegistryEditor {
public:
    enum class Result { Done, Missing, Failed };
    virtual ~RegistryEditor() = default;
    virtual Result DeleteValue(RegistryRoot root, const std::string& key,
                               const std::string& name) = 0;
    // True when the key exists and holds neither values nor subkeys.
    virtual bool IsKeyEmpty(RegistryRoot root, const std::string& key) = 0;
    virtual Result DeleteKey(RegistryRoot root, const std::string& key) = 0;
};

// Undoes the lines in order: each removes its own value, then its key only when nothing is left
// in it, so a value put into a key that other software shares leaves that software's data alone.
// A removal that fails sets `note` (the last failure wins); what is already gone is no failure.
void UndoKeyLines(const std::vector<KeyLine>& lines, RegistryEditor& registry, std::string& note);

}  // namespace setup
