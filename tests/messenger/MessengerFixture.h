// The messenger's six windows made afresh for each test, in a program folder of the test's own,
// against the stand-in service, with every outside effect recorded instead of done: message
// boxes, the end of the process, sounds, the tray icon's shell calls and the browser.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Dialogs.h"
#include "MediaPlayer.h"
#include "Menu.h"
#include "ProcessEnd.h"
#include "RecordingBrowser.h"
#include "StandIn.h"

namespace messengertest {

using testing_support::HtmlCommand;
using testing_support::RecordingBrowser;

// The shell calls of the tray icon, in order: NIM_ADD, NIM_DELETE, ...
struct TrayRecorder {
    TrayRecorder();
    ~TrayRecorder();
    std::vector<DWORD> calls;
};

// Browser starts: program and parameters.
struct BrowserRecorder {
    BrowserRecorder();
    ~BrowserRecorder();
    std::vector<std::pair<std::string, std::string>> starts;
};

class MessengerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The stand-in every request goes to.
    static standin::StandIn& StandIn() { return *standIn_; }
    // The requests the stand-in received for the account service, as their queries.
    static std::vector<std::string> ServiceQueries();

    // The test's program folder (with a trailing "\"), and a file in it.
    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& name) const { return folder_ + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

    // Lets the start-up timers run: the settings read and, when it arms it, the automatic logon.
    void RunStartUp();
    // The tray icon's mouse events, as the shell reports them to the icon's window.
    void TrayDoubleClick();
    // Pops the tray menu up and chooses the item, as a click on it would; the item's handler
    // has run when this returns.
    void ChooseTrayItem(gui::TMenuItem* item);

    // Whether the release check's timer was running once the windows were made.
    bool releaseCheckArmed_ = false;
    gui::DialogRecorder dialogs_;
    gui::ExitRecorder exits_;
    gui::MediaRecorder sounds_;
    TrayRecorder tray_;
    BrowserRecorder browser_;

private:
    static standin::StandIn* standIn_;
    std::string folder_;
};

}  // namespace messengertest
