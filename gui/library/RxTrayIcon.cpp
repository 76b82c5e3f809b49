#include "RxTrayIcon.h"

#include <algorithm>
#include <vector>

#include "DescribedPicture.h"
#include "Graphics.h"
#include "Menu.h"

namespace gui {

namespace {

const char kWindowClass[] = "ZemblyTrayIconWindow";
const UINT kIconId = 1;

TrayNotifier& Notifier() {
    static TrayNotifier notifier;
    return notifier;
}

// Broadcast when the taskbar (re)starts: every icon has to be added again.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

// An icon of a decoded picture. Icons take straight alpha; the picture holds it premultiplied.
HICON IconFromPicture(TBitmap& picture) {
    const int width = picture.Width(), height = picture.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!color) return nullptr;
    auto* out = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x], a = p >> 24;
            auto straight = [a](uint32_t c) {
                return a ? std::min<uint32_t>(c * 255 / a, 255) : 0;
            };
            out[static_cast<size_t>(y) * width + x] =
                (a << 24) | (straight((p >> 16) & 0xFF) << 16) | (straight((p >> 8) & 0xFF) << 8) |
                straight(p & 0xFF);
        }
    }
    // An all-zero mask: the colour bitmap's alpha says what shows.
    std::vector<BYTE> zeros(static_cast<size_t>((width + 15) / 16 * 2) * height, 0);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, zeros.data());
    ICONINFO icon{TRUE, 0, 0, mask, color};
    HICON result = mask ? CreateIconIndirect(&icon) : nullptr;
    if (mask) DeleteObject(mask);
    DeleteObject(color);
    return result;
}

}  // namespace

void SetTrayNotifier(TrayNotifier notifier) {
    Notifier() = std::move(notifier);
}

TRxTrayIcon::TRxTrayIcon(TComponent* owner) : TComponent(owner) {
    SetClassName("TRxTrayIcon");
}

TRxTrayIcon::~TRxTrayIcon() {
    if (added_) Notify(NIM_DELETE);
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (icon_) DestroyIcon(icon_);
}

HWND TRxTrayIcon::Window() {
    if (window_) return window_;
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kWindowClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    // A hidden top-level window: a message-only one would not hear the taskbar's broadcast.
    window_ = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
    if (!window_) throw Exception("Error creating the tray icon's window");
    return window_;
}

LRESULT CALLBACK TRxTrayIcon::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* icon = reinterpret_cast<TRxTrayIcon*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (icon && !icon->Destroying()) {
        if (msg == kCallbackMessage) {
            switch (LOWORD(lParam)) {
                case WM_RBUTTONUP:
                    icon->PopupAtCursor();
                    break;
                case WM_LBUTTONDBLCLK:
                    icon->DblClick();
                    break;
                default:
                    break;
            }
            return 0;
        }
        if (msg == TaskbarCreatedMessage() && icon->active_) {
            icon->added_ = icon->Notify(NIM_ADD);
            return 0;
        }
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

bool TRxTrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = Window();
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    HICON icon = IconHandle();
    data.hIcon = icon ? icon : LoadIconA(nullptr, MAKEINTRESOURCEA(32512) /* IDI_APPLICATION */);
    lstrcpynA(data.szTip, hint_.c_str(), sizeof data.szTip);
    if (Notifier()) return Notifier()(message, data);
    return Shell_NotifyIconA(message, &data) != FALSE;
}

void TRxTrayIcon::SetActive(bool on) {
    if (on == active_) return;
    active_ = on;
    if (Loading() || Designing()) return;  // Loaded adds a described active icon
    if (on) {
        added_ = Notify(NIM_ADD);
    } else {
        if (added_) Notify(NIM_DELETE);
        added_ = false;
    }
}

void TRxTrayIcon::Loaded() {
    TComponent::Loaded();
    if (active_ && !added_ && !Designing()) added_ = Notify(NIM_ADD);
}

void TRxTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    if (added_) Notify(NIM_MODIFY);
}

void TRxTrayIcon::SetIcon(HICON icon) {
    if (!icon) throw Exception("The picture cannot be made into an icon");
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
    pendingPicture_.SetSize(0, 0);
    if (added_) Notify(NIM_MODIFY);
}

HICON TRxTrayIcon::IconHandle() {
    // A picture that proves damaged gives no icon: the system's shows instead.
    if (!icon_ && !pendingPicture_.Empty()) {
        icon_ = IconFromPicture(pendingPicture_);
        pendingPicture_.SetSize(0, 0);
    }
    return icon_;
}

void TRxTrayIcon::LoadIconFromMemory(const void* data, size_t size) {
    TBitmap picture;
    picture.LoadFromMemory(data, size);
    SetIcon(IconFromPicture(picture));
}

void TRxTrayIcon::LoadIconFromResourceName(const std::string& name) {
    TBitmap picture;
    picture.LoadFromResourceName(name);
    SetIcon(IconFromPicture(picture));
}

void TRxTrayIcon::PopupAtCursor() {
    auto* menu = dynamic_cast<TPopupMenu*>(Root()->FindComponent(popupMenuName_));
    if (!menu || popupMenuName_.empty()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    menu->Popup(cursor.x, cursor.y);
}

void TRxTrayIcon::DblClick() {
    auto* menu = dynamic_cast<TPopupMenu*>(Root()->FindComponent(popupMenuName_));
    if (menu && !popupMenuName_.empty()) {
        TMenuItem* items = menu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TMenuItem* item = items->Items(i);
            if (item->Default() && item->Visible()) {
                item->Click();
                return;
            }
        }
    }
    Fire(OnDblClick, this);
}

bool TRxTrayIcon::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Active")) {
        SetActive(value.AsBool());
    } else if (SameText(name, "Icon") || SameText(name, "Icon.Data")) {
        TBitmap picture;
        picture.LoadEncoded(DescribedPicture(value));
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
        pendingPicture_.Assign(picture);
        if (added_) Notify(NIM_MODIFY);
    } else if (SameText(name, "Hint")) {
        SetHint(value.AsString());
    } else if (SameText(name, "PopupMenu")) {
        SetPopupMenuName(value.AsIdent());
    } else if (SameText(name, "OnDblClick")) {
        BindEvent(OnDblClick, value);
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
