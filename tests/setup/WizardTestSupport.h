// What the wizard's window tests share: a folder of its own that the wizard is started from
// (setup.ini and the branding files written by the test), the maker's site and its account
// service played by the stand-in, and every box, end and program start answered or recorded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "ProcessEnd.h"
#include "ProgramDriver.h"
#include "ProgramLaunch.h"
#include "StandIn.h"
#include "installer.h"

namespace wizard_test {

// A header and lines joined with CR LF: the start of most setup.ini files of the tests.
std::string Ini(std::initializer_list<const char*> lines);
std::string Ini(const std::vector<std::string>& lines);
extern const char kHeader[];

bool Exists(const std::string& path);
using e2e::KeyExists;
void SetString(HKEY root, const std::string& key, const std::string& name,
               const std::string& data = "x");
// The files folder of the test home's trash, made so that the shell deletes to it.
std::string RecycleBin();

// Runs during each one-second wait of the start-up's page request, before the wait pumps.
void DuringPageRequest(std::function<void()> action);

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a file into the wizard's folder (or any absolute path).
    void Write(const std::string& name, const std::string& content);
    std::string Path(const std::string& name) const;
    // A fresh folder of its own, also removed at the end.
    std::string MakeFolder(const std::string& name);

    // Makes the window as the program does and lets its first activation run; `arguments` is
    // what follows the program's name on the command line.
    TForm1& Start(const std::string& arguments = std::string());
    // Start with a setup.ini of these lines after the header.
    TForm1& StartWith(std::initializer_list<const char*> lines);
    // Frees the window, so that the next Start makes a new one.
    void Close();
    // From the welcome page past the licence, with `install` as the location, on to the page the
    // install road ends on.
    void InstallThroughPages(const std::string& install);

    // The requests the stand-in saw for one of the wizard's pages, once any on its way arrived.
    int PageRequests(const std::string& path) const;
    // The message texts shown so far.
    std::vector<std::string> Messages() const;

    // Presses a button, or clicks a control, the way the mouse does.
    void Press(gui::TButton& button);
    int Page() const { return form_->Notebook1->PageIndex(); }

    std::string folder_;  // ends in "\"
    TForm1* form_ = nullptr;
    gui::DialogRecorder dialogs_{gui::mrYes};
    gui::ExitRecorder exits_;
    setup::StartRecorder starts_;
    standin::StandIn standIn_;

private:
    std::vector<std::string> extraFolders_;
};

}  // namespace wizard_test
