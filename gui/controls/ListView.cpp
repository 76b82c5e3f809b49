#include "ListView.h"

#include <algorithm>

#include "StdCtrls.h"

namespace gui {

namespace {

// Holds back selection events while the control itself changes the window's items.
class Quiet {
public:
    explicit Quiet(int& counter) : counter_(counter) { ++counter_; }
    ~Quiet() { --counter_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& counter_;
};

std::string OutOfBounds(int index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

}  // namespace

// =============================================================================================
// TListItem

TListView* TListItem::ListView() const {
    return owner_ ? owner_->view_ : nullptr;
}

int TListItem::Index() const {
    return owner_ ? owner_->IndexOf(this) : -1;
}

void TListItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Update();
}

void TListItem::SetImageIndex(int index) {
    imageIndex_ = index;
    Update();
}

void TListItem::Update() {
    TListView* view = ListView();
    int index = Index();
    if (view && index >= 0) view->ShowItem(index);
}

int TListItem::WindowIndex() const {
    TListView* view = ListView();
    return view && view->HandleAllocated() ? Index() : -1;
}

bool TListItem::Selected() const {
    int index = WindowIndex();
    return index >= 0 ? ListView()->ItemState(index, LVIS_SELECTED) : selected_;
}

void TListItem::SetSelected(bool selected) {
    TListView* view = ListView();
    int index = Index();
    if (!view || index < 0) {
        selected_ = selected;
        return;
    }
    if (view->HandleAllocated()) {
        view->SetItemState(index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
        return;
    }
    if (selected_ == selected) return;
    if (selected && !view->multiSelect_)
        for (auto& other : owner_->items_) other->selected_ = false;
    selected_ = selected;
    if (!view->Loading()) Fire(view->OnSelectItem, view, this, selected);
}

bool TListItem::Focused() const {
    int index = WindowIndex();
    return index >= 0 ? ListView()->ItemState(index, LVIS_FOCUSED) : focused_;
}

void TListItem::SetFocused(bool focused) {
    int index = WindowIndex();
    if (index >= 0) {
        ListView()->SetItemState(index, focused ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
        return;
    }
    if (focused && owner_)
        for (auto& other : owner_->items_) other->focused_ = false;
    focused_ = focused;
}

void TListItem::Delete() {
    if (owner_) owner_->Delete(Index());
}

// =============================================================================================
// TListItems

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw Exception(OutOfBounds(index));
    return items_[static_cast<size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<int>(i);
    return -1;
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Add(const std::string& caption, int imageIndex) {
    auto item = std::make_unique<TListItem>(this);
    item->caption_ = caption;
    item->imageIndex_ = imageIndex;
    items_.push_back(std::move(item));
    if (view_->HandleAllocated()) view_->InsertIntoWindow(Count() - 1);
    return items_.back().get();
}

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count()) throw Exception(OutOfBounds(index));
    items_.insert(items_.begin() + index, std::make_unique<TListItem>(this));
    TListItem* item = items_[static_cast<size_t>(index)].get();
    if (view_->HandleAllocated()) view_->InsertIntoWindow(index);
    return item;
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) throw Exception(OutOfBounds(index));
    if (view_->HandleAllocated()) {
        Quiet quiet(view_->quiet_);
        SendMessageA(view_->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    }
    items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
    if (view_->HandleAllocated()) {
        Quiet quiet(view_->quiet_);
        SendMessageA(view_->Handle(), LVM_DELETEALLITEMS, 0, 0);
    }
    items_.clear();
}

void TListItems::BeginUpdate() {
    if (updateCount_++ == 0 && view_->HandleAllocated())
        SendMessageA(view_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0) return;
    if (view_->HandleAllocated()) {
        SendMessageA(view_->Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_->Handle(), nullptr, TRUE);
    }
}

// =============================================================================================
// TListView

TListView::TListView(TComponent* owner) : TWinControl(owner), items_(this) {
    SetClassName("TListView");
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
}

TListView::~TListView() {
    SetDestroying();
    items_.items_.clear();
}

LONG_PTR TListView::ViewStyleBits() const {
    switch (viewStyle_) {
        case vsSmallIcon:
            return LVS_SMALLICON;
        case vsList:
            return LVS_LIST;
        case vsReport:
            return LVS_REPORT;
        default:
            return LVS_ICON;
    }
}

void TListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = WC_LISTVIEWA;
    params.style |= static_cast<DWORD>(ViewStyleBits()) | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
    if (!multiSelect_) params.style |= LVS_SINGLESEL;
    if (!hideSelection_) params.style |= LVS_SHOWSELALWAYS;
    if (!showColumnHeaders_) params.style |= LVS_NOCOLUMNHEADER;
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    Quiet quiet(quiet_);
    ApplyExtendedStyle();
    ApplyImages();
    ApplyColumns();
    for (int i = 0; i < items_.Count(); ++i) InsertIntoWindow(i);
}

void TListView::ReadSelection() {
    if (!HandleAllocated()) return;
    for (int i = 0; i < items_.Count(); ++i) {
        TListItem* item = items_.Item(i);
        item->selected_ = ItemState(i, LVIS_SELECTED);
        item->focused_ = ItemState(i, LVIS_FOCUSED);
    }
}

void TListView::DestroyWnd() {
    ReadSelection();
    TWinControl::DestroyWnd();
}

void TListView::ApplyExtendedStyle() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::InsertIntoWindow(int index) {
    TListItem* item = items_.Item(index);
    LVITEMA lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    lv.iItem = index;
    lv.pszText = const_cast<char*>(item->caption_.c_str());
    lv.iImage = item->imageIndex_;
    lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    lv.state = (item->selected_ ? LVIS_SELECTED : 0) | (item->focused_ ? LVIS_FOCUSED : 0);
    Quiet quiet(quiet_);
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv));
    ShowSubItems(index, *item);
}

