// List boxes and combo boxes. Their items live in a TStrings that the control mirrors into its
// window, so the items (and a list box's selection) work the same with or without a window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Control.h"
#include "StringList.h"

namespace gui {

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings& Items() { return items_; }
    // The focused item with MultiSelect, the selected one without; -1 for none.
    int ItemIndex();
    void SetItemIndex(int index);
    bool Selected(int index);
    void SetSelected(int index, bool selected);
    int SelCount();
    void ClearSelection();
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool on);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool on) { items_.SetSorted(on); }
    void Clear() { items_.Clear(); }

    // Items.Strings, ItemIndex, MultiSelect, ExtendedSelect, Sorted, BorderStyle, ItemHeight,
    // IntegralHeight and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    class ItemsLink;
    friend class ItemsLink;
    void ReadSelection();
    void SelectionFitsItems();
    bool Live() { return HandleAllocated(); }

    TStrings items_;
    std::unique_ptr<ItemsLink> link_;
    // The selection while there is no window (and kept when the window goes).
    std::vector<char> selected_;
    int itemIndex_ = -1;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    TBorderStyle borderStyle_ = bsSingle;
};

// Kinds of directory entries a file list shows.
using TFileType = unsigned;
constexpr TFileType ftReadOnly = 1, ftHidden = 2, ftSystem = 4, ftVolumeID = 8, ftDirectory = 16,
                    ftArchive = 32, ftNormal = 64;

// A list box of the names of one folder's files that match a mask, sorted by name.
class TFileListBox : public TListBox {
public:
    explicit TFileListBox(TComponent* owner);

    // The folder; a folder that cannot be listed raises Exception and leaves the list empty.
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& folder);
    // One or more patterns separated by ";" ("*.txt;*.ini"); a name matching several is listed
    // once.
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    // Which entries show: normal files, and those with the attributes named.
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType types);
    // Reads the folder again.
    void ReadFileNames();

    // Directory, Mask, FileType and the list box's properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

private:
    std::string directory_;
    std::string mask_ = "*.*";
    TFileType fileType_ = ftNormal;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStrings& Items() { return items_; }
    int ItemIndex();
    // Selecting an item shows its text; -1 leaves a drop-down's typed text empty.
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count < 1 ? 1 : count; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool on) { items_.SetSorted(on); }
    // In a drop-down list the text is the selected item's; setting a text selects the item that
    // has it (case-insensitive), or none.
    std::string Text() const override;
    bool DroppedDown();
    void SetDroppedDown(bool on);

    // Items.Strings, ItemIndex, Style, DropDownCount, MaxLength, Sorted, ItemHeight, OnChange,
    // OnDropDown and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void SetBounds(int left, int top, int width, int height) override;

    // The text changed by typing or by choosing an item (not when code sets it).
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void TextChanged() override;

private:
    class ItemsLink;
    friend class ItemsLink;
    friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Change();
    void HookEdit();
    int ListHeight() const;

    TStrings items_;
    std::unique_ptr<ItemsLink> link_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    HWND edit_ = nullptr;
    bool settingText_ = false;
};

}  // namespace gui
