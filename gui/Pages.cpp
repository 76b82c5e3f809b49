#include "Pages.h"

#include <commctrl.h>

#include <algorithm>

namespace gui {

// =============================================================================================
// TPage, TNotebook

TPage::TPage(TComponent* owner) : TCustomControl(owner) {
    SetClassName("TPage");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
    SetAlign(alClient);
    SetVisible(false);
}

TPage::~TPage() {
    if (notebook_) notebook_->RemovePage(this);
}

void TPage::TextChanged() {}  // a page's caption is its name; it is not drawn

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner) {
    SetClassName("TNotebook");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 150, 150);
}

TNotebook::~TNotebook() {
    for (TPage* page : pages_) page->notebook_ = nullptr;
    pages_.clear();
}

TPage* TNotebook::AddPage(const std::string& name) {
    auto* page = new TPage(this);
    page->SetCaption(name);
    InsertPage(page);
    return page;
}

void TNotebook::InsertPage(TPage* page) {
    if (page->notebook_ == this) return;
    if (page->notebook_) page->notebook_->RemovePage(page);
    page->notebook_ = this;
    pages_.push_back(page);
    page->SetVisible(static_cast<int>(pages_.size()) - 1 == pageIndex_);
    page->SetParent(this);
}

void TNotebook::RemovePage(TPage* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->notebook_ = nullptr;
    if (index < pageIndex_ && pageIndex_ > 0) --pageIndex_;
    if (!Destroying()) ShowActive();
}

void TNotebook::ShowActive() {
    // The new page shows before the old one hides, so that the notebook never shows empty.
    if (pageIndex_ >= 0 && pageIndex_ < PageCount())
        pages_[static_cast<size_t>(pageIndex_)]->Show();
    for (int i = 0; i < PageCount(); ++i)
        if (i != pageIndex_) pages_[static_cast<size_t>(i)]->Hide();
}

void TNotebook::SetPageIndex(int index) {
    if (PageCount() == 0) {
        pageIndex_ = index;  // a description gives the index before the pages
        return;
    }
    if (index < 0 || index >= PageCount() || index == pageIndex_) return;
    pageIndex_ = index;
    ShowActive();
    if (!Loading() && !Destroying()) Fire(OnPageChanged, this);
}

std::string TNotebook::ActivePage() const {
    if (pageIndex_ < 0 || pageIndex_ >= PageCount()) return std::string();
    return PageName(pageIndex_);
}

void TNotebook::SetActivePage(const std::string& name) {
    for (int i = 0; i < PageCount(); ++i)
        if (SameText(PageName(i), name)) {
            SetPageIndex(i);
            return;
        }
}

void TNotebook::AddDescribedChild(TComponent* child) {
    if (auto* page = dynamic_cast<TPage*>(child)) {
        InsertPage(page);
        return;
    }
    if (pageIndex_ >= 0 && pageIndex_ < PageCount()) {
        pages_[static_cast<size_t>(pageIndex_)]->AddDescribedChild(child);
        return;
    }
    TCustomControl::AddDescribedChild(child);
}

bool TNotebook::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "PageIndex")) {
        SetPageIndex(value.AsInt());
    } else if (SameText(name, "ActivePage")) {
        SetActivePage(value.AsString());
    } else if (SameText(name, "Pages.Strings")) {
        if (value.kind != PropertyValue::Kind::List) throw Exception("Invalid property value");
        for (const std::string& page : value.items) AddPage(page);
    } else if (SameText(name, "OnPageChanged")) {
        OnPageChanged = FindHandler<void(TObject*)>(value.AsIdent());
    } else {
        return TCustomControl::SetProperty(name, value);
    }
    return true;
}

void TNotebook::Loaded() {
    TCustomControl::Loaded();
    if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() > 0 ? 0 : pageIndex_;
    ShowActive();
}

// =============================================================================================
// TTabPage, TTabbedNotebook

TTabPage::TTabPage(TComponent* owner) : TCustomControl(owner) {
    SetClassName("TTabPage");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetVisible(false);
}

TTabPage::~TTabPage() {
    if (notebook_) notebook_->RemovePage(this);
}

void TTabPage::TextChanged() {
    if (notebook_) notebook_->FillTabs();
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TWinControl(owner) {
    SetClassName("TTabbedNotebook");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetTabStop(true);
    SetBounds(0, 0, 300, 250);
    tabFont_.OnChange = [this] {
        tabFontSet_ = true;
        ApplyTabFont();
    };
}

TTabbedNotebook::~TTabbedNotebook() {
    tabFont_.OnChange = nullptr;
    for (TTabPage* page : pages_) page->notebook_ = nullptr;
    pages_.clear();
}

void TTabbedNotebook::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = WC_TABCONTROLA;
}

void TTabbedNotebook::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyTabFont();
    FillTabs();
    AlignControls();
}

void TTabbedNotebook::FontChanged() {
    TWinControl::FontChanged();
    ApplyTabFont();
}

