#include "StdCtrls.h"

#include <algorithm>

namespace gui {

namespace detail {

void ChangeStyle(HWND window, LONG_PTR add, LONG_PTR remove) {
    if (!window) return;
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    LONG_PTR changed = (style & ~remove) | add;
    if (changed == style) return;
    SetWindowLongPtrA(window, GWL_STYLE, changed);
    // Frame-affecting bits take effect only after the frame is recalculated.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(window, nullptr, TRUE);
}

TAlignment AlignmentFromValue(const PropertyValue& value) {
    return static_cast<TAlignment>(value.AsEnum({"taLeftJustify", "taRightJustify", "taCenter"}));
}

}  // namespace detail

namespace {

char CharFromValue(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Integer) return static_cast<char>(value.AsInt());
    const std::string& text = value.AsString();
    return text.empty() ? '\0' : text[0];
}

TBorderStyle BorderFromValue(const PropertyValue& value) {
    return value.AsEnum({"bsNone", "bsSingle"}) == 0 ? bsNone : bsSingle;
}

}  // namespace

// =============================================================================================
// TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetClassName("TLabel");
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

UINT TLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    switch (alignment_) {
        case taRightJustify:
            flags |= DT_RIGHT;
            break;
        case taCenter:
            flags |= DT_CENTER;
            break;
        default:
            flags |= DT_LEFT;
            break;
    }
    return flags;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || Loading()) return;
    std::string text = Caption();
    // An empty caption (or a lone accelerator mark) still gets the height of one line.
    if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
    HDC dc = GetDC(nullptr);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              (TextFlags() & ~static_cast<UINT>(DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // A wrapping label keeps its width: narrowing it to the lines of one caption would make
    // every later caption wrap narrower still.
    int width = wordWrap_ ? Width() : r.right;
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - width;
    SetBounds(left, Top(), width, r.bottom);
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    RECT area = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(area);
    }
    canvas.Brush().SetStyle(bsClear);
    std::string text = Caption();
    UINT flags = TextFlags();
    if (layout_ != tlTop) {
        RECT measure = area;
        canvas.DrawText(text, measure, flags | DT_CALCRECT);
        int free = (area.bottom - area.top) - (measure.bottom - measure.top);
        area.top += layout_ == tlCenter ? free / 2 : free;
    }
    DrawCaption(canvas, text, area, flags);
}

void TLabel::DrawCaption(TCanvas& canvas, const std::string& text, RECT area, UINT flags) {
    if (!Enabled()) {
        // The engraved look of disabled text: a light copy one pixel down and right.
        RECT shifted = area;
        OffsetRect(&shifted, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(text, shifted, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(text, area, flags);
}

void TLabel::TextChanged() {
    AdjustBounds();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TLabel::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool on) {
    if (on == transparent_) return;
    transparent_ = on;
    Invalidate();
}

void TLabel::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    AdjustBounds();
}

void TLabel::SetShowAccelChar(bool on) {
    if (on == showAccelChar_) return;
    showAccelChar_ = on;
    AdjustBounds();
    Invalidate();
}

bool TLabel::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Alignment")) {
        SetAlignment(detail::AlignmentFromValue(value));
    } else if (SameText(name, "Layout")) {
        SetLayout(static_cast<TTextLayout>(value.AsEnum({"tlTop", "tlCenter", "tlBottom"})));
    } else if (SameText(name, "WordWrap")) {
        SetWordWrap(value.AsBool());
    } else if (SameText(name, "Transparent")) {
        SetTransparent(value.AsBool());
    } else if (SameText(name, "AutoSize")) {
        SetAutoSize(value.AsBool());
    } else if (SameText(name, "ShowAccelChar")) {
        SetShowAccelChar(value.AsBool());
    } else if (SameText(name, "FocusControl")) {
        value.AsIdent();  // accelerators of labels are not used
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

// =============================================================================================
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetClassName("TCustomEdit");
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "EDIT";
    if (readOnly_) params.style |= ES_READONLY;
    if (borderStyle_ == bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    changeText_ = Text();
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(selStart_),
                 static_cast<LPARAM>(selStart_ + selLength_));
}

void TCustomEdit::SetMaxLength(int length) {
    if (length < 0) length = 0;
    maxLength_ = length;
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

void TCustomEdit::SetReadOnly(bool on) {
    readOnly_ = on;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

int TCustomEdit::SelStart() {
    if (!HandleAllocated()) return selStart_;
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
    if (!HandleAllocated()) return selLength_;
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) {
    selStart_ = std::max(0, start);
    selLength_ = 0;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(selStart_),
                     static_cast<LPARAM>(selStart_));
}

void TCustomEdit::SetSelLength(int length) {
    int start = SelStart();
    selStart_ = start;
    selLength_ = std::max(0, length);
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(start + selLength_));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
    if (Destroying() || Loading()) return;
    std::string now = Text();
    if (now == changeText_) return;
    changeText_ = now;
    Fire(OnChange, this);
}

bool TCustomEdit::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        Change();
        result = 0;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC && !Enabled()) return false;  // the system's greyed look
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

