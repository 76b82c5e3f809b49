#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

#include "TextToolkit.h"

namespace {

using text::AppendLineBreaks;
using text::CountOf;
using text::GetFieldOf;
using text::KeepFieldsOf;
using text::RemoveAllOf;
using text::ReplaceAllOf;
using text::ScrambleText;
using text::StartsWith;
using text::UnscrambleText;

// ---- Reference versions, written step by step from the rules with 1-based positions -----------

char FoldRef(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// S occurs at position p of T: p is a position of T and the Length(S) characters from p equal S.
bool Occurs(const std::string& t, size_t p, const std::string& s, bool folded) {
    if (p < 1 || p > t.size() || p - 1 + s.size() > t.size()) return false;
    for (size_t k = 0; k < s.size(); ++k) {
        char a = t[p - 1 + k], b = s[k];
        if (folded ? FoldRef(a) != FoldRef(b) : a != b) return false;
    }
    return true;
}

std::string RefSkip(std::string t, int skip, const std::string& sep) {
    for (int i = 0; i < skip; ++i)
        for (size_t p = 1; p <= t.size(); ++p)
            if (Occurs(t, p, sep, false)) {
                t = t.substr(p - 1 + sep.size());
                break;
            }
    return t;
}

std::string RefGetFieldOf(std::string t, int skip, const std::string& sep, bool cut) {
    t = RefSkip(t, skip, sep);
    if (cut)
        for (size_t p = t.size(); p >= 1; --p)
            if (Occurs(t, p, sep, false)) t = t.substr(0, p - 1);
    return t;
}

std::string RefKeepFieldsOf(std::string t, int skip, int count, const std::string& sep) {
    t = RefSkip(t, skip, sep);
    int number = 0;
    const size_t length = t.size();
    for (size_t p = 1; p <= length; ++p) {
        if (Occurs(t, p, sep, false)) ++number;
        if (number == count) return t.substr(0, p - 1);
    }
    return t;
}

std::string RefRemoveAllOf(std::string t, const std::string& s) {
    for (size_t p = t.size(); p >= 1; --p)
        if (Occurs(t, p, s, true)) t.erase(p - 1, s.size());
    return t;
}

std::string RefReplaceAllOf(std::string t, const std::string& s, const std::string& r) {
    for (size_t p = t.size(); p >= 1; --p)
        if (Occurs(t, p, s, true)) t = t.substr(0, p - 1) + r + t.substr(p - 1 + s.size());
    return t;
}

int RefCountOf(const std::string& t, const std::string& s) {
    int n = 0;
    for (size_t p = 1; p <= t.size(); ++p) n += Occurs(t, p, s, true);
    return n;
}

std::string RandomText(std::mt19937& rng, size_t maxLength) {
    static const char alphabet[] = {'a', 'A', 'b', 'B', ',', '\xC1', '\xE1'};
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 1);
    std::string t(length(rng), ' ');
    for (char& c : t) c = alphabet[pick(rng)];
    return t;
}

TEST(TextToolkitReference, EveryOperationMatchesTheStepByStepRules) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> small(-1, 4);
    for (int round = 0; round < 20000; ++round) {
        const std::string t = RandomText(rng, 12);
        const std::string s = RandomText(rng, 3);
        const std::string r = RandomText(rng, 3);
        const int skip = small(rng), count = small(rng);
        const bool cut = round % 2 == 0;
        SCOPED_TRACE("text '" + t + "' search '" + s + "' replacement '" + r + "' skip " +
                     std::to_string(skip) + " count " + std::to_string(count));
        ASSERT_EQ(GetFieldOf(t, skip, s, cut), RefGetFieldOf(t, skip, s, cut));
        ASSERT_EQ(KeepFieldsOf(t, skip, count, s), RefKeepFieldsOf(t, skip, count, s));
        ASSERT_EQ(RemoveAllOf(t, s), RefRemoveAllOf(t, s));
        ASSERT_EQ(CountOf(t, s), RefCountOf(t, s));
        ASSERT_EQ(StartsWith(t, s), Occurs(t, 1, s, true) || s.empty());
        if (!s.empty()) {
            ASSERT_EQ(ReplaceAllOf(t, s, r), RefReplaceAllOf(t, s, r));
        }
    }
}

