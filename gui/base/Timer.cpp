#include <windows.h>

#include "Timer.h"

#include <map>

namespace gui {

namespace {
// One hidden message-only window carries the ticks of all timers; ticks are looked up by id, so
// a timer freed with a tick already queued is simply not found.
std::map<uintptr_t, TTimer*>& Timers() {
    static std::map<uintptr_t, TTimer*> timers;
    return timers;
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        auto it = Timers().find(static_cast<uintptr_t>(wParam));
        if (it != Timers().end()) {
            try {
                it->second->Timer();
            } catch (const std::exception& error) {
                ReportException(error);
            } catch (...) {
                ReportException(Exception("Unknown exception"));
            }
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND TimerWindow() {
    static HWND window = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZemblyTimerWindow";
        RegisterClassA(&wc);
        return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    }();
    if (!window) throw Exception("Not enough timers available");
    return window;
}

uintptr_t NextTimerId() {
    static uintptr_t id = 0;
    do {
        ++id;
    } while (id == 0 || Timers().count(id));
    return id;
}
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    SetClassName("TTimer");
}

TTimer::~TTimer() {
    if (id_) {
        KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    HWND window = TimerWindow();
    if (id_) {
        KillTimer(window, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!enabled_ || interval_ == 0 || Loading()) return;
    uintptr_t id = NextTimerId();
    if (!SetTimer(window, id, interval_, nullptr)) throw Exception("Not enough timers available");
    id_ = id;
    Timers()[id_] = this;
}

void TTimer::Timer() {
    Fire(OnTimer, this);
}

bool TTimer::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Interval")) {
        int v = value.AsInt();
        if (v < 0) throw Exception("Invalid property value");
        SetInterval(static_cast<unsigned>(v));
    } else if (SameText(name, "Enabled")) {
        SetEnabled(value.AsBool());
    } else if (SameText(name, "OnTimer")) {
        BindEvent(OnTimer, value);
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

}  // namespace gui
