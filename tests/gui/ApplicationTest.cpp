#include <gtest/gtest.h>

#include <memory>

#include "Application.h"
#include "Dialogs.h"
#include "Form.h"
#include "GuiTestSupport.h"
#include "MessagePump.h"
#include "ProcessEnd.h"
#include "Timer.h"

namespace {

using namespace testing_support;

class Ticking : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
};

TEST_F(Ticking, ATimerFiresUntilItIsDisabled) {
    gui::TComponent owner(nullptr);
    auto* timer = new gui::TTimer(&owner);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000u);
    int ticks = 0;
    timer->OnTimer = [&](gui::TObject* sender) {
        EXPECT_EQ(sender, timer);
        if (++ticks == 3) timer->SetEnabled(false);
    };
    timer->SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks == 3; }));
    Pump(80);
    EXPECT_EQ(ticks, 3);

    // A zero interval never ticks.
    timer->SetInterval(0);
    timer->SetEnabled(true);
    Pump(60);
    EXPECT_EQ(ticks, 3);
}

TEST_F(Ticking, ADescribedTimerStartsWhenLoadedEnabled) {
    class Clock : public gui::TForm {
    public:
        Clock() : TForm(nullptr, "TClock") {
            RegisterHandler<void(gui::TObject*)>("Timer1Timer", [this](gui::TObject*) {
                ++ticks;
                // One-shot, the way start-up uses its timers.
                static_cast<gui::TTimer*>(FindComponent("Timer1"))->SetEnabled(false);
            });
            RegisterHandler<void(gui::TObject*)>("Timer2Timer",
                                                 [this](gui::TObject*) { ++idleTicks; });
            LoadFromDescription(
                "object Clock: TClock\n"
                "  object Timer1: TTimer\n"
                "    Interval = 10\n"
                "    OnTimer = Timer1Timer\n"
                "  end\n"
                "  object Timer2: TTimer\n"
                "    Enabled = False\n"
                "    Interval = 10\n"
                "    OnTimer = Timer2Timer\n"
                "  end\n"
                "end\n");
        }
        int ticks = 0, idleTicks = 0;
    } clock;
    EXPECT_TRUE(PumpUntil([&] { return clock.ticks == 1; }));
    Pump(60);
    EXPECT_EQ(clock.ticks, 1);
    EXPECT_EQ(clock.idleTicks, 0);
}

TEST_F(Ticking, AFreedTimerWithATickPendingIsNotCalled) {
    int ticks = 0;
    {
        gui::TTimer timer(nullptr);
        timer.OnTimer = [&](gui::TObject*) { ++ticks; };
        timer.SetInterval(1);
        Sleep(30);  // a tick is due now
    }
    Pump(50);
    EXPECT_EQ(ticks, 0);
}

TEST_F(Ticking, ATimerHandlerThatThrowsIsReportedAndTheTimerGoesOn) {
    Boxes().Clear();
    gui::TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](gui::TObject*) {
        if (++ticks == 1) throw gui::Exception("Stream read error");
        timer.SetEnabled(false);
    };
    timer.SetInterval(5);
    EXPECT_TRUE(PumpUntil([&] { return ticks == 2; }));
    ASSERT_EQ(Boxes().Shown().size(), 1u);
    EXPECT_EQ(Boxes().Shown()[0].text, "Stream read error.");
    Boxes().Clear();
}

class MainLoop : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClasses(); }
    void TearDown() override {
        gui::ProcessMessages();  // the quit message Terminate posted
        gui::ClearQuitRequest();
    }
};

class Main : public gui::TForm {
public:
    explicit Main(gui::TComponent* owner) : TForm(owner, "TMain") {
        RegisterHandler<void(gui::TObject*)>("Timer1Timer", [this](gui::TObject*) {
            static_cast<gui::TTimer*>(FindComponent("Timer1"))->SetEnabled(false);
            wasShowing = Showing();
            Close();
        });
        LoadFromDescription(
            "object Main: TMain\n"
            "  Caption = 'Main'\n"
            "  object Timer1: TTimer\n"
            "    Interval = 20\n"
            "    OnTimer = Timer1Timer\n"
            "  end\n"
            "end\n");
    }
    bool wasShowing = false;
};

class Second : public gui::TForm {
public:
    Second() : TForm(nullptr, "TSecond") {
        LoadFromDescription("object Second: TSecond\n  Visible = True\nend\n");
    }
};

// The first form made is the main form; Run shows it and ends when it closes.
TEST_F(MainLoop, RunShowsTheMainFormAndEndsWhenItCloses) {
    Main* main = gui::Application.CreateForm<Main>();
    Second* second = nullptr;
    gui::Application.CreateForm(second);
    EXPECT_EQ(gui::Application.MainForm(), main);
    EXPECT_EQ(gui::Application.FormCount(), 2);
    EXPECT_FALSE(main->Showing());
    EXPECT_TRUE(second->Showing());  // described as visible

    gui::Application.Run();
    EXPECT_TRUE(main->wasShowing);
    EXPECT_TRUE(gui::Application.Terminated());

    delete second;
    delete main;
    EXPECT_EQ(gui::Application.FormCount(), 0);
    EXPECT_EQ(gui::Application.MainForm(), nullptr);
}

TEST(Dialogs, BoxesGoThroughTheAnswererWithTheirCaptionsAndButtons) {
    gui::DialogRecorder recorder(gui::mrNo);
    recorder.Queue(gui::mrYes);
    EXPECT_EQ(gui::MessageDlg("Are you sure you wish to cancel this setup?", gui::mtConfirmation,
                              gui::mbYes | gui::mbNo),
              gui::mrYes);
    EXPECT_EQ(gui::MessageDlg("Unable to start web browser!", gui::mtWarning, gui::mbOK),
              gui::mrNo);
    gui::Application.SetTitle("Setup");
    gui::ShowMessage("c:\\startup\\zemblySMS Messenger.lnk");
    gui::Application.SetTitle("");
    ASSERT_EQ(recorder.Shown().size(), 3u);
    EXPECT_EQ(recorder.Shown()[0].caption, "Confirm");
    EXPECT_EQ(recorder.Shown()[0].buttons, gui::mbYes | gui::mbNo);
    EXPECT_EQ(recorder.Shown()[1].caption, "Warning");
    EXPECT_EQ(recorder.Shown()[1].type, gui::mtWarning);
    EXPECT_EQ(recorder.Shown()[2].caption, "Setup");
    EXPECT_EQ(recorder.Shown()[2].text, "c:\\startup\\zemblySMS Messenger.lnk");
}

TEST(Halt, EndsTheProcessAtOnceWithItsCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            gui::TForm form(nullptr);
            form.Show();
            gui::Application.Halt(7);
        },
        ::testing::ExitedWithCode(7), "");
}

// With the test's ender in place the end is recorded and the program goes on, so a road that
// ends the program can be run in-process.
TEST(Halt, GoesThroughTheReplaceableEnd) {
    gui::ExitRecorder exits;
    gui::Application.Halt(3);
    gui::EndProcess(0);
    EXPECT_EQ(exits.Count(), 2);
    EXPECT_EQ(exits.Code(), 0);
}

}  // namespace
