// The list view: items with a caption and an image, shown as a list or as report rows. The items
// live in the control; while it has a window, the window holds their selection.
#pragma once

#include <windows.h>
// (the common controls need the types of windows.h first)
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Control.h"
#include "ImageList.h"

namespace gui {

class TListView;
class TListItems;

class TListItem {
public:
    TListItem(TListItems* owner) : owner_(owner) {}
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Selected() const;
    void SetSelected(bool selected);
    bool Focused() const;
    void SetFocused(bool focused);
    // Texts of the further report columns.
    std::vector<std::string>& SubItems() { return subItems_; }
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    int Index() const;
    TListView* ListView() const;
    // Removes the item from its list view and frees it.
    void Delete();
    // Shows the item's current caption, image and sub-items in the window.
    void Update();

private:
    friend class TListItems;
    friend class TListView;

    // The item's index while its list view has a window (which then holds the selection and
    // focus), else -1.
    int WindowIndex() const;

    TListItems* owner_;
    std::string caption_;
    int imageIndex_ = -1;
    std::vector<std::string> subItems_;
    void* data_ = nullptr;
    bool selected_ = false;  // while the list view has no window
    bool focused_ = false;
};

class TListItems {
public:
    explicit TListItems(TListView* view) : view_(view) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // An index outside the list raises Exception("List index out of bounds (n)").
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    // An item with its caption and image, shown in one step: set one after the other, each makes
    // the window measure its items again, which grows with the list.
    TListItem* Add(const std::string& caption, int imageIndex);
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    TListView* Owner() const { return view_; }

    // Changes between BeginUpdate and EndUpdate are not drawn one by one.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    friend class TListItem;

    TListView* view_;
    std::vector<std::unique_ptr<TListItem>> items_;
    int updateCount_ = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

struct TListColumn {
    std::string caption;
    int width = 50;
};

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListItems& Items() { return items_; }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool on);
    // May change at any time; going to single selection keeps only the first selected item.
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // The image lists are not owned. Form descriptions name them; the names are resolved on
    // the form when the window needs them.
    TImageList* SmallImages();
    void SetSmallImages(TImageList* images);
    TImageList* LargeImages();
    void SetLargeImages(TImageList* images);

    // Report columns. A report view without columns gets one as wide as the control.
    const std::vector<TListColumn>& Columns() const { return columns_; }
    void AddColumn(const std::string& caption, int width);
    void ClearColumns();

    // The first selected item, or nullptr.
    TListItem* Selected();
    int SelCount();
    TListItem* ItemFocused();
    int ItemIndex();
    void SetItemIndex(int index);
    void ClearSelection();
    void SelectAll();
    // The item at a point of the client area, or nullptr.
    TListItem* GetItemAt(int x, int y);
    // The client rectangle of an item (empty without a window).
    RECT ItemRect(int index);

    // ViewStyle, RowSelect, MultiSelect, HideSelection, ReadOnly, ShowColumnHeaders,
    // BorderStyle, SmallImages, LargeImages, OnSelectItem and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Loaded() override;

    // Fires for each item whose selection changed, by the user or from code.
    TLVSelectItemEvent OnSelectItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void BoundsChanged() override;

private:
    friend class TListItem;
    friend class TListItems;

    void InsertIntoWindow(int index);
    void ShowItem(int index);
    // The texts of the further columns, after the item's own row is in the window.
    void ShowSubItems(int index, const TListItem& item);
    void ApplyImages();
    void ApplyColumns();
    void ApplyExtendedStyle();
    void ReadSelection();
    bool ItemState(int index, UINT mask);
    void SetItemState(int index, UINT state, UINT mask);
    LONG_PTR ViewStyleBits() const;

    TListItems items_;
    TViewStyle viewStyle_ = vsIcon;
    bool rowSelect_ = false;
    bool multiSelect_ = false;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool showColumnHeaders_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TImageList* smallImages_ = nullptr;
    TImageList* largeImages_ = nullptr;
    std::string smallImagesName_;
    std::string largeImagesName_;
    std::vector<TListColumn> columns_;
    bool autoColumn_ = false;
    // Selection changes made from code while the window is being filled are not events.
    int quiet_ = 0;
};

}  // namespace gui
