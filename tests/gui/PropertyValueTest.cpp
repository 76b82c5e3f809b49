#include <gtest/gtest.h>

#include "Color.h"
#include "Component.h"

namespace {

using gui::PropertyValue;

PropertyValue SetOf(std::vector<std::string> items) {
    PropertyValue v;
    v.kind = PropertyValue::Kind::Set;
    v.items = std::move(items);
    return v;
}

TEST(PropertyValue, EnumsAndSetsAreReadByName) {
    EXPECT_EQ(PropertyValue::Ident("alclient").AsEnum({"alNone", "alTop", "alClient"}), 2);
    EXPECT_THROW(PropertyValue::Ident("alMiddle").AsEnum({"alNone", "alTop"}), gui::Exception);
    EXPECT_THROW(PropertyValue::Str("alTop").AsEnum({"alNone", "alTop"}), gui::Exception);
    EXPECT_EQ(SetOf({"fsItalic", "FSSTRIKEOUT"})
                  .AsSet({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
              0b1010u);
    EXPECT_EQ(SetOf({}).AsSet({"fsBold"}), 0u);
    EXPECT_THROW(SetOf({"fsHuge"}).AsSet({"fsBold"}), gui::Exception);
    EXPECT_THROW(PropertyValue::Ident("fsBold").AsSet({"fsBold"}), gui::Exception);
}

TEST(Color, NamesAndNumbersGiveTheClassLibrarysValues) {
    EXPECT_EQ(gui::ColorFromValue(PropertyValue::Ident("clBtnFace")), 0xFF00000Fu);
    EXPECT_EQ(gui::ColorFromValue(PropertyValue::Ident("CLRED")), 0x000000FFu);
    EXPECT_EQ(gui::ColorFromValue(PropertyValue::Ident("clNone")), 0x1FFFFFFFu);
    EXPECT_EQ(gui::ColorFromValue(PropertyValue::Int(414598)), 0x00065386u);
    // The negative spelling of a system colour is the same bit pattern.
    EXPECT_EQ(gui::ColorFromValue(PropertyValue::Int(-16777201)), gui::clBtnFace);
    EXPECT_THROW(gui::ColorFromValue(PropertyValue::Ident("clPlaid")), gui::Exception);
    EXPECT_THROW(gui::ColorFromValue(PropertyValue::Str("clRed")), gui::Exception);
    EXPECT_THROW(gui::ColorFromValue(PropertyValue::Int(0x100000000LL)), gui::Exception);
    EXPECT_EQ(gui::ColorToString(gui::clBtnFace), "clBtnFace");
    EXPECT_EQ(gui::ColorToString(0x00065386), "$00065386");
    EXPECT_EQ(gui::RedOf(gui::RGBColor(1, 2, 3)), 1);
    EXPECT_EQ(gui::BlueOf(gui::RGBColor(1, 2, 3)), 3);
    EXPECT_TRUE(gui::IsSystemColor(gui::clWindowText));
    EXPECT_FALSE(gui::IsSystemColor(gui::clWhite));
}

// An exception that escapes a handler reaches the report; the caller goes on.
TEST(Fire, HandlerExceptionsGoToTheReportAndStopOnlyTheHandler) {
    std::vector<std::string> reported;
    gui::SetExceptionReport([&](const std::exception& e) { reported.push_back(e.what()); });
    int after = 0;
    std::function<void(int&)> handler = [&](int& value) {
        value = 1;
        throw gui::Exception("Cannot open file contacts.con");
    };
    int value = 0;
    EXPECT_TRUE(gui::Fire(handler, value));
    ++after;
    EXPECT_EQ(value, 1);  // arguments pass by reference
    std::function<void()> odd = [] { throw 42; };
    gui::Fire(odd);
    std::function<void()> none;
    EXPECT_FALSE(gui::Fire(none));
    EXPECT_EQ(after, 1);
    EXPECT_EQ(reported,
              (std::vector<std::string>{"Cannot open file contacts.con", "Unknown exception"}));
    gui::SetExceptionReport(nullptr);
}

}  // namespace
