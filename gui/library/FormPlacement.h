// Keeps the position (and, for a sizeable form, the size) of the form that owns it between runs:
// restored when the form is first shown, stored when it is hidden, has stopped moving, or goes
// away. It hears of the form's window through the form and makes none itself, so a form that
// stays hidden costs no window. Stored in an INI file through the profile API, or in
// the registry under HKEY_CURRENT_USER\<IniFileName>\<IniSection>. A placement that cannot be
// stored, read, or that lies on no monitor any more is passed over without a word: the form keeps
// its designed place.
#pragma once

#include <windows.h>

#include <string>

#include "Component.h"
#include "Form.h"

namespace gui {

class TFormPlacement : public TComponent, public TFormWindowUser {
public:
    explicit TFormPlacement(TComponent* owner);
    ~TFormPlacement() override;

    // The INI file; with UseRegistry, the key under HKEY_CURRENT_USER. Empty means the default:
    // the program's file name with the extension ".INI" and no folder, which the profile API
    // looks for in the Windows folder.
    std::string IniFileName() const;
    void SetIniFileName(const std::string& name) { iniFileName_ = name; }
    // The section of the INI file or the subkey of the registry key. Empty means the form's name.
    std::string IniSection() const;
    void SetIniSection(const std::string& section) { iniSection_ = section; }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool on) { useRegistry_ = on; }

    // The form's place now, written to the store; and the stored place applied to the form.
    void SaveFormPlacement();
    void RestoreFormPlacement();

    // IniFileName, IniSection, UseRegistry.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void FormWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TForm* Form() const;

    std::string iniFileName_;
    std::string iniSection_;
    bool useRegistry_ = false;
    // Whether the form has been on screen in this run: a form never shown has no place of its
    // own to store, and storing its designed one would lose the user's.
    bool shown_ = false;
};

}  // namespace gui
