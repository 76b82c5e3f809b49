// The install's finishing and Finish through the wizard's window: what the road's second half
// reads from the controls and leaves on the Finished page, and what Finish starts.
#include <windows.h>

#include <algorithm>

#include "FinishAction.h"
#include "FinishingScratch.h"
#include "InstallFinishing.h"
#include "KelTextHandler1.h"
#include "PlatformWrites.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"

namespace {

using testing_support::ReadRegistry;
using testing_support::RegistryValue;
using wizard_test::WizardTest;

const char kDesktopKey[] = "Control Panel\\Desktop";

// The program that records how it was started, as the wine side names it.
std::string StartRecorderProgram() {
    std::string path = "Z:" START_RECORDER_PATH;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class WizardFinish : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        Write("setup.exe", "MZ");
        Write("unzdll.dll", "MZ");
        scratch_.RemoveKeyAtEnd(HKEY_LOCAL_MACHINE,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ed v3");
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        startFolder_ = folder;
        setup::SetDisplaySettingsOpener(
            [this](const std::string& opened) { displayOpened_.push_back(opened); });
    }
    void TearDown() override {
        SetCurrentDirectoryA(startFolder_.c_str());
        setup::SetDisplaySettingsOpener(nullptr);
        WizardTest::TearDown();
    }

    // The wizard for the product Ed on a page, its special folders in the scratch tree.
    TForm1& OnPage(int page) {
        const std::string key =
            "key=HKEY_CURRENT_USER\\" + scratch_.RegistryKey() + ",string,Name,Ed";
        StartWith({"progname=Ed", "company=Acme", "version=3", key.c_str()});
        form_->KTH->SetFolderSources(&scratch_.Sources());
        form_->DirectoryEdit1->SetText(scratch_.Install());
        form_->Notebook1->SetPageIndex(page);
        return *form_;
    }

    // The wizard on the Finished page (or another) with this target recorded.
    TForm1& FinishedWith(const std::string& target, int page = 7) {
        OnPage(page);
        form_->Tasks->SetCaption(target);
        return *form_;
    }

    testing_support::FinishingScratch scratch_;
    std::string startFolder_;
    std::vector<std::string> displayOpened_;
};

TEST_F(WizardFinish, TheRoadEndsOnTheFinishedPageAndFinishStartsTheProgram) {
    TForm1& form = OnPage(6);
    const std::string program = scratch_.Install() + "\\start recorder.exe";
    ASSERT_TRUE(CopyFileA(StartRecorderProgram().c_str(), program.c_str(), FALSE));
    form.ListBox13->Items().Assign({"3,start recorder.exe,,1000"});
    setup::InstallFinishing(form).Run({"bin", {program}});

    EXPECT_EQ(7, Page());
    EXPECT_EQ("Finish", form.Button2->Caption());
    EXPECT_TRUE(form.Button2->Enabled());
    EXPECT_FALSE(form.Button1->Enabled());
    EXPECT_EQ("WARNING:\n\r\n\rSetup reported an error whilst writing: bin.",
              form.Label24->Caption());
    const std::string target = scratch_.Install() + "\\\\start recorder.exe";
    EXPECT_EQ(target, form.Tasks->Caption());
    EXPECT_EQ((RegistryValue{REG_SZ, "Ed"}),
              ReadRegistry(HKEY_CURRENT_USER, scratch_.RegistryKey(), "Name"));
    const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ed v3";
    EXPECT_EQ((RegistryValue{REG_SZ, "Acme"}),
              ReadRegistry(HKEY_LOCAL_MACHINE, entry, "Publisher"));
    EXPECT_TRUE(testing_support::FileContent(scratch_.Desktop() + "Ed.lnk"));

    // Started for real. Unquoted, the blank in the name would start "start.exe" instead.
    const std::string decoy = scratch_.Install() + "\\start.exe";
    ASSERT_TRUE(CopyFileA(StartRecorderProgram().c_str(), decoy.c_str(), FALSE));
    setup::SetProgramStarter(nullptr);
    Press(*form.Button2);
    EXPECT_EQ(0, exits_.Code());
    const std::string record = program + ".record";
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] { return testing_support::FileContent(record).has_value(); }, 10000));
    EXPECT_EQ(scratch_.Install() + "\r\n\"" + target + "\"\r\n",
              testing_support::FileContent(record).value_or(""));
    EXPECT_FALSE(testing_support::FileContent(decoy + ".record"));
}

TEST_F(WizardFinish, NothingIsStartedWithoutATargetOrAfterTheUninstall) {
    const std::string program = scratch_.Install() + "\\\\ed.exe";
    const struct {
        std::string target;
        int page;
        bool run;
    } cases[] = {{"Tasks", 7, true}, {program, 7, false}, {program, 11, true}};
    for (const auto& c : cases) {
        TForm1& form = FinishedWith(c.target, c.page);
        form.CheckBox6->SetChecked(c.run);
        const int ends = exits_.Count();
        Press(*form.Button2);
        EXPECT_EQ(ends + 1, exits_.Count()) << c.target << " " << c.page;
        form.Free();
        form_ = nullptr;
    }
    EXPECT_TRUE(starts_.Started().empty());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(WizardFinish, AFolderThatCannotBeEnteredKeepsTheFinishedPage) {
    TForm1& form = FinishedWith(scratch_.Root() + "gone\\\\ed.exe");
    Press(*form.Button2);
    ASSERT_EQ(1u, dialogs_.Shown().size());
    EXPECT_EQ(gui::mtError, dialogs_.Shown()[0].type);
    EXPECT_FALSE(exits_.Ended());
    EXPECT_TRUE(starts_.Started().empty());
    EXPECT_EQ(7, Page());

    testing_support::Click(*form.CheckBox6);
    Press(*form.Button2);
    EXPECT_TRUE(exits_.Ended());
}

TEST_F(WizardFinish, AScreenSaverIsRecordedByItsShortNameOnlyWhenLong) {
    const std::optional<RegistryValue> before =
        ReadRegistry(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE");
    const std::string folder = scratch_.Install() + "\\\\";
    for (const auto& [file, recorded] :
         {std::pair<std::string, std::string>{"OceanWaves.scr", "OceanW~1.scr"},
          {"Ocean.SCR", "Ocean.SCR"}}) {
        TForm1& form = FinishedWith(folder + file);
        Press(*form.Button2);
        EXPECT_EQ((RegistryValue{REG_SZ, folder + recorded}),
                  ReadRegistry(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"));
        form.Free();
        form_ = nullptr;
    }
    EXPECT_EQ(2, exits_.Count());
    EXPECT_EQ(std::vector<std::string>(2, scratch_.Root() + "system32\\"), displayOpened_);
    EXPECT_TRUE(starts_.Started().empty());
    if (before) {
        setup::WriteKeyValues(setup::RegistryRoot::CurrentUser, kDesktopKey,
                              {setup::StringValue("SCRNSAVE.EXE", before->data)});
    } else {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE");
    }
}

}  // namespace