void TListView::ShowItem(int index) {
    if (!HandleAllocated()) return;
    TListItem* item = items_.Item(index);
    LVITEMA lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE;
    lv.iItem = index;
    lv.pszText = const_cast<char*>(item->caption_.c_str());
    lv.iImage = item->imageIndex_;
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&lv));
    ShowSubItems(index, *item);
}

void TListView::ShowSubItems(int index, const TListItem& item) {
    for (size_t sub = 0; sub < item.subItems_.size(); ++sub) {
        LVITEMA text{};
        text.iSubItem = static_cast<int>(sub) + 1;
        text.pszText = const_cast<char*>(item.subItems_[sub].c_str());
        SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&text));
    }
}

bool TListView::ItemState(int index, UINT mask) {
    return (SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask) & mask) != 0;
}

void TListView::SetItemState(int index, UINT state, UINT mask) {
    LVITEMA lv{};
    lv.stateMask = mask;
    lv.state = state;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&lv));
}

TImageList* TListView::SmallImages() {
    if (!smallImages_ && !smallImagesName_.empty())
        smallImages_ = dynamic_cast<TImageList*>(Root()->FindComponent(smallImagesName_));
    return smallImages_;
}

TImageList* TListView::LargeImages() {
    if (!largeImages_ && !largeImagesName_.empty())
        largeImages_ = dynamic_cast<TImageList*>(Root()->FindComponent(largeImagesName_));
    return largeImages_;
}

void TListView::SetSmallImages(TImageList* images) {
    smallImages_ = images;
    smallImagesName_.clear();
    ApplyImages();
}

void TListView::SetLargeImages(TImageList* images) {
    largeImages_ = images;
    largeImagesName_.clear();
    ApplyImages();
}

void TListView::ApplyImages() {
    if (!HandleAllocated()) return;
    TImageList* small = SmallImages();
    TImageList* large = LargeImages();
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(small ? small->Handle() : nullptr));
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(large ? large->Handle() : nullptr));
}

void TListView::AddColumn(const std::string& caption, int width) {
    columns_.push_back(TListColumn{caption, width});
    ApplyColumns();
}

void TListView::ClearColumns() {
    columns_.clear();
    ApplyColumns();
}

void TListView::ApplyColumns() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    while (SendMessageA(window, LVM_DELETECOLUMN, 0, 0)) {
    }
    std::vector<TListColumn> columns = columns_;
    autoColumn_ = columns.empty();
    if (autoColumn_) {
        RECT client;
        GetClientRect(window, &client);
        columns.push_back(TListColumn{"", client.right - client.left});
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[i].caption.c_str());
        column.cx = columns[i].width;
        column.iSubItem = static_cast<int>(i);
        SendMessageA(window, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void TListView::BoundsChanged() {
    TWinControl::BoundsChanged();
    if (autoColumn_ && HandleAllocated()) {
        RECT client;
        GetClientRect(Handle(), &client);
        SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right - client.left, 0));
    }
}

void TListView::SetViewStyle(TViewStyle style) {
    if (style == viewStyle_) return;
    viewStyle_ = style;
    if (!HandleAllocated()) return;
    detail::ChangeStyle(Handle(), ViewStyleBits(), LVS_TYPEMASK);
    ApplyColumns();
}

void TListView::SetRowSelect(bool on) {
    rowSelect_ = on;
    ApplyExtendedStyle();
}

void TListView::SetMultiSelect(bool on) {
    if (on == multiSelect_) return;
    multiSelect_ = on;
    if (!on) {
        // Single selection: the first selected item stays selected, the others are cleared.
        bool first = true;
        for (int i = 0; i < items_.Count(); ++i) {
            TListItem* item = items_.Item(i);
            if (!item->Selected()) continue;
            if (!first) item->SetSelected(false);
            first = false;
        }
    }
    if (HandleAllocated())
        detail::ChangeStyle(Handle(), on ? 0 : LVS_SINGLESEL, on ? LVS_SINGLESEL : 0);
}

