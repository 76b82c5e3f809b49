// The install road, run inside the Next click that arrives at the Install page: the folders, the
// archive's matching entries, the uninstaller copy, the registry values, the Add/Remove Programs
// entry and the shortcuts, then the Finished page with the last failure's warning.
//
// Not built yet: this stand-in copies nothing and ends the road the way the real one ends an
// install that found no files, so the wizard says so on the Finished page instead of claiming a
// success.
#pragma once

class TForm1;

class InstallRoad {
public:
    explicit InstallRoad(TForm1& form) : form_(form) {}
    void Run();

private:
    TForm1& form_;
};
