#include "ListControls.h"

#include <commctrl.h>

#include <algorithm>

namespace gui {

// =============================================================================================
// TListBox

class TListBox::ItemsLink : public TStringsLink {
public:
    explicit ItemsLink(TListBox* box) : box_(box) {}

    void Inserted(int index, const std::string& text) override {
        auto& sel = box_->selected_;
        sel.insert(sel.begin() + std::min<size_t>(static_cast<size_t>(index), sel.size()), 0);
        if (box_->itemIndex_ >= index) ++box_->itemIndex_;
        if (box_->Live())
            SendMessageA(box_->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Deleted(int index) override {
        auto& sel = box_->selected_;
        if (static_cast<size_t>(index) < sel.size()) sel.erase(sel.begin() + index);
        if (box_->itemIndex_ == index)
            box_->itemIndex_ = -1;
        else if (box_->itemIndex_ > index)
            --box_->itemIndex_;
        if (box_->Live())
            SendMessageA(box_->Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    void Replaced(int index, const std::string& text) override {
        if (!box_->Live()) return;
        HWND window = box_->Handle();
        bool wasSelected = box_->Selected(index);
        bool wasCurrent = box_->ItemIndex() == index;
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        SendMessageA(window, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(window, LB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.c_str()));
        if (wasSelected) box_->SetSelected(index, true);
        if (wasCurrent) box_->SetItemIndex(index);
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
    void Reset(const std::vector<std::string>& items) override {
        box_->selected_.assign(items.size(), 0);
        box_->itemIndex_ = -1;
        if (!box_->Live()) return;
        Fill(items);
    }
    void Fill(const std::vector<std::string>& items) {
        HWND window = box_->Handle();
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        SendMessageA(window, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : items)
            SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }

private:
    TListBox* box_;
};

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner), link_(std::make_unique<ItemsLink>(this)) {
    SetClassName("TListBox");
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    items_.SetLink(link_.get());
}

TListBox::~TListBox() {
    items_.SetLink(nullptr);
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "LISTBOX";
    // The list orders itself (Sorted), so the window must keep the order it is given.
    params.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL;
    if (multiSelect_) params.style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    std::vector<char> selected = selected_;
    int index = itemIndex_;
    link_->Fill(items_.Items());
    HWND window = Handle();
    if (multiSelect_) {
        for (size_t i = 0; i < selected.size(); ++i)
            if (selected[i]) SendMessageA(window, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        if (index >= 0) SendMessageA(window, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else {
        SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void TListBox::ReadSelection() {
    if (!Live()) return;
    int count = items_.Count();
    selected_.assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i) selected_[static_cast<size_t>(i)] = Selected(i) ? 1 : 0;
    itemIndex_ = ItemIndex();
}

void TListBox::DestroyWnd() {
    ReadSelection();
    TWinControl::DestroyWnd();
}

// Changes made inside an update of the items reach the selection only at its end; reads and
// writes in between must still stay within the items.
void TListBox::SelectionFitsItems() {
    selected_.resize(static_cast<size_t>(items_.Count()), 0);
    if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
}

int TListBox::ItemIndex() {
    if (!Live()) return itemIndex_;
    LRESULT index = SendMessageA(Handle(), multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    // A multi-select list reports its caret on the first item even when it is empty.
    if (index >= items_.Count()) return -1;
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    if (!Live()) {
        SelectionFitsItems();
        itemIndex_ = index;
        if (!multiSelect_) {
            std::fill(selected_.begin(), selected_.end(), 0);
            if (index >= 0) selected_[static_cast<size_t>(index)] = 1;
        }
        return;
    }
    if (multiSelect_)
        SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TListBox::Selected(int index) {
    if (index < 0 || index >= items_.Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    if (!Live()) {
        SelectionFitsItems();
        if (!multiSelect_) return index == itemIndex_;
        return selected_[static_cast<size_t>(index)] != 0;
    }
    return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= items_.Count())
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    if (!multiSelect_) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (!Live()) {
        SelectionFitsItems();
        selected_[static_cast<size_t>(index)] = selected ? 1 : 0;
        return;
    }
    SendMessageA(Handle(), LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index));
}

int TListBox::SelCount() {
    if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
    if (!Live()) return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
    LRESULT count = SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

void TListBox::ClearSelection() {
    if (!multiSelect_) {
        SetItemIndex(-1);
        return;
    }
    for (int i = 0, n = items_.Count(); i < n; ++i) SetSelected(i, false);
}

void TListBox::SetMultiSelect(bool on) {
    if (on == multiSelect_) return;
    ReadSelection();
    multiSelect_ = on;
    if (!on) {
        // One selected item remains: the current one.
        std::fill(selected_.begin(), selected_.end(), 0);
        if (itemIndex_ >= 0) selected_[static_cast<size_t>(itemIndex_)] = 1;
    }
    if (Live()) RecreateWnd();
}

bool TListBox::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND) {
        if (HIWORD(wParam) == LBN_SELCHANGE) Click();
        result = 0;
        return true;
    }
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

bool TListBox::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Items.Strings")) {
        items_.SetProperty("Strings", value);
    } else if (SameText(name, "ItemIndex")) {
        SetItemIndex(value.AsInt());
    } else if (SameText(name, "MultiSelect")) {
        SetMultiSelect(value.AsBool());
    } else if (SameText(name, "ExtendedSelect")) {
        extendedSelect_ = value.AsBool();
        if (Live()) RecreateWnd();
    } else if (SameText(name, "Sorted")) {
        SetSorted(value.AsBool());
    } else if (SameText(name, "BorderStyle")) {
        borderStyle_ = value.AsEnum({"bsNone", "bsSingle"}) == 0 ? bsNone : bsSingle;
        if (Live()) RecreateWnd();
    } else if (SameText(name, "ItemHeight") || SameText(name, "Columns")) {
        value.AsInt();
    } else if (SameText(name, "IntegralHeight")) {
        value.AsBool();
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TFileListBox

TFileListBox::TFileListBox(TComponent* owner) : TListBox(owner) {
    SetClassName("TFileListBox");
    SetSorted(true);
}

void TFileListBox::SetDirectory(const std::string& folder) {
    directory_ = folder;
    if (!Loading()) ReadFileNames();
}

void TFileListBox::SetMask(const std::string& mask) {
    mask_ = mask.empty() ? "*.*" : mask;
    if (!Loading() && !directory_.empty()) ReadFileNames();
}

void TFileListBox::SetFileType(TFileType types) {
    fileType_ = types;
    if (!Loading() && !directory_.empty()) ReadFileNames();
}

void TFileListBox::ReadFileNames() {
    Items().Clear();
    if (directory_.empty()) return;
    DWORD folder = GetFileAttributesA(directory_.c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        throw Exception("Cannot list the folder \"" + directory_ + "\"");
    std::string base = directory_;
    if (base.back() != '\\' && base.back() != '/') base += '\\';
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= mask_.size()) {
        size_t end = mask_.find(';', start);
        if (end == std::string::npos) end = mask_.size();
        std::string pattern = mask_.substr(start, end - start);
        start = end + 1;
        if (pattern.empty()) continue;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((base + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            DWORD a = found.dwFileAttributes;
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if ((a & FILE_ATTRIBUTE_DIRECTORY) && !(fileType_ & ftDirectory)) continue;
            if ((a & FILE_ATTRIBUTE_HIDDEN) && !(fileType_ & ftHidden)) continue;
            if ((a & FILE_ATTRIBUTE_SYSTEM) && !(fileType_ & ftSystem)) continue;
            bool special = ((a & FILE_ATTRIBUTE_READONLY) && (fileType_ & ftReadOnly)) ||
                           ((a & FILE_ATTRIBUTE_ARCHIVE) && (fileType_ & ftArchive)) ||
                           ((a & FILE_ATTRIBUTE_HIDDEN) && (fileType_ & ftHidden)) ||
                           ((a & FILE_ATTRIBUTE_SYSTEM) && (fileType_ & ftSystem)) ||
                           ((a & FILE_ATTRIBUTE_DIRECTORY) && (fileType_ & ftDirectory));
            if (!special && !(fileType_ & ftNormal)) continue;
            // Two patterns that both match a file list it once: it is one file.
            bool known = false;
            for (const std::string& n : names) known = known || SameText(n, name);
            if (!known) names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    Items().Assign(names);
}

bool TFileListBox::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Directory")) {
        SetDirectory(value.AsString());
    } else if (SameText(name, "Mask")) {
        SetMask(value.AsString());
    } else if (SameText(name, "FileType")) {
        SetFileType(value.AsSet({"ftReadOnly", "ftHidden", "ftSystem", "ftVolumeID", "ftDirectory",
                                 "ftArchive", "ftNormal"}));
    } else if (SameText(name, "FileEdit") || SameText(name, "DirList")) {
        value.AsIdent();  // the companion controls of the class library are not used
    } else if (SameText(name, "ShowGlyphs")) {
        value.AsBool();
    } else {
        return TListBox::SetProperty(name, value);
    }
    return true;
}

void TFileListBox::Loaded() {
    TListBox::Loaded();
    // A folder written in a description that is missing on this machine leaves an empty list.
    try {
        ReadFileNames();
    } catch (const Exception&) {
        Items().Clear();
    }
}

// =============================================================================================
// TComboBox

class TComboBox::ItemsLink : public TStringsLink {
public:
    explicit ItemsLink(TComboBox* box) : box_(box) {}

    void Inserted(int index, const std::string& text) override {
        if (box_->itemIndex_ >= index) ++box_->itemIndex_;
        if (box_->HandleAllocated())
            SendMessageA(box_->Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Deleted(int index) override {
        if (box_->itemIndex_ == index)
            box_->itemIndex_ = -1;
        else if (box_->itemIndex_ > index)
            --box_->itemIndex_;
        if (box_->HandleAllocated())
            SendMessageA(box_->Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    void Replaced(int index, const std::string& text) override {
        if (!box_->HandleAllocated()) return;
        HWND window = box_->Handle();
        int current = box_->ItemIndex();
        std::string typed = box_->Text();
        SendMessageA(window, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(window, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.c_str()));
        if (current == index) SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        if (box_->style_ != csDropDownList) SetWindowTextA(window, typed.c_str());
    }
    void Reset(const std::vector<std::string>& items) override {
        box_->itemIndex_ = -1;
        if (box_->HandleAllocated()) Fill(items, true);
    }
    // Emptying the list clears the system's edit field too; the typed text must stay.
    void Fill(const std::vector<std::string>& items, bool keepText) {
        HWND window = box_->Handle();
        std::string typed = box_->Text();
        // Drawn once at the end: a list of thousands drawn after each item takes seconds.
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        SendMessageA(window, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : items)
            SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (keepText && box_->style_ != csDropDownList) {
            box_->settingText_ = true;
            SetWindowTextA(window, typed.c_str());
            box_->settingText_ = false;
        }
    }

private:
    TComboBox* box_;
};

LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR refData) {
    auto* box = reinterpret_cast<TComboBox*>(refData);
    // Keys typed into a drop-down go to its edit field, not to the combo box's own window;
    // they reach the combo box's key events from here.
    try {
        switch (msg) {
            case WM_CHAR: {
                char key = static_cast<char>(wParam);
                box->KeyPress(key);
                if (key == 0) return 0;
                wParam = static_cast<unsigned char>(key);
                break;
            }
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: {
                WORD key = static_cast<WORD>(wParam);
                box->KeyDown(key, KeyboardShiftState());
                if (key == 0) return 0;
                wParam = key;
                break;
            }
            case WM_KEYUP:
            case WM_SYSKEYUP: {
                LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
                WORD key = static_cast<WORD>(wParam);
                box->KeyUp(key, KeyboardShiftState());
                return result;
            }
            case WM_NCDESTROY:
                RemoveWindowSubclass(hwnd, ComboEditProc, 2);
                if (box->edit_ == hwnd) box->edit_ = nullptr;
                break;
            default:
                break;
        }
    } catch (const std::exception& error) {
        ReportException(error);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), link_(std::make_unique<ItemsLink>(this)) {
    SetClassName("TComboBox");
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    items_.SetLink(link_.get());
}

TComboBox::~TComboBox() {
    if (edit_) RemoveWindowSubclass(edit_, ComboEditProc, 2);
    edit_ = nullptr;
    items_.SetLink(nullptr);
}

int TComboBox::ListHeight() const {
    return dropDownCount_ * 16 + 4;
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "COMBOBOX";
    params.style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    switch (style_) {
        case csDropDownList:
            params.style |= CBS_DROPDOWNLIST;
            break;
        case csSimple:
            params.style |= CBS_SIMPLE;
            break;
        default:
            params.style |= CBS_DROPDOWN;
            break;
    }
    // The window's height includes the dropped-down list.
    if (style_ != csSimple) params.height += ListHeight();
}

void TComboBox::CreateWnd() {
    std::string text = text_;
    int index = itemIndex_;
    TWinControl::CreateWnd();
    HWND window = Handle();
    link_->Fill(items_.Items(), false);
    SendMessageA(window, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (index >= 0) SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (style_ != csDropDownList) {
        settingText_ = true;
        SetWindowTextA(window, text.c_str());
        settingText_ = false;
    }
    HookEdit();
}

void TComboBox::HookEdit() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    edit_ = nullptr;
    if (style_ == csDropDownList || !GetComboBoxInfo(Handle(), &info) || !info.hwndItem) return;
    if (info.hwndItem == Handle()) return;
    edit_ = info.hwndItem;
    SetWindowSubclass(edit_, ComboEditProc, 2, reinterpret_cast<DWORD_PTR>(this));
}

void TComboBox::DestroyWnd() {
    if (HandleAllocated()) itemIndex_ = ItemIndex();
    if (edit_) RemoveWindowSubclass(edit_, ComboEditProc, 2);
    edit_ = nullptr;
    TWinControl::DestroyWnd();
}

std::string TComboBox::Text() const {
    if (HandleAllocated()) return TWinControl::Text();
    if (style_ == csDropDownList) {
        if (itemIndex_ < 0 || itemIndex_ >= items_.Count()) return std::string();
        return items_.Strings(itemIndex_);
    }
    return text_;
}

void TComboBox::TextChanged() {
    if (style_ == csDropDownList) {
        SetItemIndex(items_.IndexOf(text_));
        return;
    }
    if (!HandleAllocated()) return;
    settingText_ = true;
    SetWindowTextA(Handle(), text_.c_str());
    settingText_ = false;
}

int TComboBox::ItemIndex() {
    if (!HandleAllocated()) return itemIndex_;
    LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    itemIndex_ = index;
    if (style_ != csDropDownList) text_ = index >= 0 ? items_.Strings(index) : std::string();
    if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    if (HandleAllocated()) itemIndex_ = ItemIndex();
    style_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TComboBox::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

bool TComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TComboBox::SetDroppedDown(bool on) {
    if (HandleAllocated()) SendMessageA(Handle(), CB_SHOWDROPDOWN, on ? TRUE : FALSE, 0);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    // The system's combo box takes the height it is given as that of its dropped-down list.
    if (HandleAllocated() && style_ != csSimple)
        SetWindowPos(Handle(), nullptr, 0, 0, width, height + ListHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::Change() {
    if (!settingText_ && !Destroying() && !Loading()) Fire(OnChange, this);
}

bool TComboBox::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND) {
        switch (HIWORD(wParam)) {
            case CBN_EDITCHANGE:
                Change();
                break;
            case CBN_SELCHANGE: {
                // The edit field takes the chosen item's text only after this notification.
                int index = ItemIndex();
                if (index >= 0 && style_ != csDropDownList) {
                    settingText_ = true;
                    SetWindowTextA(Handle(), items_.Strings(index).c_str());
                    settingText_ = false;
                }
                Click();
                Change();
                break;
            }
            case CBN_DROPDOWN:
                Fire(OnDropDown, this);
                break;
            default:
                break;
        }
        result = 0;
        return true;
    }
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

bool TComboBox::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Items.Strings")) {
        items_.SetProperty("Strings", value);
    } else if (SameText(name, "ItemIndex")) {
        SetItemIndex(value.AsInt());
    } else if (SameText(name, "Style")) {
        SetStyle(static_cast<TComboBoxStyle>(
            value.AsEnum({"csDropDown", "csSimple", "csDropDownList"})));
    } else if (SameText(name, "DropDownCount")) {
        SetDropDownCount(value.AsInt());
    } else if (SameText(name, "MaxLength")) {
        SetMaxLength(value.AsInt());
    } else if (SameText(name, "Sorted")) {
        SetSorted(value.AsBool());
    } else if (SameText(name, "ItemHeight")) {
        value.AsInt();
    } else if (SameText(name, "OnChange")) {
        BindEvent(OnChange, value);
    } else if (SameText(name, "OnDropDown")) {
        BindEvent(OnDropDown, value);
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
