// Menu items and popup menus. A popup menu builds its platform menu afresh each time it pops up,
// tracks it with a hidden window of its own as the owner, and hands the owner's measure, draw and
// command messages to the items they concern.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Graphics.h"

namespace gui {

class TImageList;
class TPopupMenu;

// A key with modifier flags, as form descriptions store it (virtual-key code in the low byte).
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
constexpr TShortCut ShortCut(WORD key, TShortCut modifiers) {
    return static_cast<TShortCut>((key & 0xFF) | modifiers);
}
// "Ctrl+S", "Shift+Ctrl+F5", "Del"; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);

// Handlers set the width and height outright; they arrive holding the default measure.
using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the sub-items and leaves the parent item.
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    // A separator is an item whose caption is exactly "-".
    bool IsLine() const { return caption_ == "-"; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Checked() const { return checked_; }
    void SetChecked(bool on) { checked_ = on; }
    bool Default() const { return default_; }
    void SetDefault(bool on) { default_ = on; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }
    // Images for the sub-items of this item, instead of the menu's.
    TImageList* SubMenuImages();
    void SetSubMenuImages(TImageList* images);

    // The image list this item's image comes from: SubMenuImages of the nearest parent item that
    // has one, otherwise the menu's Images; nullptr when there is none.
    TImageList* ImageList();
    // The popup menu this item belongs to, through its parents; nullptr when it is in none.
    TPopupMenu* GetParentMenu();

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    // Sub-items.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);  // leaves its previous parent first
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);  // does not free it
    // This item or a sub-item (any depth) with that command, or nullptr.
    TMenuItem* Find(UINT command);
    // The identifier of this item in the platform menu; unique among living items.
    UINT Command() const { return command_; }

    // Runs OnClick when the item is enabled.
    virtual void Click();

    // Caption, Hint, ShortCut, Enabled, Checked, Default, Visible, ImageIndex, SubMenuImages,
    // Tag, and the bindings OnClick, OnMeasureItem, OnDrawItem.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    // Sub-items of the description.
    void AddDescribedChild(TComponent* child) override;

private:
    friend class TPopupMenu;

    std::string caption_;
    std::string hint_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool default_ = false;
    bool visible_ = true;
    int imageIndex_ = -1;
    TImageList* subMenuImages_ = nullptr;
    std::string subMenuImagesName_;  // resolved through the root when first needed
    intptr_t tag_ = 0;
    UINT command_ = 0;
    TMenuItem* parent_ = nullptr;
    TPopupMenu* menu_ = nullptr;  // only on a menu's root item
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The root item; its sub-items are the menu's top-level items.
    TMenuItem* Items() const { return items_; }

    TImageList* Images();
    void SetImages(TImageList* images);
    // Items draw themselves through OnMeasureItem and OnDrawItem; items without those handlers
    // get the default owner drawing.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool on) { ownerDraw_ = on; }
    // Read by controls that pop the menu up on a right click.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
    TNotifyEvent OnPopup;

    // Shows the menu at a screen position and returns once it has closed. The chosen item's
    // OnClick runs afterwards, when its command message is dispatched. A call while the menu is
    // already open does nothing.
    void Popup(int x, int y);
    bool Tracking() const { return tracking_; }

    // The platform menu of the last Popup (or BuildHandle), and the hidden owner window that
    // receives its messages.
    HMENU Handle() const { return handle_; }
    HWND Window();
    // Builds the platform menu from the items as they are now, replacing the previous one.
    HMENU BuildHandle();

    // The owner's menu messages; each returns false when no item of this menu is concerned.
    bool DispatchCommand(UINT command);
    bool MeasureItem(MEASUREITEMSTRUCT& measure);
    bool DrawItem(const DRAWITEMSTRUCT& draw);
    // Mnemonic of an owner-drawn menu: the MNC_* answer to WM_MENUCHAR.
    LRESULT MenuChar(char key, HMENU menu);
    // The owner window's messages above; false leaves the message to the default handling.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The font menus are drawn with (the desktop's menu font), set on a canvas.
    static void ApplyMenuFont(TFont& font);

    // Images (a component name), OwnerDraw, AutoPopup, OnPopup.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    // Top-level items of the description.
    void AddDescribedChild(TComponent* child) override;

protected:
    // Runs first thing in Popup, before the platform menu is built; raises OnPopup.
    virtual void DoPopup();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HMENU BuildMenu(TMenuItem* parent);
    void DestroyHandle();

    TMenuItem* items_;
    TImageList* images_ = nullptr;
    std::string imagesName_;
    bool ownerDraw_ = false;
    bool autoPopup_ = true;
    bool tracking_ = false;
    HMENU handle_ = nullptr;
    HWND window_ = nullptr;
    // Cleared by the destructor so that a Popup still on the stack (something run inside the
    // menu loop, such as a timer, destroyed the menu) knows not to touch the object again.
    bool* alive_ = nullptr;
};

// The default owner drawing of an item, used when it has no handler of its own.
void DefaultMeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height);
void DefaultDrawItem(TMenuItem* item, TCanvas& canvas, const RECT& rect, bool selected);

}  // namespace gui
