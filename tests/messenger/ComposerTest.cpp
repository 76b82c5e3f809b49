#include <gtest/gtest.h>

#include "MessageCounter.h"

namespace messenger {
namespace {

const std::string kDesignSignature = "[sent via zemblySMS!]";

// The counter's texts for the lengths the composer's edits reach are checked through the composer;
// here the part boundaries past the first and the signature's share of it.
TEST(ComposerCounter, PartBoundariesAndTheSignaturesShare) {
    const int plain = MessageLimit("");
    EXPECT_EQ("159/159   - 2 Credits", CounterText(318, plain));
    EXPECT_EQ("1/159   - 3 Credits", CounterText(319, plain));
    EXPECT_EQ("796/795   - too long", CounterText(796, plain));

    const int withSignature = MessageLimit(kDesignSignature);
    EXPECT_EQ(136, withSignature);
    EXPECT_EQ("136/136   - 1 Credit", CounterText(136, withSignature));
    EXPECT_EQ("1/159   - 2 Credits", CounterText(137, withSignature));
    EXPECT_EQ("800/772   - too long", CounterText(800, withSignature));
    // A signature longer than the first part leaves no room: even an empty message takes two.
    EXPECT_EQ("2/159   - 2 Credits", CounterText(0, MessageLimit(std::string(159, 's'))));
}

TEST(ComposerSend, EnabledByTwoCharactersEachAndAMessageThatFits) {
    const int limit = MessageLimit("");
    EXPECT_TRUE(SendEnabled("Ann", "Me", std::string(795, 'x'), limit));
    EXPECT_FALSE(SendEnabled("Ann", "Me", std::string(796, 'x'), limit));
    EXPECT_FALSE(SendEnabled("A", "Me", "Hi", limit));
    // A blank caption still takes its place in the To: text.
    EXPECT_EQ(";  x", ToText({"  ", " x "}));
}

}  // namespace
}  // namespace messenger
