// An icon in the notification area. A hidden window of its own receives the icon's mouse
// messages: releasing the right button over the icon pops up the popup menu at the mouse; a
// left double-click runs the menu's default item when it has one, else OnDblClick.
//
// The shell calls go through one seam so that tests see what would be added and removed.
#pragma once

#include <windows.h>
// (the shell header needs the types of windows.h first)
#include <shellapi.h>

#include <functional>
#include <string>

#include "Component.h"
#include "Graphics.h"

namespace gui {

// Performs a Shell_NotifyIcon call; returns its result. nullptr puts Shell_NotifyIconA back.
using TrayNotifier = std::function<bool(DWORD message, const NOTIFYICONDATAA& data)>;
void SetTrayNotifier(TrayNotifier notifier);

class TRxTrayIcon : public TComponent {
public:
    // The message the icon's window gets for the icon's mouse events: lParam is the mouse message
    // (WM_RBUTTONUP, WM_LBUTTONDBLCLK, ...).
    static constexpr UINT kCallbackMessage = WM_APP + 0x3A1;

    explicit TRxTrayIcon(TComponent* owner);
    ~TRxTrayIcon() override;  // takes the icon away

    // Switching on adds the icon, switching off removes it; switching on an active icon changes
    // nothing. An icon the shell could not take yet (no taskbar so early at logon) comes when
    // the taskbar announces itself.
    bool Active() const { return active_; }
    void SetActive(bool on);

    // The picture: icon, or any picture format the layer reads. Without one the system's
    // application icon shows. A described picture becomes the icon when the icon is first
    // needed.
    void LoadIconFromMemory(const void* data, size_t size);
    void LoadIconFromResourceName(const std::string& name);
    HICON IconHandle();

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    // The name of a popup menu component on the same form.
    const std::string& PopupMenuName() const { return popupMenuName_; }
    void SetPopupMenuName(const std::string& name) { popupMenuName_ = name; }

    // The hidden window that receives kCallbackMessage.
    HWND Window();

    // What the icon's mouse events do (also used by tests).
    void PopupAtCursor();
    void DblClick();

    // Active, Icon ('resource name' or picture data), Hint, PopupMenu, OnDblClick.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    TNotifyEvent OnDblClick;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD message);
    void SetIcon(HICON icon);

    bool active_ = false;
    bool added_ = false;
    HICON icon_ = nullptr;
    TBitmap pendingPicture_;  // still encoded; the icon is made of it when needed
    std::string hint_;
    std::string popupMenuName_;
    HWND window_ = nullptr;
};

}  // namespace gui
