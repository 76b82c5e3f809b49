// The one place that empties the thread's message queue outside the main message loop.
#pragma once

namespace gui {

// Handles every message pending in the calling thread's queue once, the way the application
// object's loop would. A WM_QUIT taken from the queue is noted (see QuitRequested) and ends the
// pass.
void ProcessMessages();

// Runs one message taken from the queue (a MSG*) as every loop does: the message filter, then
// translation and dispatch, then the device contexts graphic controls took are given back. The
// application's loop and ProcessMessages both use it.
void HandleMessage(void* msg);

// True once a WM_QUIT has been taken from the queue by ProcessMessages; the main loop stops then.
bool QuitRequested();
int QuitExitCode();
// Forgets a WM_QUIT taken earlier, so that a later loop can run (tests run several in turn).
void ClearQuitRequest();

// Optional filter run on each message before it is dispatched (dialog-key handling of forms,
// hint windows). Returns true when the message was handled and must not be dispatched.
using MessageFilter = bool (*)(void* msg);
void SetMessageFilter(MessageFilter filter);

}  // namespace gui
