#include "Pages.h"

#include <commctrl.h>

#include <algorithm>

namespace gui {

// =============================================================================================
// TNotebookPage, TPageHost

template <class Book>
TNotebookPage<Book>::~TNotebookPage() {
    if (notebook_) notebook_->RemovePage(this);
}

template <class Book, class Base, class PageType>
TPageHost<Book, Base, PageType>::TPageHost(TComponent* owner) : Base(owner) {
    this->SetControlStyle(this->ControlStyle() | csAcceptsControls);
}

template <class Book, class Base, class PageType>
TPageHost<Book, Base, PageType>::~TPageHost() {
    for (PageType* page : pages_) page->notebook_ = nullptr;
    pages_.clear();
}

template <class Book, class Base, class PageType>
PageType* TPageHost<Book, Base, PageType>::AddPage(const std::string& name) {
    auto* page = new PageType(this);
    page->SetCaption(name);
    InsertPage(page);
    return page;
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::InsertPage(PageType* page) {
    if (page->notebook_ == this) return;
    if (page->notebook_) page->notebook_->RemovePage(page);
    page->notebook_ = static_cast<Book*>(this);
    pages_.push_back(page);
    page->SetVisible(PageCount() - 1 == pageIndex_);
    page->SetParent(this);
    PageInserted(page);
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::RemovePage(TNotebookPage<Book>* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    int index = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->notebook_ = nullptr;
    if (index < pageIndex_ && pageIndex_ > 0) --pageIndex_;
    if (this->Destroying()) return;
    PageRemoved();
    ShowActive();
}

template <class Book, class Base, class PageType>
PageType* TPageHost<Book, Base, PageType>::ShownPage() const {
    if (pageIndex_ < 0 || pageIndex_ >= PageCount()) return nullptr;
    return pages_[static_cast<size_t>(pageIndex_)];
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::ShowActive() {
    if (PageType* shown = ShownPage()) shown->Show();
    for (int i = 0; i < PageCount(); ++i)
        if (i != pageIndex_) Page(i)->Hide();
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::SetPageIndex(int index) {
    if (PageCount() == 0) {
        pageIndex_ = index;  // a description gives the index before the pages
        return;
    }
    if (index < 0 || index >= PageCount() || index == pageIndex_) return;
    pageIndex_ = index;
    ShowActive();
    if (!this->Loading() && !this->Destroying()) PageChanged();
}

template <class Book, class Base, class PageType>
std::string TPageHost<Book, Base, PageType>::ActivePage() const {
    PageType* shown = ShownPage();
    return shown ? shown->Caption() : std::string();
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::SetActivePage(const std::string& name) {
    for (int i = 0; i < PageCount(); ++i)
        if (SameText(PageName(i), name)) {
            SetPageIndex(i);
            return;
        }
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::AddDescribedChild(TComponent* child) {
    if (auto* page = dynamic_cast<PageType*>(child)) {
        InsertPage(page);
    } else if (PageType* shown = ShownPage()) {
        shown->AddDescribedChild(child);
    } else {
        Base::AddDescribedChild(child);
    }
}

template <class Book, class Base, class PageType>
bool TPageHost<Book, Base, PageType>::SetProperty(const std::string& name,
                                                  const PropertyValue& value) {
    if (SameText(name, "PageIndex")) {
        SetPageIndex(value.AsInt());
    } else if (SameText(name, "ActivePage")) {
        SetActivePage(value.AsString());
    } else if (SameText(name, "Pages.Strings")) {
        if (value.kind != PropertyValue::Kind::List) throw Exception("Invalid property value");
        for (const std::string& page : value.items) AddPage(page);
    } else {
        return Base::SetProperty(name, value);
    }
    return true;
}

template <class Book, class Base, class PageType>
void TPageHost<Book, Base, PageType>::Loaded() {
    Base::Loaded();
    if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() > 0 ? 0 : pageIndex_;
    ShowActive();
}

template class TNotebookPage<TNotebook>;
template class TNotebookPage<TTabbedNotebook>;
template class TPageHost<TNotebook, TCustomControl, TPage>;
template class TPageHost<TTabbedNotebook, TWinControl, TTabPage>;

// =============================================================================================
// TPage, TNotebook

TPage::TPage(TComponent* owner) : TNotebookPage(owner) {
    SetClassName("TPage");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(true);
    SetAlign(alClient);
    SetVisible(false);
}

TNotebook::TNotebook(TComponent* owner) : TPageHost(owner) {
    SetClassName("TNotebook");
    SetBounds(0, 0, 150, 150);
}

void TNotebook::PageChanged() {
    Fire(OnPageChanged, this);
}

bool TNotebook::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "OnPageChanged")) {
        BindEvent(OnPageChanged, value);
        return true;
    }
    return TPageHost::SetProperty(name, value);
}

// =============================================================================================
// TTabPage, TTabbedNotebook

TTabPage::TTabPage(TComponent* owner) : TNotebookPage(owner) {
    SetClassName("TTabPage");
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetVisible(false);
}

void TTabPage::TextChanged() {
    // The window keeps the caption once there is one: the tabs read it back from there.
    TNotebookPage::TextChanged();
    if (Notebook()) Notebook()->FillTabs();
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TPageHost(owner) {
    SetClassName("TTabbedNotebook");
    SetTabStop(true);
    SetBounds(0, 0, 300, 250);
    tabFont_.OnChange = [this] {
        tabFontSet_ = true;
        ApplyTabFont();
    };
}

TTabbedNotebook::~TTabbedNotebook() {
    tabFont_.OnChange = nullptr;
}

void TTabbedNotebook::CreateParams(TCreateParams& params) {
    TPageHost::CreateParams(params);
    params.windowClass = WC_TABCONTROLA;
}

void TTabbedNotebook::CreateWnd() {
    TPageHost::CreateWnd();
    ApplyTabFont();
    FillTabs();
    AlignControls();
}

void TTabbedNotebook::FontChanged() {
    TPageHost::FontChanged();
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
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(PageIndex()), 0);
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
    TPageHost::AlignControls();
    RECT r = DisplayRect();
    for (int i = 0; i < PageCount(); ++i)
        Page(i)->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TTabbedNotebook::PageInserted(TTabPage* page) {
    RECT r = DisplayRect();
    page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    FillTabs();
}

void TTabbedNotebook::PageRemoved() {
    FillTabs();
}

void TTabbedNotebook::ShowActive() {
    TPageHost::ShowActive();
    if (TTabPage* shown = ShownPage()) shown->BringToFront();
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(PageIndex()), 0);
}

void TTabbedNotebook::PageChanged() {
    Click();
}

bool TTabbedNotebook::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_NOTIFY) return TPageHost::ParentNotification(msg, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    result = 0;
    if (header->code != TCN_SELCHANGE) return header->code == TCN_SELCHANGING;
    int chosen = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    bool allow = true;
    Fire(OnChange, this, chosen, allow);
    if (!allow) {
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(PageIndex()), 0);
        return true;
    }
    SetPageIndex(chosen);
    return true;
}

bool TTabbedNotebook::SetProperty(const std::string& name, const PropertyValue& value) {
    if (name.size() > 8 && SameText(name.substr(0, 8), "TabFont.")) {
        return tabFont_.SetProperty(name.substr(8), value);
    } else if (SameText(name, "TabsPerRow")) {
        value.AsInt();
    } else if (SameText(name, "OnChange")) {
        BindEvent(OnChange, value);
    } else {
        return TPageHost::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