void TTabbedNotebook::ApplyTabFont() {
    if (!HandleAllocated() || !tabFontSet_) return;
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(tabFont_.Handle()), TRUE);
    AlignControls();
}

void TTabbedNotebook::FillTabs() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < PageCount(); ++i) {
        std::string caption = PageName(i);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        SendMessageA(window, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(pageIndex_), 0);
}

RECT TTabbedNotebook::DisplayRect() const {
    RECT r = ClientRect();
    if (HandleAllocated()) {
        SendMessageA(const_cast<TTabbedNotebook*>(this)->Handle(), TCM_ADJUSTRECT, FALSE,
                     reinterpret_cast<LPARAM>(&r));
    } else {
        // An estimate until the tab control can say: one row of tabs and a thin frame.
        r.left += 4;
        r.top += 24;
        r.right -= 4;
        r.bottom -= 4;
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void TTabbedNotebook::AlignControls() {
    TWinControl::AlignControls();
    RECT r = DisplayRect();
    for (TTabPage* page : pages_)
        page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

TTabPage* TTabbedNotebook::AddPage(const std::string& name) {
    auto* page = new TTabPage(this);
    page->SetCaption(name);
    InsertPage(page);
    return page;
}

void TTabbedNotebook::InsertPage(TTabPage* page) {
    if (page->notebook_ == this) return;
    if (page->notebook_) page->notebook_->RemovePage(page);
    page->notebook_ = this;
    pages_.push_back(page);
    page->SetVisible(static_cast<int>(pages_.size()) - 1 == pageIndex_);
    page->SetParent(this);
    RECT r = DisplayRect();
    page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    FillTabs();
}

void TTabbedNotebook::RemovePage(TTabPage* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->notebook_ = nullptr;
    if (index < pageIndex_ && pageIndex_ > 0) --pageIndex_;
    if (Destroying()) return;
    FillTabs();
    ShowActive();
}

void TTabbedNotebook::ShowActive() {
    if (pageIndex_ >= 0 && pageIndex_ < PageCount()) {
        TTabPage* page = pages_[static_cast<size_t>(pageIndex_)];
        page->Show();
        page->BringToFront();
    }
    for (int i = 0; i < PageCount(); ++i)
        if (i != pageIndex_) pages_[static_cast<size_t>(i)]->Hide();
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(pageIndex_), 0);
}

void TTabbedNotebook::SetPageIndex(int index) {
    if (PageCount() == 0) {
        pageIndex_ = index;  // a description gives the index before the pages
        return;
    }
    if (index < 0 || index >= PageCount() || index == pageIndex_) return;
    pageIndex_ = index;
    ShowActive();
    if (!Loading() && !Destroying()) Click();
}

std::string TTabbedNotebook::ActivePage() const {
    if (pageIndex_ < 0 || pageIndex_ >= PageCount()) return std::string();
    return PageName(pageIndex_);
}

void TTabbedNotebook::SetActivePage(const std::string& name) {
    for (int i = 0; i < PageCount(); ++i)
        if (SameText(PageName(i), name)) {
            SetPageIndex(i);
            return;
        }
}

void TTabbedNotebook::AddDescribedChild(TComponent* child) {
    if (auto* page = dynamic_cast<TTabPage*>(child)) {
        InsertPage(page);
        return;
    }
    if (pageIndex_ >= 0 && pageIndex_ < PageCount()) {
        pages_[static_cast<size_t>(pageIndex_)]->AddDescribedChild(child);
        return;
    }
    TWinControl::AddDescribedChild(child);
}

bool TTabbedNotebook::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY) return TWinControl::ParentNotification(msg, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    result = 0;
    if (header->code != TCN_SELCHANGE) return header->code == TCN_SELCHANGING;
    int chosen = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    bool allow = true;
    Fire(OnChange, this, chosen, allow);
    if (!allow) {
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(pageIndex_), 0);
        return true;
    }
    SetPageIndex(chosen);
    return true;
}

bool TTabbedNotebook::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name.size() > 8 && SameText(name.substr(0, 8), "TabFont.")) {
        return tabFont_.SetProperty(name.substr(8), value);
    } else if (SameText(name, "PageIndex")) {
        SetPageIndex(value.AsInt());
    } else if (SameText(name, "ActivePage")) {
        SetActivePage(value.AsString());
    } else if (SameText(name, "Pages.Strings")) {
        if (value.kind != PropertyValue::Kind::List) throw Exception("Invalid property value");
        for (const std::string& page : value.items) AddPage(page);
    } else if (SameText(name, "TabsPerRow")) {
        value.AsInt();
    } else if (SameText(name, "OnChange")) {
        OnChange = FindHandler<void(TObject*, int, bool&)>(value.AsIdent());
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

void TTabbedNotebook::Loaded() {
    TWinControl::Loaded();
    if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() > 0 ? 0 : pageIndex_;
    ShowActive();
}

}  // namespace gui
