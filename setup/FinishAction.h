// Finish on the Finished page after an install: with "Run Application" ticked, the first
// shortcut's target is started in its install folder, or made the user's screen saver.
//
// Not built yet: this stand-in starts nothing, and the wizard ends as it does after a start.
#pragma once

class TForm1;

class FinishAction {
public:
    explicit FinishAction(TForm1& form) : form_(form) {}
    // False keeps the wizard open on the Finished page (the target's folder could not be made
    // current), so that the user can clear "Run Application" and finish again.
    bool Run();

private:
    TForm1& form_;
};
