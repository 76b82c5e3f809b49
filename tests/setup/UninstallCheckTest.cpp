// The uninstall command line is checked before anything is read from it, the folder it names is
// read as the Add/Remove Programs entry writes it, and an uninstaller whose setup.ini is gone
// removes only the entry that starts it for this install folder.
#include <windows.h>

#include <iterator>

#include "KelTextHandler1.h"
#include "UninstallRegistration.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"

namespace {

using wizard_test::Ini;
using wizard_test::WizardTest;

class UninstallCheck : public WizardTest {
protected:
    void ExpectRefused(const std::string& arguments) {
        SCOPED_TRACE(arguments.substr(0, 200));
        gui::ExitRecorder exits;
        dialogs_.Clear();
        TForm1& form = Start(arguments);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Error in locating Uninstall components!"});
        EXPECT_EQ(form.Label1->Caption(), "[none] Setup");
        EXPECT_EQ(form.Memo1->Lines()[0], "TARNWICK SOFTWARE LICENCE AGREEMENT");
        EXPECT_EQ(form.ListBox2->Items().Count(), 0);
        EXPECT_TRUE(testing_support::PumpUntil([&] { return exits.Ended(); }));
        EXPECT_EQ(exits.Code(), 1);
        Close();
    }
};

TEST_F(UninstallCheck, OddCommandLinesTakeTheFailureRoad) {
    const std::string installed = MakeFolder("Acme\\Foo");
    Write(installed + "\\setup.ini", Ini({"progname=Foo", "version=2", "file=a.txt"}));
    Write(installed + "\\agreement.txt", "must not be read");
    const std::string doubled = MakeFolder("Two  Blanks");
    Write(doubled + "\\setup.ini", Ini({"progname=Foo"}));
    // The rest of the refusals (no folder, a flag of 2, a relative, root, ".." or missing folder)
    // are read the same way in StartupTest.
    for (const std::string& arguments : {
             "/uninstall: x," + installed,
             "/uninstall:1," + installed,
             std::string("/uninstall: 0,\\\\host\\share"),
             // Unquoted, the two blanks come back as one and name no folder.
             "/uninstall: 1," + doubled,
             "/uninstall: 1," + installed + std::string(5000, 'x'),
         })
        ExpectRefused(arguments);
}

TEST_F(UninstallCheck, TheFolderIsReadWithItsBlanksTheWordInAnyCaseAndQuoted) {
    const std::string installed = MakeFolder("Acme Tools\\Foo");
    Write(installed + "\\setup.ini",
          Ini({"progname=Foo", "version=2.0", "feedback=|12", "company=Acme"}));
    Write(installed + "\\agreement.txt", "Installed licence\r\nsecond line");
    Write("agreement.txt", "the copy's own licence is not read");
    // Unquoted first, as the Add/Remove Programs entry writes it: the blanks come back single.
    const struct {
        std::string arguments;
        bool created;
    } cases[] = {{"/uninstall: 1," + installed, true},
                 {"/UNINSTALL: 0," + installed, false},
                 {"/uninstall: 0,\"" + installed + "\"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        gui::ExitRecorder exits;
        TForm1& form = Start(c.arguments);
        EXPECT_FALSE(exits.Ended()) << (Messages().empty() ? "" : Messages()[0]);
        EXPECT_EQ(Page(), 8);
        EXPECT_EQ(form.curDir->Caption(), installed);
        EXPECT_EQ(form.InstallFolderCreated, c.created);
        EXPECT_EQ(form.Label1->Caption(), "Foo v2.0 Uninstall");
        EXPECT_EQ(form.Label37->Caption(), "12");
        EXPECT_EQ(form.Memo1->Lines().Items(),
                  (std::vector<std::string>{"Installed licence", "second line"}));
        if (c.created) {
            EXPECT_EQ(PageRequests("/uninstall.htm"), 1);
            EXPECT_EQ(PageRequests("/setup.htm"), 0);
        }
        Close();
    }
}

TEST_F(UninstallCheck, WithoutSetupIniOnlyThisUninstallersEntryGoes) {
    const std::string installed = MakeFolder("Acme\\Foo");
    const std::string elsewhere = MakeFolder("Acme\\Bar");
    const std::string windows = KelTextHandler(nullptr).GetSpecialFolder("windows");
    const std::string stem = std::string(setup::kUninstallKeyBase) + "WizardTest " +
                             std::to_string(GetCurrentProcessId());
    // Ours, one for another folder, and one of another program for this folder.
    const std::pair<std::string, std::string> entries[] = {
        {stem + " Foo v2", setup::UninstallCommandLine(windows, true, installed)},
        {stem + " Bar v2", setup::UninstallCommandLine(windows, false, elsewhere)},
        {stem + " Other", "c:\\other\\setup.exe /uninstall: 1," + installed}};
    for (const auto& [key, command] : entries)
        wizard_test::SetString(HKEY_LOCAL_MACHINE, key, "UninstallString", command);

    Start("/uninstall: 1," + installed);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error in locating Uninstall components!"});
    EXPECT_TRUE(testing_support::PumpUntil([&] { return exits_.Ended(); }));
    EXPECT_EQ(exits_.Code(), 1);
    for (size_t i = 0; i < std::size(entries); ++i) {
        EXPECT_EQ(wizard_test::KeyExists(HKEY_LOCAL_MACHINE, entries[i].first), i > 0) << i;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, entries[i].first.c_str());
    }
}

}  // namespace
