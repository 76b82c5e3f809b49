// A whole-number edit box with up and down arrows. The arrows and the Up and Down keys step the
// value by Increment; typed text may leave the range while it is being typed and is brought back
// into it when the edit loses the focus, and whenever Value is read.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "InsetEdit.h"

namespace gui {

class TRxSpinEdit : public TInsetEdit {
public:
    explicit TRxSpinEdit(TComponent* owner);

    // The number the text stands for, held to MinValue..MaxValue. A text without digits counts
    // as 0 before that.
    int64_t Value() const;
    // Writes the value, held to the range, as the text (OnChange fires when the text changes).
    void SetValue(int64_t value);
    // MinValue and MaxValue both 0 mean no range at all.
    int64_t MinValue() const { return minValue_; }
    int64_t MaxValue() const { return maxValue_; }
    void SetMinValue(int64_t value);
    void SetMaxValue(int64_t value);
    int64_t Increment() const { return increment_; }
    void SetIncrement(int64_t value) { increment_ = value; }

    // One step up (+1) or down (-1), as the arrows and keys make.
    void Step(int direction);
    // The arrows' window (made with the edit's).
    HWND UpDownHandle() const { return InsetHandle(); }

    // Value, MinValue, MaxValue, Increment (whole numbers, also written as floats) and the
    // edit's own properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    HWND CreateInset(HWND edit) override;
    int InsetWidth(int clientHeight) const override;
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    int64_t Clamp(int64_t value) const;
    bool Ranged() const { return minValue_ != 0 || maxValue_ != 0; }
    // Rewrites typed text that has left the range.
    void ClampText();

    int64_t minValue_ = 0;
    int64_t maxValue_ = 0;
    int64_t increment_ = 1;
};

}  // namespace gui
