// Page controls: the notebook (pages without tabs, one shown at a time, chosen by code) and the
// tabbed notebook (the same with a row of tabs the user picks pages with). Pages are parents:
// the controls described inside a page become its children and show only with it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Control.h"

namespace gui {

template <class Book, class Base, class PageType>
class TPageHost;

// What both kinds of page share: the notebook they lie on, which they leave when they are
// destroyed before it.
template <class Book>
class TNotebookPage : public TCustomControl {
public:
    ~TNotebookPage() override;
    Book* Notebook() const { return notebook_; }

protected:
    explicit TNotebookPage(TComponent* owner) : TCustomControl(owner) {}

private:
    template <class, class, class>
    friend class TPageHost;
    Book* notebook_ = nullptr;
};

// What both notebooks share: the pages in order, the index of the one shown, and the routing
// of described controls onto it. Book is the notebook itself, Base the control it is made of.
// Each notebook says how it shows the chosen page and what a change of page runs.
template <class Book, class Base, class PageType>
class TPageHost : public Base {
public:
    explicit TPageHost(TComponent* owner);
    ~TPageHost() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    PageType* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    std::string PageName(int index) const { return Page(index)->Caption(); }
    // Adds a page (owned by the notebook) at the end.
    PageType* AddPage(const std::string& name);
    // Takes a page made elsewhere (a form description's) as the last page.
    void InsertPage(PageType* page);

    int PageIndex() const { return pageIndex_; }
    // Shows that page alone. A change of page runs the notebook's event before returning; an
    // index outside the pages, or the page already shown, changes nothing.
    void SetPageIndex(int index);
    // The shown page's name; setting a name (case-insensitive) shows the first page of that
    // name, an unknown name changes nothing.
    std::string ActivePage() const;
    void SetActivePage(const std::string& name);

    // Pages become pages; any other control goes onto the page shown.
    void AddDescribedChild(TComponent* child) override;
    // PageIndex, ActivePage, Pages.Strings (pages by name) and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

protected:
    // The shown page, or none while the index lies outside the pages.
    PageType* ShownPage() const;
    // Shows the chosen page before hiding the others, so that the notebook never shows empty.
    virtual void ShowActive();
    // After a page has joined, and after one has left while the notebook is not being destroyed.
    virtual void PageInserted(PageType*) {}
    virtual void PageRemoved() {}
    // After a change of page made outside loading and destruction.
    virtual void PageChanged() = 0;

private:
    friend class TNotebookPage<Book>;
    void RemovePage(TNotebookPage<Book>* page);

    std::vector<PageType*> pages_;
    int pageIndex_ = 0;
};

class TNotebook;
class TTabbedNotebook;

// One page of a notebook; its caption is the page's name, which the page does not draw.
class TPage : public TNotebookPage<TNotebook> {
public:
    explicit TPage(TComponent* owner);
};

class TNotebook : public TPageHost<TNotebook, TCustomControl, TPage> {
public:
    explicit TNotebook(TComponent* owner);

    // OnPageChanged, and what every notebook takes.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    TNotifyEvent OnPageChanged;

protected:
    void PageChanged() override;
};

// A page of a tabbed notebook; its caption is the tab's text.
class TTabPage : public TNotebookPage<TTabbedNotebook> {
public:
    explicit TTabPage(TComponent* owner);

protected:
    void TextChanged() override;
};

// Fires before a tab the user picked is shown; clearing allowChange keeps the page shown.
using TPageChangeEvent = std::function<void(TObject* sender, int newTab, bool& allowChange)>;

// Selects the chosen page's tab along with the page; OnClick runs after a change of page.
class TTabbedNotebook : public TPageHost<TTabbedNotebook, TWinControl, TTabPage> {
public:
    explicit TTabbedNotebook(TComponent* owner);
    ~TTabbedNotebook() override;

    // The font of the tabs (the pages use the control's Font).
    TFont& TabFont() { return tabFont_; }

    // The area the pages fill, in client coordinates.
    RECT DisplayRect() const;

    // TabFont.*, TabsPerRow, OnChange, and what every notebook takes.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void AlignControls() override;

    TPageChangeEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void FontChanged() override;
    void ShowActive() override;
    void PageInserted(TTabPage* page) override;
    void PageRemoved() override;
    void PageChanged() override;

private:
    friend class TTabPage;
    void FillTabs();
    void ApplyTabFont();

    TFont tabFont_;
    bool tabFontSet_ = false;
};

// Both notebooks are made once, in Pages.cpp.
extern template class TNotebookPage<TNotebook>;
extern template class TNotebookPage<TTabbedNotebook>;
extern template class TPageHost<TNotebook, TCustomControl, TPage>;
extern template class TPageHost<TTabbedNotebook, TWinControl, TTabPage>;

}  // namespace gui
