// The basic standard controls: labels, edit boxes, memos, push buttons, check boxes and radio
// buttons. Edit boxes and buttons are the system's own controls subclassed by TWinControl; the
// label is painted by its parent.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "Control.h"
#include "StringList.h"

namespace gui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Text on the parent's surface. A label never has a window, so a hidden one is a plain string
// store that costs nothing.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    // A transparent label leaves the parent's background under its text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // With AutoSize the label takes the size of its text: the whole size on one line, only the
    // height when it wraps. A right-aligned label keeps its right edge.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // "&" marks the next character as the accelerator, "&&" is one "&".
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);

    // Caption, Alignment, Layout, WordWrap, Transparent, AutoSize, ShowAccelChar and the
    // control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    // The DrawText flags the label paints with.
    UINT TextFlags() const;

protected:
    void Paint() override;
    // Draws the caption into the area the layout gives it, after the background; the default
    // gives a disabled label its engraved look.
    virtual void DrawCaption(TCanvas& canvas, const std::string& text, RECT area, UINT flags);
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
};

// The shared part of edit boxes and memos.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // 0: no limit. Applies to what the user types; text set from code may be longer.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    int SelStart();
    int SelLength();
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SelectAll();
    void Clear() { SetText(""); }

    // MaxLength, ReadOnly, BorderStyle, OnChange and the control's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Fires after the text changed, by typing or from code.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Change();

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    // The text at the last change event: the system may report a change that changed nothing
    // (a key refused at the length limit).
    std::string changeText_;
    int selStart_ = 0;
    int selLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);

    // The character shown in place of each typed one; 0 shows the text.
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char c);

    // PasswordChar (a character or its code) and the edit's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    char passwordChar_ = 0;
};

// An edit box with an input mask in the class library. The masks in use here are empty, so it is
// an edit box that accepts (and ignores) EditMask.
class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TComponent* owner);
    const std::string& EditMask() const { return editMask_; }
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

private:
    std::string editMask_;
};

// Several lines of text. Lines and Text are two views of one text: Lines splits it at the line
// breaks, Text holds them as CR LF.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    TStrings& Lines() { return lines_; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool on) { wantTabs_ = on; }

    // Lines.Strings, ScrollBars, WordWrap, WantTabs, WantReturns and the edit's properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    class LinesLink;
    friend class LinesLink;

    TStrings lines_;
    std::unique_ptr<LinesLink> link_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantTabs_ = false;
    bool wantReturns_ = true;
};

// The push button. Default and Cancel mark the buttons that Enter and Escape press on a form.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Runs OnClick, as a press of the button does; a disabled button does nothing.
    void Press();

    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Check boxes and radio buttons: a check mark that the control keeps itself, so that setting it
// from code and clicking it behave alike.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner);

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool on) = 0;
    // taRightJustify (the default) puts the caption right of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);

    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    bool ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateWnd() override;
    void CreateParams(TCreateParams& params) override;
    // A click on the control itself (the system's BN_CLICKED).
    virtual void Toggle() = 0;
    void ShowCheck();

    bool checked_ = false;

private:
    TAlignment alignment_ = taRightJustify;
    bool wordWrap_ = false;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);

    // A change of the check mark, from code or by the user, runs OnClick (not while loading).
    void SetChecked(bool on) override;
    TCheckBoxState State() const { return checked_ ? cbChecked : cbUnchecked; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Toggle() override;
};

// Radio buttons with the same parent form one group: checking one clears the others.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);

    // Checking runs OnClick (not while loading); clearing does not, and neither does checking a
    // button that is checked already.
    void SetChecked(bool on) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Toggle() override;
};

// Helpers shared by the control units.
namespace detail {
// Adds and removes window style bits of a live window.
void ChangeStyle(HWND window, LONG_PTR add, LONG_PTR remove);
// A property value that names a TAlignment.
TAlignment AlignmentFromValue(const PropertyValue& value);
}  // namespace detail

}  // namespace gui
