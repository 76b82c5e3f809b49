// The uninstall road, run inside the Next click that arrives at the Un-Install page: the
// feedback, the registry keys, the links, the files, the install folder and the Add/Remove
// Programs entry, with the three stages shown, then the Un-Finished page with the last failure's
// warning.
//
// Not built yet: this stand-in removes nothing and ends the road the way the real one ends when
// the install folder could not be removed, so the user is told that it is still there.
#pragma once

class TForm1;

class UninstallRoad {
public:
    explicit UninstallRoad(TForm1& form) : form_(form) {}
    void Run();

private:
    TForm1& form_;
};