bool TCustomEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "MaxLength")) {
        SetMaxLength(value.AsInt());
    } else if (SameText(name, "ReadOnly")) {
        SetReadOnly(value.AsBool());
    } else if (SameText(name, "BorderStyle")) {
        SetBorderStyle(BorderFromValue(value));
    } else if (SameText(name, "OnChange")) {
        BindEvent(OnChange, value);
    } else if (SameText(name, "AutoSelect") || SameText(name, "AutoSize") ||
               SameText(name, "HideSelection")) {
        value.AsBool();  // behaviours of the system's edit control as it stands
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TEdit

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {
    SetClassName("TEdit");
}

void TEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_AUTOHSCROLL;
    if (passwordChar_) params.style |= ES_PASSWORD;
}

void TEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    if (passwordChar_)
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
}

void TEdit::SetPasswordChar(char c) {
    if (c == passwordChar_) return;
    passwordChar_ = c;
    if (HandleAllocated()) {
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
        Invalidate();
    }
}

bool TEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "PasswordChar")) {
        SetPasswordChar(CharFromValue(value));
        return true;
    }
    return TCustomEdit::SetProperty(name, value);
}

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {
    SetClassName("TMaskEdit");
}

bool TMaskEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "EditMask")) {
        editMask_ = value.AsString();
        return true;
    }
    return TEdit::SetProperty(name, value);
}

// =============================================================================================
// TMemo

// Keeps Lines a view of the memo's one text: the list reads the text before every use, and each
// change of the list is written back as a whole text.
class TMemo::LinesLink : public TStringsLink {
public:
    explicit LinesLink(TMemo* memo) : memo_(memo) {}

    void Refresh(std::vector<std::string>& items) override { items = SplitLines(memo_->Text()); }
    void Inserted(int index, const std::string& text) override {
        std::vector<std::string> lines = SplitLines(memo_->Text());
        lines.insert(lines.begin() + std::min<size_t>(static_cast<size_t>(index), lines.size()),
                     text);
        memo_->SetText(JoinLines(lines));
    }
    void Deleted(int index) override {
        std::vector<std::string> lines = SplitLines(memo_->Text());
        if (static_cast<size_t>(index) < lines.size()) lines.erase(lines.begin() + index);
        memo_->SetText(JoinLines(lines));
    }
    void Replaced(int index, const std::string& text) override {
        std::vector<std::string> lines = SplitLines(memo_->Text());
        if (static_cast<size_t>(index) < lines.size()) lines[static_cast<size_t>(index)] = text;
        memo_->SetText(JoinLines(lines));
    }
    void Reset(const std::vector<std::string>& items) override { memo_->SetText(JoinLines(items)); }

private:
    TMemo* memo_;
};

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), link_(std::make_unique<LinesLink>(this)) {
    SetClassName("TMemo");
    lines_.SetLink(link_.get());
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() {
    lines_.SetLink(nullptr);
}

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (wantReturns_) params.style |= ES_WANTRETURN;
    if (!wordWrap_) params.style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle style) {
    if (style == scrollBars_) return;
    scrollBars_ = style;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    RecreateWnd();  // the edit control fixes its wrapping when it is made
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE) {
        LRESULT code = TCustomEdit::WndProc(msg, wParam, lParam);
        if (!wantTabs_) code &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (wantReturns_) code |= DLGC_WANTALLKEYS;
        return code;
    }
    if (msg == WM_CHAR && wParam == '\t' && !wantTabs_) return 0;
    return TCustomEdit::WndProc(msg, wParam, lParam);
}

