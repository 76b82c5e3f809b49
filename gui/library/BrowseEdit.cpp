#include "BrowseEdit.h"

#include <algorithm>

namespace gui {

TBrowseEdit::TBrowseEdit(TComponent* owner) : TInsetEdit(owner) {}

void TBrowseEdit::Browse() {
    BrowseRequest request;
    request.title = dialogTitle_;
    request.initialDir = initialDir_;
    request.owner = HandleAllocated() ? GetAncestor(Handle(), GA_ROOT) : nullptr;
    PrepareRequest(request);
    std::string name = Text();
    std::string chosen;
    bool action = RunBrowseDialog(request, chosen);
    if (action) name = chosen;
    Fire(OnAfterDialog, this, name, action);
    if (!action || Destroying()) return;
    SetText(TextForName(name));
    if (HandleAllocated()) SelectAll();
}

HWND TBrowseEdit::CreateInset(HWND edit) {
    return CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0,
                           edit, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int TBrowseEdit::InsetWidth(int clientHeight) const {
    return std::max(clientHeight, 18);
}

LRESULT TBrowseEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && ButtonHandle() && reinterpret_cast<HWND>(lParam) == ButtonHandle()) {
        if (HIWORD(wParam) == BN_CLICKED) {
            SetFocus();  // the typing goes on in the edit, not on its button
            Browse();
        }
        return 0;
    }
    return TInsetEdit::WndProc(msg, wParam, lParam);
}

bool TBrowseEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "DialogTitle")) {
        SetDialogTitle(value.AsString());
    } else if (SameText(name, "InitialDir")) {
        SetInitialDir(value.AsString());
    } else if (SameText(name, "OnAfterDialog")) {
        BindEvent(OnAfterDialog, value);
    } else {
        return TInsetEdit::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
