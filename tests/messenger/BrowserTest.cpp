// The web browser launch through its three buttons, with the recorder program registered as the
// command of HTML files and started by the shell for real.
#include <windows.h>

#include "LaunchBrowser.h"
#include "MessengerFixture.h"
#include "NewRelease.h"
#include "PayPal.h"
#include "WindowDriver.h"
#include "password.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Find;

class Browser : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        messenger::SetBrowserStarter(nullptr);
    }
    HtmlCommand command_;
};

using Arguments = std::vector<std::string>;

// The three buttons' pages reach the browser in the end-to-end test of the built program.
TEST_F(Browser, APageArrivesWholeAsTheQuotedProgramsOnlyArgument) {
    RecordingBrowser browser(Folder());
    command_.Set("\"" + browser.path + "\" -nohome -url \"%1\"");
    const std::string spaced = "http://svc.example/pay here?item=a b ([c]),d&e=f\\";
    EXPECT_TRUE(messenger::LaunchBrowser(spaced));
    EXPECT_EQ(browser.WaitForArguments(), Arguments{spaced});
    EXPECT_TRUE(dialogs_.Shown().empty());
}

// A message box as the user saw it, and how many ends of the program had been asked for then.
struct Box {
    std::string text;
    gui::TMsgDlgType type;
    gui::TMsgDlgButtons buttons;
    int endsBefore;
};

struct NoBrowserCase {
    const char* name;
    DWORD type;           // 0: no command key at all
    const char* command;  // of a REG_SZ value
};

class NoBrowser : public Browser, public ::testing::WithParamInterface<NoBrowserCase> {};

TEST_P(NoBrowser, EveryButtonShowsItsMessageWhicheverWindowsAreOpen) {
    const NoBrowserCase& c = GetParam();
    const DWORD number = 0x22;
    if (c.type == 0)
        command_.Remove();
    else if (c.type == REG_DWORD)
        command_.SetValue(REG_DWORD, &number, sizeof number);
    else
        command_.Set(c.command);
    std::vector<Box> boxes;
    gui::SetDialogAnswerer([&](const gui::DialogRequest& request) {
        boxes.push_back({request.text, request.type, request.buttons, exits_.Count()});
        return gui::mrOk;
    });

    Click(*Form12->BitBtn3);
    // The payment road while the release notice is on screen, then the download road.
    Form3->Show();
    Form9->Show();
    Click(Find<gui::TBitBtn>(*Form3, "BitBtn1"));
    Click(Find<gui::TBitBtn>(*Form9, "BitBtn2"));

    const std::string site =
        "Unable to detect a suitable web browser!\n\r\n\rPlease visit 127.0.0.1 from your "
        "default web browser.";
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Unable to start web browser!");
    EXPECT_EQ(boxes[1].text, site);
    EXPECT_EQ(boxes[2].text, site);
    for (const Box& box : boxes) {
        EXPECT_EQ(box.type, gui::mtWarning);
        EXPECT_EQ(box.buttons, gui::mbOK);
    }
    EXPECT_EQ(boxes[2].endsBefore, 0) << "the program ended before its message";
    EXPECT_EQ(exits_.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NoBrowser,
    ::testing::Values(NoBrowserCase{"NoKey", 0, ""}, NoBrowserCase{"Empty", REG_SZ, ""},
                      NoBrowserCase{"NotAString", REG_DWORD, ""},
                      NoBrowserCase{"Unquoted", REG_SZ, "C:\\windows\\notepad.exe %1"},
                      NoBrowserCase{"MissingProgram", REG_SZ, "\"C:\\no such\\web.exe\" \"%1\""}),
    [](const ::testing::TestParamInfo<NoBrowserCase>& info) { return info.param.name; });

}  // namespace
}  // namespace messengertest