void TListView::SetHideSelection(bool on) {
    hideSelection_ = on;
    if (HandleAllocated())
        detail::ChangeStyle(Handle(), on ? 0 : LVS_SHOWSELALWAYS, on ? LVS_SHOWSELALWAYS : 0);
}

void TListView::SetShowColumnHeaders(bool on) {
    showColumnHeaders_ = on;
    if (HandleAllocated())
        detail::ChangeStyle(Handle(), on ? 0 : LVS_NOCOLUMNHEADER, on ? LVS_NOCOLUMNHEADER : 0);
}

void TListView::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

TListItem* TListView::Selected() {
    if (!HandleAllocated()) {
        for (auto& item : items_.items_)
            if (item->selected_) return item.get();
        return nullptr;
    }
    LRESULT index = SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return index >= 0 && index < items_.Count() ? items_.Item(static_cast<int>(index)) : nullptr;
}

int TListView::SelCount() {
    if (!HandleAllocated())
        return static_cast<int>(std::count_if(items_.items_.begin(), items_.items_.end(),
                                              [](const auto& item) { return item->selected_; }));
    return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

TListItem* TListView::ItemFocused() {
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i)->Focused()) return items_.Item(i);
    return nullptr;
}

int TListView::ItemIndex() {
    TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) {
    ClearSelection();
    if (index >= 0 && index < items_.Count()) {
        items_.Item(index)->SetSelected(true);
        items_.Item(index)->SetFocused(true);
    }
}

void TListView::ClearSelection() {
    for (int i = 0; i < items_.Count(); ++i)
        if (items_.Item(i)->Selected()) items_.Item(i)->SetSelected(false);
}

void TListView::SelectAll() {
    if (!multiSelect_) return;
    for (int i = 0; i < items_.Count(); ++i) items_.Item(i)->SetSelected(true);
}

TListItem* TListView::GetItemAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    LRESULT index = SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (index < 0 || index >= items_.Count() || !(hit.flags & LVHT_ONITEM)) return nullptr;
    return items_.Item(static_cast<int>(index));
}

RECT TListView::ItemRect(int index) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (!HandleAllocated() || index < 0 || index >= items_.Count()) return RECT{0, 0, 0, 0};
    if (!SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&r)))
        return RECT{0, 0, 0, 0};
    return r;
}

bool TListView::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY) return TWinControl::ParentNotification(msg, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    result = 0;
    switch (header->code) {
        case NM_CLICK:
            Click();
            return true;
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
            if (quiet_ || Destroying() || !(change->uChanged & LVIF_STATE)) return true;
            if (!((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) return true;
            if (change->iItem < 0 || change->iItem >= items_.Count()) return true;
            Fire(OnSelectItem, this, items_.Item(change->iItem),
                 (change->uNewState & LVIS_SELECTED) != 0);
            return true;
        }
        case LVN_DELETEALLITEMS:
            result = TRUE;  // no notification per item: nothing here listens for them
            return true;
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            result = readOnly_ ? TRUE : FALSE;
            return true;
        default:
            return false;
    }
}

bool TListView::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "ViewStyle")) {
        SetViewStyle(
            static_cast<TViewStyle>(value.AsEnum({"vsIcon", "vsSmallIcon", "vsList", "vsReport"})));
    } else if (SameText(name, "RowSelect")) {
        SetRowSelect(value.AsBool());
    } else if (SameText(name, "MultiSelect")) {
        SetMultiSelect(value.AsBool());
    } else if (SameText(name, "HideSelection")) {
        SetHideSelection(value.AsBool());
    } else if (SameText(name, "ReadOnly")) {
        SetReadOnly(value.AsBool());
    } else if (SameText(name, "ShowColumnHeaders")) {
        SetShowColumnHeaders(value.AsBool());
    } else if (SameText(name, "BorderStyle")) {
        SetBorderStyle(value.AsEnum({"bsNone", "bsSingle"}) == 0 ? bsNone : bsSingle);
    } else if (SameText(name, "SmallImages")) {
        smallImages_ = nullptr;
        smallImagesName_ = value.AsIdent();
        ApplyImages();
    } else if (SameText(name, "LargeImages")) {
        largeImages_ = nullptr;
        largeImagesName_ = value.AsIdent();
        ApplyImages();
    } else if (SameText(name, "Items.Captions")) {
        if (value.kind != PropertyValue::Kind::List) throw Exception("Invalid property value");
        items_.Clear();
        for (const std::string& caption : value.items) items_.Add()->SetCaption(caption);
    } else if (SameText(name, "OnSelectItem")) {
        BindEvent(OnSelectItem, value);
    } else if (SameText(name, "ColumnClick") || SameText(name, "IconOptions.AutoArrange")) {
        value.AsBool();
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

void TListView::Loaded() {
    TWinControl::Loaded();
    ApplyImages();
}

}  // namespace gui