// ---- GetFieldOf ---------------------------------------------------------------------------------

TEST(GetFieldOf, SkipAndCutOffGiveTheFieldsCountedFromZero) {
    EXPECT_EQ(GetFieldOf("a,b,c", 0, ",", true), "a");
    EXPECT_EQ(GetFieldOf("a,b,c", 1, ",", true), "b");
    EXPECT_EQ(GetFieldOf("a,b,c", 2, ",", true), "c");
    EXPECT_EQ(GetFieldOf("a,b,c", 7, ",", true), "c");
    EXPECT_EQ(GetFieldOf("a,b,c", 1, ",", false), "b,c");
    EXPECT_EQ(GetFieldOf("a,b,c", -3, ",", true), "a");
    EXPECT_EQ(GetFieldOf("Success,12,34", 2, ",", true), "34");
}

TEST(GetFieldOf, ATextWithoutTheSeparatorYieldsItselfForEverySkip) {
    for (int skip : {0, 1, 2, 100}) {
        EXPECT_EQ(GetFieldOf("abc", skip, ",", false), "abc");
        EXPECT_EQ(GetFieldOf("abc", skip, ",", true), "abc");
    }
}

TEST(GetFieldOf, IsCaseSensitive) {
    EXPECT_EQ(GetFieldOf("a,B,c", 1, "b", false), "a,B,c");
    EXPECT_EQ(GetFieldOf("a,B,c", 1, "B", false), ",c");
}

TEST(GetFieldOf, PhraseSeparators) {
    EXPECT_EQ(GetFieldOf("one<sep>two<sep>three", 1, "<sep>", true), "two");
    EXPECT_EQ(GetFieldOf("\\Documents and Settings\\user", 1, "\\", true),
              "Documents and Settings");
}

TEST(GetFieldOf, ASelfOverlappingSeparatorIsCutFromTheRight) {
    EXPECT_EQ(GetFieldOf("a,,,,", 0, ",,,", true), "a,");
}

TEST(GetFieldOf, AnEmptySeparatorKeepsTheTextOrCutsItAway) {
    EXPECT_EQ(GetFieldOf("abc", 0, "", false), "abc");
    EXPECT_EQ(GetFieldOf("abc", 3, "", false), "abc");
    EXPECT_EQ(GetFieldOf("abc", 0, "", true), "");
    EXPECT_EQ(GetFieldOf("", 2, "", true), "");
}

TEST(GetFieldOf, EmptyText) {
    EXPECT_EQ(GetFieldOf("", 0, ",", true), "");
    EXPECT_EQ(GetFieldOf("", 5, ",", false), "");
}

TEST(GetFieldOf, AHugeSkipCostsNoMoreThanTheSeparatorsThere) {
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(GetFieldOf("abc", INT32_MAX, ",", true), "abc");
    EXPECT_EQ(GetFieldOf("a,b,c", INT32_MAX, ",", true), "c");
    EXPECT_EQ(GetFieldOf("abc", INT32_MAX, "", false), "abc");
    EXPECT_EQ(KeepFieldsOf("a,b,c", INT32_MAX, 1, ","), "c");
    EXPECT_EQ(GetFieldOf(std::string(100000, ','), INT32_MAX, ",", false), "");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(1));
}

TEST(GetFieldOf, ManyFieldsOfALongTextInLinearTime) {
    std::string line;
    for (int i = 0; i < 200000; ++i) line += "f" + std::to_string(i) + ",";
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(GetFieldOf(line, 150000, ",", true), "f150000");
    EXPECT_EQ(GetFieldOf(line, 0, ",", true), "f0");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
}

// ---- KeepFieldsOf -------------------------------------------------------------------------------

