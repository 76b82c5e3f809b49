// The run command's demonstration without a display of the user's own: starts the messenger,
// logs on with the demo account through the logon window, opens the composer from the tray,
// photographs both windows and ends the messenger through the tray's Exit.
//
//   messenger_demo <zemblySMS.exe> <folder for the pictures> <user> <password>
#include <windows.h>

#include <cstdio>
#include <string>

#include "MessengerDriver.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "demo: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return Fail("usage: messenger_demo <program> <picture folder> <user> <password>");
    const std::string pictures = std::string(argv[2]) + "\\";
    e2e::MessengerProcess messenger;
    if (!messenger.Start(argv[1])) return Fail("the messenger did not start");
    if (!e2e::WaitUntil([&] { return messenger.Visible("Account Logon"); }, 30000))
        return Fail("the logon window never showed");

    HWND logon = messenger.Window("Account Logon");
    // The user name and password fields, by their places in the window.
    messenger.Type(logon, 130, 80, argv[3]);
    messenger.Type(logon, 130, 112, argv[4]);
    Sleep(500);
    if (!e2e::SaveScreenshot(logon, pictures + "logon.png")) return Fail("no picture of the logon");
    std::printf("logon window: %slogon.png\n", pictures.c_str());
    messenger.Press(logon, "OK");
    if (!e2e::WaitUntil(
            [&] { return !messenger.Visible("Account Logon") && messenger.TrayWindow(); }, 30000))
        return Fail("the logon did not go through");
    std::printf("logged on as %s\n", argv[3]);

    messenger.TrayEvent(WM_LBUTTONDBLCLK);
    if (!e2e::WaitUntil([&] { return messenger.Visible("zemblySMS v2.00"); }, 30000))
        return Fail("the composer did not open");
    Sleep(500);
    if (!e2e::SaveScreenshot(messenger.Window("zemblySMS v2.00"), pictures + "composer.png"))
        return Fail("no picture of the composer");
    std::printf("composer: %scomposer.png\n", pictures.c_str());

    if (!messenger.ChooseTrayItemFromEnd(0)) return Fail("the tray menu did not open");
    const DWORD code = messenger.WaitForExit(30000);
    if (code == STILL_ACTIVE) return Fail("the messenger did not end");
    std::printf("the messenger ended through the tray's Exit with code %lu\n", code);
    return code == 0 ? 0 : 1;
}
