// The registry as the uninstall road changes it, on Windows: the values and keys of the key lines
// and the product's Add/Remove Programs entry.
#pragma once

#include "KeyLines.h"

namespace setup {

class WindowsRegistryEditor : public RegistryEditor {
public:
    Result DeleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;
    bool IsKeyEmpty(RegistryRoot root, const std::string& key) override;
    // The key with everything below it.
    Result DeleteKey(RegistryRoot root, const std::string& key) override;
};

// The entry of that name under HKEY_LOCAL_MACHINE's Add/Remove Programs list, with its values.
RegistryEditor::Result RemoveUninstallEntry(const std::string& entryName);

}  // namespace setup