TEST(KeepFieldsOf, KeepsTheFirstFieldsWithTheirSeparators) {
    EXPECT_EQ(KeepFieldsOf("a,b,c,d", 1, 2, ","), "b,c");
    EXPECT_EQ(KeepFieldsOf("C:\\Documents and Settings\\user\\Desktop", 0, 3, "\\"),
              "C:\\Documents and Settings\\user");
    EXPECT_EQ(KeepFieldsOf("a,b", 0, 1, ","), "a");
}

TEST(KeepFieldsOf, CountZeroFewerSeparatorsAndNegativeCounts) {
    EXPECT_EQ(KeepFieldsOf("a,b", 0, 0, ","), "");
    EXPECT_EQ(KeepFieldsOf(",a,b", 0, 0, ","), ",a,b");
    EXPECT_EQ(KeepFieldsOf("a,b", 0, 5, ","), "a,b");
    EXPECT_EQ(KeepFieldsOf("a,b", 0, -1, ","), "a,b");
    EXPECT_EQ(KeepFieldsOf("", 0, 0, ","), "");
}

TEST(KeepFieldsOf, OverlappingOccurrencesEachCountAndCaseMatters) {
    EXPECT_EQ(KeepFieldsOf("aaaa", 0, 2, "aa"), "a");
    EXPECT_EQ(KeepFieldsOf("xAx", 0, 1, "a"), "xAx");
}

TEST(KeepFieldsOf, EmptySeparatorOccursAtEveryPosition) {
    EXPECT_EQ(KeepFieldsOf("abcd", 0, 3, ""), "ab");
    EXPECT_EQ(KeepFieldsOf("abcd", 0, 0, ""), "abcd");
    EXPECT_EQ(KeepFieldsOf("abcd", 0, 9, ""), "abcd");
}

// ---- RemoveAllOf / ReplaceAllOf -----------------------------------------------------------------

TEST(RemoveAllOf, FoldsAsciiCaseAndLeavesNoOccurrence) {
    EXPECT_EQ(RemoveAllOf("xABy", "ab"), "xy");
    EXPECT_EQ(RemoveAllOf("aabb", "ab"), "");
    EXPECT_EQ(RemoveAllOf("a,b,,c", ","), "abc");
    EXPECT_EQ(RemoveAllOf("abc", ""), "abc");
    EXPECT_EQ(RemoveAllOf("", "ab"), "");
}

TEST(RemoveAllOf, UpperHalfLettersCompareExactly) {
    EXPECT_EQ(RemoveAllOf("x\xC9y\xE9z", "\xE9"), "x\xC9yz");
}

TEST(ReplaceAllOf, ReplacesCaseFoldedOccurrencesFromTheRight) {
    EXPECT_EQ(ReplaceAllOf("a<br>b<BR>", "<br>", "\n"), "a\nb\n");
    EXPECT_EQ(ReplaceAllOf("%", "%", "%25"), "%25");
    EXPECT_EQ(ReplaceAllOf("aab", "ab", "b"), "b");
    EXPECT_EQ(ReplaceAllOf("Hello World", " ", "%20"), "Hello%20World");
    EXPECT_EQ(ReplaceAllOf("line\r\nnext\r\n", "\r\n", "%0A"), "line%0Anext%0A");
    EXPECT_EQ(ReplaceAllOf("Dear %USERNAME%", "%username%", "Ann"), "Dear Ann");
}

TEST(ReplaceAllOf, TheReplacementKeepsItsCaseAndMayBeEmpty) {
    EXPECT_EQ(ReplaceAllOf("xaAx", "a", "B"), "xBBx");
    EXPECT_EQ(ReplaceAllOf("a,b,c", ",", ""), "abc");
}

