// The uninstall command line is checked before anything is read from it, and an uninstaller
// whose setup.ini is gone removes only the Add/Remove Programs entry that starts it for this
// install folder.
#include <windows.h>

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
        form_->Free();
        form_ = nullptr;
    }
};

TEST_F(UninstallCheck, OddCommandLinesTakeTheFailureRoad) {
    const std::string installed = MakeFolder("Acme\\Foo");
    Write(installed + "\\setup.ini", Ini({"progname=Foo", "version=2", "file=a.txt"}));
    Write(installed + "\\agreement.txt", "must not be read");
    const std::string doubled = MakeFolder("Two  Blanks");
    Write(doubled + "\\setup.ini", Ini({"progname=Foo"}));
    for (const std::string& arguments : {
             std::string("/uninstall"),
             std::string("/uninstall: 1,"),
             "/uninstall: 2," + installed,
             "/uninstall: x," + installed,
             "/uninstall:1," + installed,
             std::string("/uninstall: 1,relative\\folder"),
             std::string("/uninstall: 1,C:\\"),
             std::string("/uninstall: 0,\\\\host\\share"),
             "/uninstall: 1," + installed + "\\..\\Foo",
             "/uninstall: 1," + installed + "\\missing",
             // Unquoted, the two blanks come back as one and name no folder.
             "/uninstall: 1," + doubled,
             "/uninstall: 1," + installed + std::string(5000, 'x'),
         })
        ExpectRefused(arguments);
}

TEST_F(UninstallCheck, TheCommandWordInAnyCaseAndAQuotedFolderAreAccepted) {
    const std::string installed = MakeFolder("Acme Two\\Foo");
    Write(installed + "\\setup.ini", Ini({"progname=Foo", "version=2"}));
    for (const std::string& arguments :
         {"/UNINSTALL: 0," + installed, "/uninstall: 0,\"" + installed + "\""}) {
        SCOPED_TRACE(arguments);
        gui::ExitRecorder exits;
        TForm1& form = Start(arguments);
        EXPECT_FALSE(exits.Ended());
        EXPECT_EQ(Page(), 8);
        EXPECT_EQ(form.curDir->Caption(), installed);
        EXPECT_FALSE(form.InstallFolderCreated);
        EXPECT_EQ(form.Label1->Caption(), "Foo v2 Uninstall");
        form_->Free();
        form_ = nullptr;
    }
}

class RegistryEntries {
public:
    explicit RegistryEntries(const std::string& stem) : stem_(stem) {}
    ~RegistryEntries() {
        for (const std::string& name : names_)
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (setup::kUninstallKeyBase + name).c_str());
    }
    std::string Add(const std::string& name, const std::string& command) {
        const std::string full = stem_ + " " + name;
        names_.push_back(full);
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (setup::kUninstallKeyBase + full).c_str(), 0, nullptr,
                        0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, "UninstallString", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(key);
        return full;
    }
    static bool Exists(const std::string& name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (setup::kUninstallKeyBase + name).c_str(), 0,
                          KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

private:
    std::string stem_;
    std::vector<std::string> names_;
};

TEST_F(UninstallCheck, WithoutSetupIniOnlyThisUninstallersEntryGoes) {
    const std::string installed = MakeFolder("Acme\\Foo");
    const std::string elsewhere = MakeFolder("Acme\\Bar");
    KelTextHandler kth(nullptr);
    const std::string windows = kth.GetSpecialFolder("windows");
    RegistryEntries entries("WizardTest " + std::to_string(GetCurrentProcessId()));
    const std::string ours =
        entries.Add("Foo v2", setup::UninstallCommandLine(windows, true, installed));
    const std::string otherFolder =
        entries.Add("Bar v2", setup::UninstallCommandLine(windows, false, elsewhere));
    const std::string otherProgram =
        entries.Add("Other", "c:\\other\\setup.exe /uninstall: 1," + installed);

    Start("/uninstall: 1," + installed);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error in locating Uninstall components!"});
    EXPECT_TRUE(testing_support::PumpUntil([&] { return exits_.Ended(); }));
    EXPECT_EQ(exits_.Code(), 1);
    EXPECT_FALSE(RegistryEntries::Exists(ours));
    EXPECT_TRUE(RegistryEntries::Exists(otherFolder));
    EXPECT_TRUE(RegistryEntries::Exists(otherProgram));
}

}  // namespace
