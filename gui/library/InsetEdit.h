// An edit box with a small window of its own inside its right end (a browse button, spin
// arrows): the inset is made with the edit's window, kept at the right edge as the edit changes
// size or font, and the text stops short of it.
#pragma once

#include <windows.h>

#include "StdCtrls.h"

namespace gui {

class TInsetEdit : public TEdit {
public:
    explicit TInsetEdit(TComponent* owner);

    // The inset's window (made with the edit's).
    HWND InsetHandle() const { return inset_; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // Makes the inset as a child of the edit's window.
    virtual HWND CreateInset(HWND edit) = 0;
    // The inset's width for the edit's client height.
    virtual int InsetWidth(int clientHeight) const = 0;

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void BoundsChanged() override;
    void FontChanged() override;

private:
    void PlaceInset();

    HWND inset_ = nullptr;
};

}  // namespace gui
