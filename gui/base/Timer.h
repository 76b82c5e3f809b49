// TTimer: OnTimer every Interval milliseconds while Enabled, fired from the message loop.
#pragma once

#include <cstdint>

#include "Component.h"

namespace gui {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // "Interval", "Enabled", "OnTimer". A timer read from a description enabled starts when
    // loading ends.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

    // Runs while Enabled with a non-zero Interval; an unbound timer ticks without effect.
    TNotifyEvent OnTimer;

    // Called by the timer window on each tick.
    virtual void Timer();

private:
    void UpdateTimer();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    uintptr_t id_ = 0;
};

}  // namespace gui
