// An edit box with a browse button at its right end: the shared part of the file-name and folder
// edits.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "BrowseDialogs.h"
#include "InsetEdit.h"

namespace gui {

// Raised after the browse dialog closed and before the edit writes anything: `name` holds the
// chosen name (or, after a cancel, the edit's text), `action` whether the dialog was confirmed.
// The handler may change both; with action false nothing is written.
using TAfterDialogEvent = std::function<void(TObject* sender, std::string& name, bool& action)>;

class TBrowseEdit : public TInsetEdit {
public:
    explicit TBrowseEdit(TComponent* owner);

    const std::string& DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const std::string& title) { dialogTitle_ = title; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& folder) { initialDir_ = folder; }

    // What a press of the browse button does: the dialog, OnAfterDialog, then the text.
    void Browse();
    // The browse button's window (made with the edit's).
    HWND ButtonHandle() const { return InsetHandle(); }

    // DialogTitle, InitialDir, OnAfterDialog and the edit's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TAfterDialogEvent OnAfterDialog;

protected:
    // Fills in what the kind of edit asks of the dialog.
    virtual void PrepareRequest(BrowseRequest& request) = 0;
    // The text written for a chosen name.
    virtual std::string TextForName(const std::string& name) { return name; }

    HWND CreateInset(HWND edit) override;
    int InsetWidth(int clientHeight) const override;

private:
    std::string dialogTitle_;
    std::string initialDir_;
};

}  // namespace gui
