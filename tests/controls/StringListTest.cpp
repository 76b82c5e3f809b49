#include <gtest/gtest.h>

#include "StringList.h"

namespace {

using gui::TStrings;
using Lines = std::vector<std::string>;

// Stands in for a control's window: applies every reported change to a copy of its own, which
// must always equal the list.
class MirrorLink : public gui::TStringsLink {
public:
    void Inserted(int index, const std::string& text) override {
        shown.insert(shown.begin() + index, text);
        ++calls;
    }
    void Deleted(int index) override {
        shown.erase(shown.begin() + index);
        ++calls;
    }
    void Replaced(int index, const std::string& text) override {
        shown.at(static_cast<size_t>(index)) = text;
        ++calls;
    }
    void Reset(const Lines& items) override {
        shown = items;
        ++resets;
    }
    Lines shown;
    int calls = 0;
    int resets = 0;
};

TEST(StringList, TextSplitsAtEveryKindOfLineBreakAndJoinsWithCrLf) {
    TStrings list;
    list.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(list.Items(), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");

    list.SetText("one\r\n\r\n");
    EXPECT_EQ(list.Items(), (Lines{"one", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
    // A CR LF pair split over the end is still one break.
    list.SetText("x\r");
    EXPECT_EQ(list.Items(), (Lines{"x"}));
}

TEST(StringList, SplitAndJoinAreInverseForTextWithoutAFinalBreak) {
    EXPECT_EQ(gui::JoinLines({"a", "", "b"}), "a\r\n\r\nb");
    EXPECT_EQ(gui::SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(gui::JoinLines({}), "");
    EXPECT_EQ(gui::JoinLines({""}), "");
    EXPECT_EQ(gui::SplitLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(gui::SplitLines("\r\r\n"), (Lines{"", ""}));
}

TEST(StringList, IndexOutsideTheListRaises) {
    TStrings list;
    list.Add("only");
    EXPECT_THROW(list.Strings(1), gui::Exception);
    EXPECT_THROW(list.Strings(-1), gui::Exception);
    EXPECT_THROW(list.Delete(1), gui::Exception);
    EXPECT_THROW(list.Put(2, "x"), gui::Exception);
    EXPECT_THROW(list.Insert(2, "x"), gui::Exception);
    list.Insert(1, "end");  // one past the last is a valid insert place
    EXPECT_EQ(list.Items(), (Lines{"only", "end"}));
    EXPECT_EQ(list.IndexOf("END"), 1);
    EXPECT_EQ(list.IndexOf("missing"), -1);
}

TEST(StringList, SortedListsPlaceCaseInsensitivelyAndKeepEqualEntriesInAddOrder) {
    TStrings list;
    list.Add("delta");
    list.Add("Bravo");
    list.Add("alpha");
    list.SetSorted(true);
    EXPECT_EQ(list.Items(), (Lines{"alpha", "Bravo", "delta"}));
    EXPECT_EQ(list.Add("charlie"), 2);
    EXPECT_EQ(list.Add("BRAVO"), 1);  // sorts before "Bravo" by byte order on a tie
    list.Insert(0, "zulu");           // the index asked for does not matter when sorted
    EXPECT_EQ(list.Items(), (Lines{"alpha", "BRAVO", "Bravo", "charlie", "delta", "zulu"}));
    list.Add("alpha");
    EXPECT_EQ(list.Strings(0), "alpha");
    EXPECT_EQ(list.Strings(1), "alpha");
    // Replacing an entry of a sorted list moves it to its place.
    list.Put(0, "yankee");
    EXPECT_EQ(list.Items().back(), "zulu");
    EXPECT_EQ(list.Strings(list.Count() - 2), "yankee");
    EXPECT_LT(gui::CompareListText("ab", "abc"), 0);
    EXPECT_GT(gui::CompareListText("\xE9", "z"), 0);  // high characters sort after ASCII
}

TEST(StringList, TheLinkSeesEveryChangeInPlace) {
    TStrings list;
    MirrorLink window;
    list.SetLink(&window);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("b");
    list.Insert(0, "a");
    list.Add("c");
    list.Put(1, "B");
    list.Exchange(0, 2);
    list.Delete(1);
    EXPECT_EQ(window.shown, list.Items());
    EXPECT_EQ(window.shown, (Lines{"c", "a"}));
    EXPECT_EQ(changes, 6);
    list.Clear();
    EXPECT_TRUE(window.shown.empty());
    list.Clear();  // clearing an empty list is no change
    EXPECT_EQ(changes, 7);
}

TEST(StringList, AnUpdateReachesTheLinkAsOneReset) {
    TStrings list;
    MirrorLink window;
    list.SetLink(&window);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.BeginUpdate();
    list.BeginUpdate();
    for (int i = 0; i < 50; ++i) list.Add(std::to_string(i));
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(window.resets, 0);  // still inside the outer update
    list.EndUpdate();
    EXPECT_EQ(window.calls, 0);
    EXPECT_EQ(window.resets, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(window.shown, list.Items());
    EXPECT_EQ(window.shown.size(), 49u);
    list.EndUpdate();  // an unmatched end changes nothing
    EXPECT_EQ(window.resets, 1);
}

// A memo's window holds what the user typed; the list must read it before any use.
class EditingLink : public MirrorLink {
public:
    void Refresh(Lines& items) override {
        ++refreshes;
        if (typed) items = shown;
    }
    bool typed = false;
    int refreshes = 0;
};

TEST(StringList, TheWindowsTextWinsOnReadButNotDuringAnUpdate) {
    TStrings list;
    EditingLink window;
    list.SetLink(&window);
    list.SetText("first\r\nsecond");
    window.shown = {"typed by", "the user"};
    window.typed = true;
    EXPECT_EQ(list.Text(), "typed by\r\nthe user\r\n");
    list.Add("more");  // added after what the user typed
    EXPECT_EQ(window.shown, (Lines{"typed by", "the user", "more"}));

    list.BeginUpdate();
    list.Clear();
    list.Add("replaced");
    EXPECT_EQ(list.Count(), 1);  // the stale window must not undo the update
    list.EndUpdate();
    EXPECT_EQ(window.shown, (Lines{"replaced"}));
}

TEST(StringList, FormDescriptionsSetTheStrings) {
    TStrings list;
    gui::PropertyValue value;
    value.kind = gui::PropertyValue::Kind::List;
    value.items = {"https://", "http://"};
    EXPECT_TRUE(list.SetProperty("Strings", value));
    EXPECT_EQ(list.Items(), value.items);
    EXPECT_FALSE(list.SetProperty("Unknown", value));
    EXPECT_THROW(list.SetProperty("Strings", gui::PropertyValue::Str("x")), gui::Exception);
}

}  // namespace
