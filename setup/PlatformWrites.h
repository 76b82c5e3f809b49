// What the wizard writes into the system when an install ends: folders and file copies, registry
// values, shell links and whole files. Every operation says whether it worked; the callers decide
// which failures the user hears of.
#pragma once

#include <string>
#include <vector>

#include "KeyLines.h"

namespace setup {

// True when the folder exists afterwards; one missing level is created.
bool EnsureFolder(const std::string& path);
// Copies, replacing an existing target.
bool CopyReplacing(const std::string& from, const std::string& to);
// The hidden attribute in place of all others.
bool HideFolder(const std::string& path);

struct NamedValue {
    std::string name;
    RegistryWrite value;  // a value of kind Nothing is skipped
};
// Opens the key with full access, creating it when missing, writes the values in order and closes
// it. False when the key cannot be opened or a value cannot be written.
bool WriteKeyValues(RegistryRoot root, const std::string& key,
                    const std::vector<NamedValue>& values);
NamedValue StringValue(const std::string& name, const std::string& text);

// A shell link to `target` that starts in `workingFolder`, saved as `linkFile`.
bool SaveShellLink(const std::string& target, const std::string& workingFolder,
                   const std::string& linkFile);

// Written under a temporary name beside the file, then renamed over it, so that a reader finds
// either the old file or the whole new one.
bool ReplaceFileWith(const std::string& path, const std::string& content);

}  // namespace setup
