#include <gtest/gtest.h>

#include "Gateway.h"
#include "MessageEncoding.h"
#include "Recipients.h"
#include "SendStatus.h"
#include "StatusPoll.h"

namespace messenger {
namespace {

using Names = std::vector<std::string>;

TEST(SendEncoding, MessageAndSignature) {
    EXPECT_EQ("Hi%2C%20you%0Athere%0A[me]", EncodeMessage("Hi, you\r\nthere", "[me]"));
    EXPECT_EQ("Hi", EncodeMessage("Hi", ""));
    // Typed escapes arrive as typed; characters that would cut or alter the request are encoded.
    EXPECT_EQ("100%2520%25", EncodeText("100%20%"));
    EXPECT_EQ("a%23b%26c%2Bd%0Ae%0Df%09%7F%A3", EncodeText("a#b&c+d\ne\rf\t\x7F\xA3"));
    EXPECT_EQ("%0A%0D%0A", EncodeText("\r\n\r\r\n"));
    EXPECT_EQ("%0A%2C", EncodeMessage("", ","));
}

TEST(SendRecipients, ServiceRoad) {
    const Names records{"Bob|222", "Ann|111", "Cy|333|x", "Ann|444", "ann|555"};
    ServiceRecipients found = FindServiceRecipients("Ann;  Bob;  Cy", records);
    EXPECT_EQ("111;444;222;333;", found.numbers);
    EXPECT_EQ(3, found.messages);
    EXPECT_EQ(Names{}, found.unmatched);

    found = FindServiceRecipients("Dee;  Bob;  Eve", records);
    EXPECT_EQ("222;", found.numbers);
    EXPECT_EQ(1, found.messages);
    EXPECT_EQ((Names{"Dee", "Eve"}), found.unmatched);

    // Two selected contacts of one name reach each of its numbers once.
    EXPECT_EQ("111;444;", FindServiceRecipients("Ann;  Ann", records).numbers);
    // A name holding ";" is one name.
    EXPECT_EQ("9;1;", FindServiceRecipients("a;b;  c", {"c|1", "a;b|9"}).numbers);
}

TEST(SendRecipients, GatewayRoadTakesTheLastRecordOfTheWholeName) {
    const Names records{"Ann|111", "Ann|444", "Bob|2"};
    EXPECT_EQ("444;", GatewayNumbers("Ann", records));
    EXPECT_EQ("", GatewayNumbers("Ann;  Bob", records));
}

TEST(SendPoll, FailedPollsKeepTheLastGoodFieldsAndEndAtTwenty) {
    StatusPoll poll("Success,a,b", 0);
    EXPECT_EQ(StatusPoll::Outcome::Pending, poll.Take("100,0,3,1", 1));
    for (int i = 1; i < StatusPoll::kFailedPollLimit; ++i) {
        const char* reply = i % 2 ? "failed" : "100,0,busy,1";
        ASSERT_EQ(StatusPoll::Outcome::Pending, poll.Take(reply, 1 + i)) << "failed poll " << i;
        EXPECT_EQ("0", poll.Field1());
        EXPECT_EQ("3", poll.Field2());
    }
    EXPECT_EQ(StatusPoll::Outcome::GaveUp, poll.Take("failed", 100));
    EXPECT_EQ(
        "1 message(s) queued successfully\n\r3 message(s) pending\n\r1 message(s) sent,  0 "
        "failed.\n\rThe final status is unknown.",
        UnknownFinalStatus(1, poll.LastKnown()));
    EXPECT_EQ("2 message(s) queued successfully\n\rThe final status is unknown.",
              UnknownFinalStatus(2, std::nullopt));
    // A failure among the final counts plays the failure sound (the composer's sends end sent).
    EXPECT_TRUE(FinalSounds(PollStatus{"9", "1", "0", "0"}).failed);
}

TEST(SendPoll, AGoodReplyRestartsTheCountAndFifteenMinutesEndIt) {
    StatusPoll poll("Success,a,b", 5000);
    for (int i = 0; i < 19; ++i) poll.Take("failed", 5000);
    EXPECT_EQ(StatusPoll::Outcome::Pending, poll.Take("1,0,1,0", 5000));
    for (int i = 0; i < 19; ++i) poll.Take("failed", 5000);
    EXPECT_EQ(StatusPoll::Outcome::Pending,
              poll.Take("1,0,1,0", 5000 + StatusPoll::kTimeLimitMs - 1));
    EXPECT_EQ(StatusPoll::Outcome::GaveUp, poll.Take("1,0,1,0", 5000 + StatusPoll::kTimeLimitMs));
    // A final reply still counts after the time is up.
    EXPECT_EQ(StatusPoll::Outcome::Finished,
              StatusPoll("Success", 0).Take("1,0,0,1", StatusPoll::kTimeLimitMs * 2));
}

TEST(SendGateway, TemplateFilledInOnePass) {
    GatewayValues values{"u ser", "p&w", "%to%", "111;", "Hi%20there"};
    EXPECT_EQ("https://gw.example/s?u=u%20ser&p=p%26w&f=%25to%25&t=111;&m=Hi%20there",
              GatewayAddress("https://",
                             "gw.example/s?u=%USERNAME%&p=%Password%&f=%from%&t=%TO%&m=%message%",
                             values));
    values = GatewayValues{};
    EXPECT_EQ("http://gw/?t=&t2=&x=%to",
              GatewayAddress("http://", "gw/?t=%to%&t2=%to%&x=%to", values));
}

TEST(SendGateway, FailureWordsOutweighSuccessWords) {
    for (const char* reply : {"Message SENT", "0 delivered", "success", "Delivered OK"})
        EXPECT_TRUE(GatewaySucceeded(reply)) << reply;
    for (const char* reply : {"OK", "failed", "Message not sent", "Unsuccessful", "ERROR: sent",
                              "Not Delivered", "invalid number, sent", "Access denied", ""})
        EXPECT_FALSE(GatewaySucceeded(reply)) << reply;
}

}  // namespace
}  // namespace messenger
