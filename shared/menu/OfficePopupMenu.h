// A popup menu that draws its top-level items itself in an office look: an image gutter, bold
// captions with right-aligned shortcuts, an optional hint line, a gradient selection inside a
// rounded outline, and separators that may carry a title.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Graphics.h"
#include "Menu.h"
#include "MenuAppearance.h"

class TOfficePopupMenu : public gui::TPopupMenu {
public:
    // Design off, style msDefault, an appearance object of its own holding that preset.
    explicit TOfficePopupMenu(gui::TComponent* owner);
    ~TOfficePopupMenu() override;

    bool OfficeDesign() const { return officeDesign_; }
    // Applies or removes the design at once.
    void SetOfficeDesign(bool on);

    // The menu's own appearance object; it lives as long as the menu.
    TMenuAppearance* Appearance() const { return appearance_.get(); }
    // Copies the values of `appearance` into the menu's own object, so the menu never shares,
    // frees or leaks an object someone else holds. nullptr changes nothing.
    void SetAppearance(const TMenuAppearance* appearance);

    TMenuStyle Style() const { return style_; }
    // Stores the style and applies its preset to the appearance, also when it is unchanged.
    void SetStyle(TMenuStyle style);

    // Pops the menu up at the mouse cursor.
    void PopupAtCursor();

    // Switches owner drawing on and gives every top-level item the separator or office handlers
    // (a caption of exactly "-" is a separator). Sub-items are left alone.
    void ApplyOfficeDesign();
    // Switches owner drawing off and clears the measure and draw handlers of every top-level
    // item, whoever set them.
    void RemoveOfficeDesign();

    // The item handlers. They read the appearance afresh on each call; a measure handler sets the
    // width and height outright.
    void MeasureSeparatorItem(gui::TObject* sender, gui::TCanvas* canvas, int& width, int& height);
    void DrawSeparatorItem(gui::TObject* sender, gui::TCanvas* canvas, const RECT& rect,
                           bool selected);
    void MeasureOfficeMenuItem(gui::TObject* sender, gui::TCanvas* canvas, int& width, int& height);
    void DrawOfficeMenuItem(gui::TObject* sender, gui::TCanvas* canvas, const RECT& rect,
                            bool selected);

    // Fills the rectangle with `steps` stripes from `start` to `end`: horizontal stripes from
    // the top for direction 0, vertical ones from the left otherwise. False, drawing nothing,
    // for fewer than one step.
    static bool FillGradientRect(HDC dc, const RECT& rect, int steps, gui::TColor start,
                                 gui::TColor end, int direction);

    // OfficeDesign, Style, and the appearance values as "Appearance.MarginX" etc. (written into
    // the menu's own object), besides those of a popup menu.
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;

protected:
    // Re-applies the current design state before each popup, so items added or re-captioned
    // while the menu was closed get the matching handlers. Unlike the base class it does not
    // raise OnPopup.
    void DoPopup() override;

private:
    bool officeDesign_ = false;
    std::unique_ptr<TMenuAppearance> appearance_;
    TMenuStyle style_ = msDefault;
};
