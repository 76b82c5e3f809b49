#include "Menu.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "ImageList.h"

namespace gui {

namespace {

// Command identifiers of living items. WM_COMMAND carries 16 bits, 0 means none.
std::vector<bool>& UsedCommands() {
    static std::vector<bool> used(0x10000, false);
    return used;
}

UINT AllocateCommand() {
    static UINT next = 0;
    std::vector<bool>& used = UsedCommands();
    for (int tries = 0; tries < 0xFFFF; ++tries) {
        next = next % 0xFFFF + 1;  // 1..0xFFFF
        if (!used[next]) {
            used[next] = true;
            return next;
        }
    }
    throw Exception("Too many menu items");
}

void ReleaseCommand(UINT command) {
    if (command) UsedCommands()[command] = false;
}

// Runs layer code that calls handlers inside the platform's menu loop: nothing may propagate
// through it, so a failure goes to the application's error report.
template <class F>
void Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ReportException(e);
    } catch (...) {
        ReportException(Exception("Unknown exception"));
    }
}

// The character after a single ampersand, or 0.
char Mnemonic(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

const char* kWindowClass = "ZemblyPopupMenuOwner";

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    struct KeyName {
        WORD key;
        const char* name;
    };
    static const KeyName kNames[] = {{VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"},
                                     {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},
                                     {VK_NEXT, "PgDn"},  {VK_END, "End"},     {VK_HOME, "Home"},
                                     {VK_LEFT, "Left"},  {VK_UP, "Up"},       {VK_RIGHT, "Right"},
                                     {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},  {VK_DELETE, "Del"}};
    const WORD key = shortCut & 0xFF;
    if (key == 0) return "";
    std::string name;
    for (const KeyName& k : kNames)
        if (k.key == key) name = k.name;
    if (name.empty() && ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')))
        name = std::string(1, static_cast<char>(key));
    if (name.empty() && key >= VK_F1 && key <= VK_F24) name = "F" + std::to_string(key - VK_F1 + 1);
    if (name.empty()) {
        // Any other key by the name the keyboard layout gives it.
        char buffer[64] = {};
        const LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        if (GetKeyNameTextA(scan, buffer, sizeof buffer) > 0) name = buffer;
    }
    if (name.empty()) return "";
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    // Each sub-item takes itself off this list as it goes.
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->Remove(this);
    ReleaseCommand(command_);
}

TImageList* TMenuItem::SubMenuImages() {
    if (!subMenuImages_ && !subMenuImagesName_.empty())
        subMenuImages_ = dynamic_cast<TImageList*>(Root()->FindComponent(subMenuImagesName_));
    return subMenuImages_;
}

void TMenuItem::SetSubMenuImages(TImageList* images) {
    subMenuImages_ = images;
    subMenuImagesName_.clear();
}

TImageList* TMenuItem::ImageList() {
    for (TMenuItem* p = parent_; p; p = p->parent_)
        if (TImageList* images = p->SubMenuImages()) return images;
    TPopupMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() {
    TMenuItem* top = this;
    while (top->parent_) top = top->parent_;
    return top->menu_;
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    auto it = std::find(parent_->items_.begin(), parent_->items_.end(), this);
    return static_cast<int>(it - parent_->items_.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) throw Exception("Invalid menu item");
    for (TMenuItem* p = parent_; p; p = p->parent_)
        if (p == item) throw Exception("A menu item cannot hold its own parent");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

TMenuItem* TMenuItem::Find(UINT command) {
    if (command == 0) return nullptr;
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->Find(command)) return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (enabled_) Fire(OnClick, this);
}

bool TMenuItem::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Caption")) {
        caption_ = value.AsString();
    } else if (SameText(name, "Hint")) {
        hint_ = value.AsString();
    } else if (SameText(name, "ShortCut")) {
        const int32_t v = value.AsInt();
        if (v < 0 || v > 0xFFFF) throw Exception("Property value out of range");
        shortCut_ = static_cast<TShortCut>(v);
    } else if (SameText(name, "Enabled")) {
        enabled_ = value.AsBool();
    } else if (SameText(name, "Checked")) {
        checked_ = value.AsBool();
    } else if (SameText(name, "Default")) {
        default_ = value.AsBool();
    } else if (SameText(name, "Visible")) {
        visible_ = value.AsBool();
    } else if (SameText(name, "ImageIndex")) {
        imageIndex_ = value.AsInt();
    } else if (SameText(name, "SubMenuImages")) {
        subMenuImages_ = nullptr;
        subMenuImagesName_ = value.AsIdent();
    } else if (SameText(name, "Tag")) {
        tag_ = value.AsInt();
    } else if (SameText(name, "OnClick")) {
        BindEvent(OnClick, value);
    } else if (SameText(name, "OnMeasureItem")) {
        BindEvent(OnMeasureItem, value);
    } else if (SameText(name, "OnDrawItem")) {
        BindEvent(OnDrawItem, value);
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

void TMenuItem::AddDescribedChild(TComponent* child) {
    auto* item = dynamic_cast<TMenuItem*>(child);
    if (!item) throw Exception("A menu item can only hold menu items");
    Add(item);
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TPopupMenu::~TPopupMenu() {
    if (alive_) *alive_ = false;
    DestroyHandle();
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    // The items go before the menu's own fields do; the root item is owned by this menu.
    delete items_;
}

TImageList* TPopupMenu::Images() {
    if (!images_ && !imagesName_.empty())
        images_ = dynamic_cast<TImageList*>(Root()->FindComponent(imagesName_));
    return images_;
}

void TPopupMenu::SetImages(TImageList* images) {
    images_ = images;
    imagesName_.clear();
}

void TPopupMenu::DoPopup() {
    Fire(OnPopup, this);
}

HWND TPopupMenu::Window() {
    if (window_) return window_;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    if (!GetClassInfoExA(instance, kWindowClass, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TPopupMenu::WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kWindowClass;
        if (!RegisterClassExA(&wc)) throw Exception("Cannot register the menu window class");
    }
    // A hidden top-level window: it can be made the foreground window, which a message-only
    // window cannot, so the menu closes when the user clicks elsewhere.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    if (!window_) throw Exception("Cannot create the menu window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_;
}

void TPopupMenu::DestroyHandle() {
    if (handle_) DestroyMenu(handle_);
    handle_ = nullptr;
}

HMENU TPopupMenu::BuildMenu(TMenuItem* parent) {
    HMENU menu = CreatePopupMenu();
    if (!menu) throw Exception("Cannot create a menu");
    UINT position = 0;
    for (TMenuItem* item : parent->items_) {
        if (!item->Visible()) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
        info.fType = item->IsLine() ? MFT_SEPARATOR : MFT_STRING;
        if (ownerDraw_) info.fType |= MFT_OWNERDRAW;
        info.fState = (item->Enabled() ? MFS_ENABLED : MFS_DISABLED) |
                      (item->Checked() ? MFS_CHECKED : 0) | (item->Default() ? MFS_DEFAULT : 0);
        info.wID = item->Command();
        // The command again, not a pointer: the measure and draw messages find the item by it.
        info.dwItemData = item->Command();
        std::string text = item->Caption();
        if (!ownerDraw_ && !item->IsLine()) {
            const std::string shortCut = ShortCutToText(item->ShortCut());
            if (!shortCut.empty()) text += "\t" + shortCut;
            info.fMask |= MIIM_STRING;
            info.dwTypeData = &text[0];
            info.cch = static_cast<UINT>(text.size());
        }
        if (item->Count() > 0 && !item->IsLine()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = BuildMenu(item);
        }
        if (!InsertMenuItemA(menu, position, TRUE, &info)) {
            if (info.hSubMenu) DestroyMenu(info.hSubMenu);
            DestroyMenu(menu);
            throw Exception("Cannot build a menu");
        }
        ++position;
    }
    return menu;
}

HMENU TPopupMenu::BuildHandle() {
    DestroyHandle();
    handle_ = BuildMenu(items_);
    return handle_;
}

void TPopupMenu::Popup(int x, int y) {
    if (tracking_) return;
    bool alive = true;
    alive_ = &alive;
    struct Reset {
        TPopupMenu* menu;
        bool* alive;
        ~Reset() {
            if (*alive) {
                menu->tracking_ = false;
                menu->alive_ = nullptr;
            }
        }
    } reset{this, &alive};

    DoPopup();
    if (!alive) return;
    BuildHandle();
    HWND owner = Window();
    // Without the owner in the foreground the menu would stay open after a click elsewhere.
    SetForegroundWindow(owner);
    tracking_ = true;
    TrackPopupMenu(handle_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                   nullptr);
    if (!alive) return;
    // A message of the owner's own after the menu loop: without it the next popup of a menu
    // owned by a background window (a tray icon's) may close at once.
    PostMessageA(owner, WM_NULL, 0, 0);
}

bool TPopupMenu::DispatchCommand(UINT command) {
    TMenuItem* item = items_->Find(command);
    if (!item || item == items_) return false;
    item->Click();
    return true;
}

void TPopupMenu::ApplyMenuFont(TFont& font) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    const LOGFONTA& lf = metrics.lfMenuFont;
    font.SetName(lf.lfFaceName);
    font.SetHeight(lf.lfHeight);
    font.SetCharset(lf.lfCharSet);
    font.SetStyle((lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0));
    font.SetColor(clMenuText);
}

bool TPopupMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = items_->Find(static_cast<UINT>(measure.itemData));
    if (!item || item == items_) return false;
    HWND window = Window();
    HDC dc = GetDC(window);
    int width = 0, height = 0;
    {
        TCanvas canvas(dc);
        ApplyMenuFont(canvas.Font());
        Guarded([&] {
            DefaultMeasureItem(item, canvas, width, height);
            if (item->OnMeasureItem) item->OnMeasureItem(item, &canvas, width, height);
        });
        canvas.SetHandle(nullptr);
    }
    ReleaseDC(window, dc);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TPopupMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = items_->Find(static_cast<UINT>(draw.itemData));
    if (!item || item == items_) return false;
    const int saved = SaveDC(draw.hDC);
    {
        TCanvas canvas(draw.hDC);
        ApplyMenuFont(canvas.Font());
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        Guarded([&] {
            if (item->OnDrawItem)
                item->OnDrawItem(item, &canvas, draw.rcItem, selected);
            else
                DefaultDrawItem(item, canvas, draw.rcItem, selected);
        });
        canvas.SetHandle(nullptr);
    }
    RestoreDC(draw.hDC, saved);
    return true;
}

LRESULT TPopupMenu::MenuChar(char key, HMENU menu) {
    const int count = GetMenuItemCount(menu);
    const int wanted = std::toupper(static_cast<unsigned char>(key));
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        TMenuItem* item = items_->Find(static_cast<UINT>(info.dwItemData));
        if (!item || item->IsLine() || !item->Enabled()) continue;
        const char m = Mnemonic(item->Caption());
        if (m && std::toupper(static_cast<unsigned char>(m)) == wanted)
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

LRESULT CALLBACK TPopupMenu::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* menu = reinterpret_cast<TPopupMenu*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (menu) {
        // Nothing may cross the platform's message dispatch.
        LRESULT result = 0;
        bool handled = false;
        Guarded([&] { handled = menu->HandleMessage(message, wParam, lParam, result); });
        if (handled) return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool TPopupMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            // Menu commands come with a zero notification code and no control.
            if (HIWORD(wParam) != 0 || lParam != 0) return false;
            DispatchCommand(LOWORD(wParam));
            result = 0;
            return true;
        case WM_MEASUREITEM:
            if (!MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            if (!DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
            result = TRUE;
            return true;
        case WM_MENUCHAR:
            if (!ownerDraw_) return false;
            result = MenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
            return true;
        default:
            return false;
    }
}

bool TPopupMenu::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Images")) {
        images_ = nullptr;
        imagesName_ = value.AsIdent();
    } else if (SameText(name, "OwnerDraw")) {
        SetOwnerDraw(value.AsBool());
    } else if (SameText(name, "AutoPopup")) {
        SetAutoPopup(value.AsBool());
    } else if (SameText(name, "OnPopup")) {
        BindEvent(OnPopup, value);
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

void TPopupMenu::AddDescribedChild(TComponent* child) {
    auto* item = dynamic_cast<TMenuItem*>(child);
    if (!item) throw Exception("A menu can only hold menu items");
    items_->Add(item);
}

// ---------------------------------------------------------------------------------------------
// Default owner drawing: the look of a plain menu, with the item's image in front.

namespace {
constexpr int kDefaultImageSpace = 16;  // room for a check mark when there are no images
constexpr int kDefaultSeparatorHeight = 8;
}  // namespace

void DefaultMeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
    if (item->IsLine()) {
        width = 10;
        height = kDefaultSeparatorHeight;
        return;
    }
    TImageList* images = item->ImageList();
    const int imageWidth =
        images ? std::max(images->Width(), kDefaultImageSpace) : kDefaultImageSpace;
    RECT r{0, 0, 0, 0};
    canvas.DrawText(item->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
    int textWidth = r.right - r.left;
    const int textHeight = r.bottom - r.top;
    const std::string shortCut = ShortCutToText(item->ShortCut());
    if (!shortCut.empty()) {
        RECT s{0, 0, 0, 0};
        canvas.DrawText(shortCut, s, DT_CALCRECT | DT_SINGLELINE);
        textWidth += 16 + (s.right - s.left);
    }
    width = 4 + imageWidth + 6 + textWidth + 6;
    height = std::max(textHeight + 6, images ? images->Height() + 4 : 0);
}

void DefaultDrawItem(TMenuItem* item, TCanvas& canvas, const RECT& rect, bool selected) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected && !item->IsLine() ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (item->IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TImageList* images = item->ImageList();
    const int imageWidth =
        images ? std::max(images->Width(), kDefaultImageSpace) : kDefaultImageSpace;
    const TColor textColor =
        !item->Enabled() ? clGrayText : (selected ? clHighlightText : clMenuText);
    if (images && item->ImageIndex() >= 0) {
        const int top = rect.top + (rect.bottom - rect.top - images->Height()) / 2;
        images->Draw(canvas, rect.left + 4, top, item->ImageIndex(), item->Enabled());
    } else if (item->Checked()) {
        // A tick in the image space.
        const int cx = rect.left + 4 + imageWidth / 2, cy = (rect.top + rect.bottom) / 2;
        canvas.Pen().SetColor(textColor);
        canvas.Pen().SetWidth(2);
        canvas.Polyline({{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 5, cy - 3}});
        canvas.Pen().SetWidth(1);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(textColor);
    RECT text = rect;
    text.left += 4 + imageWidth + 6;
    text.right -= 6;
    canvas.DrawText(item->Caption(), text, DT_SINGLELINE | DT_VCENTER);
    const std::string shortCut = ShortCutToText(item->ShortCut());
    if (!shortCut.empty()) canvas.DrawText(shortCut, text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

}  // namespace gui
