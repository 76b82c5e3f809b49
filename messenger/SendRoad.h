// Send: the composer's message on its way, through the account service with its status poll, or
// through the user's 3rd-party gateway. It all runs inside the Send click on the GUI thread; the
// message queue is pumped after every request and in every step of the marker's slides, so the
// tray menu, the settings dialog and the timers stay live while a message goes out. Each control
// is read at the moment its value is needed: a settings read during the poll (the settings
// dialog's Cancel) reaches the following requests.
#pragma once

#include <cstdint>
#include <functional>

namespace messenger {

// One send from what the windows hold now. The composer's inputs are disabled until it returns,
// whichever way it ends. A click that arrives while a send runs starts nothing.
void RunSend();

// The millisecond clock the status poll's time bound reads; nullptr puts the system's back.
using SendClock = std::function<uint64_t()>;
void SetSendClock(SendClock clock);

}  // namespace messenger