bool TMemo::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Lines.Strings")) {
        lines_.SetProperty("Strings", value);
    } else if (SameText(name, "ScrollBars")) {
        SetScrollBars(static_cast<TScrollStyle>(
            value.AsEnum({"ssNone", "ssHorizontal", "ssVertical", "ssBoth"})));
    } else if (SameText(name, "WordWrap")) {
        SetWordWrap(value.AsBool());
    } else if (SameText(name, "WantTabs")) {
        SetWantTabs(value.AsBool());
    } else if (SameText(name, "WantReturns")) {
        wantReturns_ = value.AsBool();
    } else {
        return TCustomEdit::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetClassName("TButton");
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "BUTTON";
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool on) {
    if (on == default_) return;
    default_ = on;
    if (!HandleAllocated()) return;
    // A button that draws itself keeps its type; it shows the default mark in its drawing.
    LONG_PTR type = GetWindowLongPtrA(Handle(), GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    else
        Invalidate();
}

void TButton::Press() {
    if (Enabled() && !Destroying()) Click();
}

bool TButton::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

bool TButton::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Default")) {
        SetDefault(value.AsBool());
    } else if (SameText(name, "Cancel")) {
        SetCancel(value.AsBool());
    } else if (SameText(name, "ModalResult")) {
        if (value.kind == PropertyValue::Kind::Integer)
            SetModalResult(value.AsInt());
        else
            SetModalResult(value.AsEnum({"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry",
                                         "mrIgnore", "mrYes", "mrNo", "mrAll"}));
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

// =============================================================================================
// TButtonControl, TCheckBox, TRadioButton

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetClassName("TButtonControl");
    SetTabStop(true);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.windowClass = "BUTTON";
    if (alignment_ == taLeftJustify) params.style |= BS_LEFTTEXT;
    if (wordWrap_) params.style |= BS_MULTILINE;
}

void TButtonControl::CreateWnd() {
    TWinControl::CreateWnd();
    ShowCheck();
}

void TButtonControl::ShowCheck() {
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TButtonControl::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    RecreateWnd();
}

bool TButtonControl::ParentNotification(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_COMMAND) {
        // Double clicks reach OnDblClick through the mouse messages themselves.
        if (HIWORD(wParam) == BN_CLICKED) Toggle();
        result = 0;
        return true;
    }
    return TWinControl::ParentNotification(msg, wParam, lParam, result);
}

bool TButtonControl::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Checked")) {
        SetChecked(value.AsBool());
    } else if (SameText(name, "State")) {
        SetChecked(value.AsEnum({"cbUnchecked", "cbChecked", "cbGrayed"}) == cbChecked);
    } else if (SameText(name, "Alignment")) {
        SetAlignment(detail::AlignmentFromValue(value));
    } else if (SameText(name, "WordWrap")) {
        SetWordWrap(value.AsBool());
    } else if (SameText(name, "AllowGrayed")) {
        value.AsBool();
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetClassName("TCheckBox");
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= BS_CHECKBOX;
}

void TCheckBox::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    ShowCheck();
    if (!Loading() && !Destroying()) Click();
}

void TCheckBox::Toggle() {
    SetChecked(!checked_);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetClassName("TRadioButton");
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.style |= BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    ShowCheck();
    if (!on) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!Loading() && !Destroying()) Click();
}

void TRadioButton::Toggle() {
    SetChecked(true);
}

}  // namespace gui