TEST(ReplaceAllOf, AnEmptySearchTextLeavesTheTextUnchanged) {
    EXPECT_EQ(ReplaceAllOf("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllOf("", "", "x"), "");
}

TEST(RemoveAndReplace, LongTextsTakeLinearTime) {
    std::string body;
    for (int i = 0; i < 100000; ++i) body += "word<BR>";
    std::string spaces(1000000, ' ');
    const auto begin = std::chrono::steady_clock::now();
    const std::string lines = ReplaceAllOf(body, "<br>", "\n");
    EXPECT_EQ(lines.size(), 500000u);
    EXPECT_EQ(CountOf(lines, "\n"), 100000);
    EXPECT_EQ(RemoveAllOf(body, "<br>").size(), 400000u);
    EXPECT_EQ(ReplaceAllOf(spaces, " ", "%20").size(), 3000000u);
    EXPECT_EQ(RemoveAllOf(spaces, " "), "");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
}

// ---- CountOf / StartsWith -----------------------------------------------------------------------

TEST(CountOf, CountsOverlappingFoldedOccurrences) {
    EXPECT_EQ(CountOf("aaa", "aa"), 2);
    EXPECT_EQ(CountOf("A,b,,", ","), 3);
    EXPECT_EQ(CountOf("AbAB", "ab"), 2);
    EXPECT_EQ(CountOf("abc", ""), 3);
    EXPECT_EQ(CountOf("", "a"), 0);
    EXPECT_EQ(CountOf("", ""), 0);
    EXPECT_EQ(CountOf("a", "ab"), 0);
    EXPECT_EQ(CountOf("\xC9\xE9", "\xE9"), 1);
}

TEST(StartsWith, FoldsAsciiCaseOnly) {
    EXPECT_TRUE(StartsWith("Hello", ""));
    EXPECT_TRUE(StartsWith("", ""));
    EXPECT_FALSE(StartsWith("he", "Hello"));
    EXPECT_TRUE(StartsWith("HELLO world", "hello"));
    EXPECT_FALSE(StartsWith("\xC9t\xE9", "\xE9"));
    EXPECT_TRUE(StartsWith("\xC9t\xE9", "\xC9T"));
}

// ---- Scrambler, line breaks, folding ------------------------------------------------------------

TEST(Scrambler, ShiftsByIndexIntoTheDigitToLetterRange) {
    EXPECT_EQ(ScrambleText("abc"), "ILO");
    EXPECT_EQ(UnscrambleText("ILO"), "abc");
    EXPECT_EQ(UnscrambleText(ScrambleText("z")), "0");
    EXPECT_EQ(UnscrambleText(ScrambleText(" ")), "j");
    EXPECT_EQ(ScrambleText(""), "");
}

TEST(Scrambler, RoundTripsTheCharactersZeroToY) {
    std::string t;
    for (int i = 0; i < 600; ++i) t += static_cast<char>('0' + i % ('y' - '0' + 1));
    const std::string scrambled = ScrambleText(t);
    ASSERT_EQ(scrambled.size(), t.size());
    for (unsigned char c : scrambled) {
        EXPECT_GE(c, 49);
        EXPECT_LE(c, 122);
    }
    EXPECT_EQ(UnscrambleText(scrambled), t);
}

TEST(Scrambler, OtherCharactersComeBackCongruentModulo74) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string back = UnscrambleText(ScrambleText(all));
    ASSERT_EQ(back.size(), all.size());
    for (int c = 0; c < 256; ++c) {
        const int b = static_cast<unsigned char>(back[c]);
        EXPECT_GE(b, 48);
        EXPECT_LE(b, 121);
        EXPECT_EQ((b - c) % 74, 0) << c;
    }
}

TEST(AppendLineBreaks, AppendsLineFeedThenCarriageReturn) {
    std::string s = "x";
    AppendLineBreaks(2, s);
    EXPECT_EQ(s, "x\n\r\n\r");
    AppendLineBreaks(0, s);
    AppendLineBreaks(-4, s);
    EXPECT_EQ(s, "x\n\r\n\r");
}

TEST(LowerAscii, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(text::LowerAscii("C:\\Program Files\\\xC9T\xC9"), "c:\\program files\\\xC9t\xC9");
}

}  // namespace
