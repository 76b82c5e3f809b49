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

class TNotebook;
class TTabbedNotebook;

// One page of a notebook; its caption is the page's name.
class TPage : public TCustomControl {
public:
    explicit TPage(TComponent* owner);
    ~TPage() override;
    TNotebook* Notebook() const { return notebook_; }

protected:
    void TextChanged() override;

private:
    friend class TNotebook;
    TNotebook* notebook_ = nullptr;
};

class TNotebook : public TCustomControl {
public:
    explicit TNotebook(TComponent* owner);
    ~TNotebook() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TPage* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    std::string PageName(int index) const { return Page(index)->Caption(); }
    // Adds a page (owned by the notebook) at the end.
    TPage* AddPage(const std::string& name);
    // Takes a page made elsewhere (a form description's) as the last page.
    void InsertPage(TPage* page);

    int PageIndex() const { return pageIndex_; }
    // Shows that page alone. A change of page runs OnPageChanged before returning; an index
    // outside the pages, or the page already shown, changes nothing.
    void SetPageIndex(int index);
    // The shown page's name; setting a name (case-insensitive) shows the first page of that
    // name, an unknown name changes nothing.
    std::string ActivePage() const;
    void SetActivePage(const std::string& name);

    // Pages become pages; any other control goes onto the page shown.
    void AddDescribedChild(TComponent* child) override;
    // PageIndex, ActivePage, Pages.Strings (pages by name), OnPageChanged and the control's own
    // properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    TNotifyEvent OnPageChanged;

private:
    friend class TPage;
    void RemovePage(TPage* page);
    void ShowActive();

    std::vector<TPage*> pages_;
    int pageIndex_ = 0;
};

// A page of a tabbed notebook; its caption is the tab's text.
class TTabPage : public TCustomControl {
public:
    explicit TTabPage(TComponent* owner);
    ~TTabPage() override;
    TTabbedNotebook* Notebook() const { return notebook_; }

protected:
    void TextChanged() override;

private:
    friend class TTabbedNotebook;
    TTabbedNotebook* notebook_ = nullptr;
};

// Fires before a tab the user picked is shown; clearing allowChange keeps the page shown.
using TPageChangeEvent = std::function<void(TObject* sender, int newTab, bool& allowChange)>;

class TTabbedNotebook : public TWinControl {
public:
    explicit TTabbedNotebook(TComponent* owner);
    ~TTabbedNotebook() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabPage* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    std::string PageName(int index) const { return Page(index)->Caption(); }
    TTabPage* AddPage(const std::string& name);
    void InsertPage(TTabPage* page);

    int PageIndex() const { return pageIndex_; }
    // Shows that page and selects its tab; OnClick runs after a change of page.
    void SetPageIndex(int index);
    std::string ActivePage() const;
    void SetActivePage(const std::string& name);
    // The font of the tabs (the pages use the control's Font).
    TFont& TabFont() { return tabFont_; }

    // The area the pages fill, in client coordinates.
    RECT DisplayRect() const;

    void AddDescribedChild(TComponent* child) override;
    // PageIndex, ActivePage, Pages.Strings, TabFont.*, TabsPerRow, OnChange and the control's
    // own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void AlignControls() override;
    void Loaded() override;

    TPageChangeEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void FontChanged() override;

private:
    friend class TTabPage;
    void RemovePage(TTabPage* page);
    void ShowActive();
    void FillTabs();
    void ApplyTabFont();

    std::vector<TTabPage*> pages_;
    int pageIndex_ = 0;
    TFont tabFont_;
    bool tabFontSet_ = false;
};

}  // namespace gui
