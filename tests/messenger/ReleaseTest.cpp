// The release check as its timer runs it against the stand-in, and the notice's ways out.
#include <windows.h>

#include "MessengerFixture.h"
#include "NewRelease.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "options.h"

namespace messengertest {
namespace {

using testing_support::Click;
using testing_support::Find;

class Release : public MessengerTest {
protected:
    void SetUp() override {
        MessengerTest::SetUp();
        RunStartUp();
    }
    // The one check, fired sooner than its ten seconds.
    void RunCheck() {
        ASSERT_TRUE(releaseCheckArmed_);
        ASSERT_EQ(Form9->Timer1->Interval(), 10000u);
        Form9->Timer1->SetInterval(1);
        Form9->Timer1->SetEnabled(true);
        ASSERT_TRUE(testing_support::PumpUntil([] { return !Form9->Timer1->Enabled(); }));
    }
    static std::string Download() {
        return "http://" + StandIn().Host() + "/cgi-bin/default.pl?00,infozsms,";
    }
};

struct ReplyCase {
    const char* name;
    const char* body;  // nullptr: the connection drops
    const char* reply;
    bool notice;
};

class ReleaseReply : public Release, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(ReleaseReply, OnlyAnotherNamedReleaseShowsTheNotice) {
    const ReplyCase& c = GetParam();
    StandIn().AnswerNext(c.body ? standin::Response::Text(c.body) : standin::Response::Dropped());
    RunCheck();

    EXPECT_EQ(ServiceQueries(), std::vector<std::string>{"42,364"});
    EXPECT_EQ(Form9->Visible(), c.notice);
    EXPECT_EQ(Form9->Label1->Caption(), c.reply);
    if (c.notice)
        EXPECT_EQ(Form9->Label16->Caption(),
                  std::string(c.reply) + " has now been released!\n\r\n\r" + Download());
    else
        EXPECT_EQ(Form9->Label16->Caption(), "New release now available!");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReleaseReply,
    ::testing::Values(ReplyCase{"Same", "ZemblySMS v2.00", "ZemblySMS v2.00", false},
                      ReplyCase{"OtherCase", "zemblySMS v2.00", "zemblySMS v2.00", true},
                      ReplyCase{"LineBreak", "ZemblySMS v2.00<br>", "ZemblySMS v2.00\n", true},
                      ReplyCase{"Newer", "ZemblySMS v2.10", "ZemblySMS v2.10", true},
                      ReplyCase{"Failure", nullptr, "failed", false},
                      ReplyCase{"Blank", " \r\n\t", " \r\n\t", false}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return info.param.name; });

TEST_F(Release, OffAsksNothingAndStillStopsTheTimer) {
    Form2->CheckBox1->SetChecked(false);
    StandIn().AnswerNext(standin::Response::Text("ZemblySMS v2.10"));
    RunCheck();
    EXPECT_TRUE(ServiceQueries().empty());
    EXPECT_FALSE(Form9->Visible());
    EXPECT_EQ(Form9->Label1->Caption(), "ZemblySMS v2.00");
}

TEST_F(Release, OkHidesTheNoticeAndReleasesItsFetcher) {
    StandIn().AnswerNext(standin::Response::Text("ZemblySMS v2.10"));
    RunCheck();
    ASSERT_TRUE(Form9->Visible());
    Click(Find<gui::TBitBtn>(*Form9, "BitBtn1"));
    EXPECT_FALSE(Form9->Visible());
    EXPECT_EQ(Form9->bSource1, nullptr);
    EXPECT_EQ(Form9->FindComponent("bSource1"), nullptr);
}

}  // namespace
}  // namespace messengertest
