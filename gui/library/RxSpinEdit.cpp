#include <windows.h>

#include "RxSpinEdit.h"
// (the common controls need the types of windows.h first)
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace gui {

namespace {

// Whole numbers of a description, which writes them as integers or as floats.
int64_t WholeNumber(const PropertyValue& value) {
    if (value.kind == PropertyValue::Kind::Float) {
        if (!(std::fabs(value.real) < 9.2e18) || value.real != std::floor(value.real))
            throw Exception("Invalid property value");
        return static_cast<int64_t>(value.real);
    }
    if (value.kind != PropertyValue::Kind::Integer) throw Exception("Invalid property value");
    return value.integer;
}

// The number at the start of the text (optional sign, then digits); long runs of digits stop
// at the largest number rather than wrap.
int64_t ParseNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative || (i < text.size() && text[i] == '+')) ++i;
    const int64_t limit = std::numeric_limits<int64_t>::max() / 10;
    int64_t number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (number > limit) {
            number = std::numeric_limits<int64_t>::max();
            break;
        }
        number = number * 10 + (text[i] - '0');
    }
    return negative ? -number : number;
}

int64_t SaturatingAdd(int64_t a, int64_t b) {
    if (b > 0 && a > std::numeric_limits<int64_t>::max() - b)
        return std::numeric_limits<int64_t>::max();
    if (b < 0 && a < std::numeric_limits<int64_t>::min() - b)
        return std::numeric_limits<int64_t>::min();
    return a + b;
}

}  // namespace

TRxSpinEdit::TRxSpinEdit(TComponent* owner) : TInsetEdit(owner) {
    SetClassName("TRxSpinEdit");
    text_ = "0";
}

int64_t TRxSpinEdit::Clamp(int64_t value) const {
    if (!Ranged()) return value;
    return std::max(minValue_, std::min(value, std::max(minValue_, maxValue_)));
}

int64_t TRxSpinEdit::Value() const {
    return Clamp(ParseNumber(Text()));
}

void TRxSpinEdit::SetValue(int64_t value) {
    std::string text = std::to_string(Loading() ? value : Clamp(value));
    if (text != Text()) SetText(text);
}

void TRxSpinEdit::SetMinValue(int64_t value) {
    minValue_ = value;
    if (!Loading()) ClampText();
}

void TRxSpinEdit::SetMaxValue(int64_t value) {
    maxValue_ = value;
    if (!Loading()) ClampText();
}

void TRxSpinEdit::ClampText() {
    SetValue(Value());
}

void TRxSpinEdit::Step(int direction) {
    SetValue(SaturatingAdd(Value(), direction < 0 ? -increment_ : increment_));
}

void TRxSpinEdit::Loaded() {
    TInsetEdit::Loaded();
    ClampText();
}

HWND TRxSpinEdit::CreateInset(HWND edit) {
    UseCommonControls();
    HWND arrows = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, edit,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    // The arrows keep no value of their own: each press is a step, refused at their position in
    // the middle of a range they never reach the end of.
    SendMessageA(arrows, UDM_SETRANGE32, 0, 100);
    SendMessageA(arrows, UDM_SETPOS32, 0, 50);
    return arrows;
}

int TRxSpinEdit::InsetWidth(int) const {
    return GetSystemMetrics(SM_CXVSCROLL);
}

void TRxSpinEdit::KeyPress(char& key) {
    TInsetEdit::KeyPress(key);
    bool control = static_cast<unsigned char>(key) < 32;
    bool digit = key >= '0' && key <= '9';
    bool sign = key == '-' && (!Ranged() || minValue_ < 0);
    if (!control && !digit && !sign) key = 0;
}

void TRxSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    TInsetEdit::KeyDown(key, shift);
    if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP ? 1 : -1);
        key = 0;
    }
}

LRESULT TRxSpinEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (UpDownHandle() && header->hwndFrom == UpDownHandle()) {
                if (header->code == UDN_DELTAPOS) {
                    int delta = reinterpret_cast<NMUPDOWN*>(lParam)->iDelta;
                    if (delta != 0 && !ReadOnly() && Enabled()) Step(delta > 0 ? 1 : -1);
                    return 1;
                }
                return 0;
            }
            break;
        }
        case WM_VSCROLL:
            if (UpDownHandle() && reinterpret_cast<HWND>(lParam) == UpDownHandle()) return 0;
            break;
        case WM_KILLFOCUS:
            ClampText();
            break;
        default:
            break;
    }
    return TInsetEdit::WndProc(msg, wParam, lParam);
}

bool TRxSpinEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Value")) {
        SetValue(WholeNumber(value));
    } else if (SameText(name, "MinValue")) {
        SetMinValue(WholeNumber(value));
    } else if (SameText(name, "MaxValue")) {
        SetMaxValue(WholeNumber(value));
    } else if (SameText(name, "Increment")) {
        SetIncrement(WholeNumber(value));
    } else {
        return TInsetEdit::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
