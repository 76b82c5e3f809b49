#include <gtest/gtest.h>

#include "MessageCounter.h"

namespace messenger {
namespace {

const std::string kDesignSignature = "[sent via zemblySMS!]";

TEST(ComposerCounter, WithoutSignature) {
    const int limit = MessageLimit("");
    EXPECT_EQ(159, limit);
    EXPECT_EQ(795, MaximumMessageLength(limit));
    EXPECT_EQ("0/159   - 1 Credit", CounterText(0, limit));
    EXPECT_EQ("159/159   - 1 Credit", CounterText(159, limit));
    EXPECT_EQ("1/159   - 2 Credits", CounterText(160, limit));
    EXPECT_EQ("159/159   - 2 Credits", CounterText(318, limit));
    EXPECT_EQ("1/159   - 3 Credits", CounterText(319, limit));
    EXPECT_EQ("159/159   - 5 Credits", CounterText(795, limit));
    EXPECT_EQ("796/795   - too long", CounterText(796, limit));
}

TEST(ComposerCounter, WithSignature) {
    const int limit = MessageLimit(kDesignSignature);
    EXPECT_EQ(136, limit);
    EXPECT_EQ(772, MaximumMessageLength(limit));
    EXPECT_EQ("136/136   - 1 Credit", CounterText(136, limit));
    EXPECT_EQ("1/159   - 2 Credits", CounterText(137, limit));
    EXPECT_EQ("159/159   - 5 Credits", CounterText(772, limit));
    EXPECT_EQ("800/772   - too long", CounterText(800, limit));
    // A signature longer than the first part leaves no room: even an empty message takes two.
    EXPECT_EQ("2/159   - 2 Credits", CounterText(0, MessageLimit(std::string(159, 's'))));
}

TEST(ComposerSend, EnabledByTwoCharactersEachAndAMessageThatFits) {
    const int limit = MessageLimit("");
    EXPECT_TRUE(SendEnabled("Ann", "Me", "Hi", limit));
    EXPECT_FALSE(SendEnabled("A", "Me", "Hi", limit));
    EXPECT_FALSE(SendEnabled("Ann", "M", "Hi", limit));
    EXPECT_FALSE(SendEnabled("Ann", "Me", "H", limit));
    EXPECT_TRUE(SendEnabled("Ann", "Me", std::string(795, 'x'), limit));
    EXPECT_FALSE(SendEnabled("Ann", "Me", std::string(796, 'x'), limit));
}

TEST(ComposerSend, ToTextFromSelectedCaptions) {
    EXPECT_EQ("Ann;  Bob", ToText({" Ann ", " Bob "}));
    EXPECT_EQ("Ann", ToText({" Ann "}));
    EXPECT_EQ("", ToText({}));
    EXPECT_EQ(";  x", ToText({"  ", " x "}));
    EXPECT_EQ("21/159", SignatureLengthText(kDesignSignature));
}

}  // namespace
}  // namespace messenger
