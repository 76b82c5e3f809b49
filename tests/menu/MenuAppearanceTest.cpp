#include <gtest/gtest.h>

#include "MenuAppearance.h"

namespace {

using gui::PropertyValue;

const char* const kFields[] = {"Gradient1Start",     "Gradient1End", "Gradient2Start",
                               "Gradient2End",       "MarginX",      "MarginY",
                               "SeparatorLeading",   "GutterWidth",  "SeparatorBackgroundColor",
                               "SeparatorLineColor", "GutterColor",  "ItemBackgroundColor",
                               "ItemSelectedColor",  "FontColor",    "FontDisabledColor"};

// Reads the fields back in declaration order through the getters.
std::vector<std::uint32_t> Values(const TMenuAppearance& a) {
    return {a.Gradient1Start(),     a.Gradient1End(), a.Gradient2Start(),
            a.Gradient2End(),       a.MarginX(),      a.MarginY(),
            a.SeparatorLeading(),   a.GutterWidth(),  a.SeparatorBackgroundColor(),
            a.SeparatorLineColor(), a.GutterColor(),  a.ItemBackgroundColor(),
            a.ItemSelectedColor(),  a.FontColor(),    a.FontDisabledColor()};
}

TEST(MenuAppearance, FreshObjectReadsZeroEverywhere) {
    TMenuAppearance a;
    EXPECT_EQ(Values(a), std::vector<std::uint32_t>(15, 0));
}

// A preset writes all fifteen fields, and the style picks its own row: each row is pinned by
// the values that tell the styles apart (gutter width, gutter and selection colours).
TEST(MenuAppearance, EveryPresetWritesAllFifteenValuesOfItsOwnRow) {
    struct Pin {
        std::uint32_t gutterWidth, gutter, selected;
    };
    const Pin pins[] = {{26, 0x00EEEEE9, 0x00E6D5CB},
                        {36, 0x00F2DAC2, 0x00800000},
                        {36, 0x00676767, 0x00464646},
                        {36, 0x00E0E4E7, 0x004C535C},
                        {28, 0x00F0F0F0, 0x1FFFFFFF}};
    for (int style = msDefault; style <= msVista; ++style) {
        SCOPED_TRACE(style);
        TMenuAppearance a;
        for (const char* field : kFields) ASSERT_TRUE(a.SetProperty(field, PropertyValue::Int(77)));
        ApplyStylePreset(a, static_cast<TMenuStyle>(style));
        for (std::uint32_t value : Values(a)) EXPECT_NE(value, 77u);
        EXPECT_EQ(a.GutterWidth(), pins[style].gutterWidth);
        EXPECT_EQ(a.GutterColor(), pins[style].gutter);
        EXPECT_EQ(a.ItemSelectedColor(), pins[style].selected);
    }
}

TEST(MenuAppearance, PresetReplacesCustomisedValuesAndIsIdempotent) {
    TMenuAppearance a;
    ApplyStylePreset(a, msVista);
    const TMenuAppearance vista = a;
    // Spoil every field, then the preset must bring all fifteen back.
    for (const char* field : kFields)
        ASSERT_TRUE(a.SetProperty(field, PropertyValue::Int(77))) << field;
    EXPECT_EQ(Values(a), std::vector<std::uint32_t>(15, 77));
    ApplyStylePreset(a, msVista);
    EXPECT_EQ(a, vista);
    ApplyStylePreset(a, msVista);
    EXPECT_EQ(a, vista);
    EXPECT_EQ(a.ItemSelectedColor(), 0x1FFFFFFFu);
    EXPECT_EQ(a.FontColor(), 0u);
}

TEST(MenuAppearance, EachPropertyNameReachesItsOwnField) {
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(kFields[i]);
        TMenuAppearance a;
        ASSERT_TRUE(a.SetProperty(kFields[i], PropertyValue::Int(200)));
        std::vector<std::uint32_t> expected(15, 0);
        expected[i] = 200;
        EXPECT_EQ(Values(a), expected);
        // operator== must see a difference in every single field.
        EXPECT_NE(a, TMenuAppearance());
    }
}

TEST(MenuAppearance, PropertyValuesFromDescriptions) {
    TMenuAppearance a;
    EXPECT_TRUE(a.SetProperty("ItemSelectedColor", PropertyValue::Ident("clNone")));
    EXPECT_EQ(a.ItemSelectedColor(), 0x1FFFFFFFu);
    EXPECT_TRUE(a.SetProperty("FontColor", PropertyValue::Ident("clbtnface")));
    EXPECT_EQ(a.FontColor(), 0xFF00000Fu);
    // A system colour written as a signed integer keeps its bit pattern.
    EXPECT_TRUE(a.SetProperty("GutterColor", PropertyValue::Int(-16777201)));
    EXPECT_EQ(a.GutterColor(), 0xFF00000Fu);
    EXPECT_TRUE(a.SetProperty("MarginX", PropertyValue::Int(255)));
    EXPECT_EQ(a.MarginX(), 255);
    EXPECT_THROW(a.SetProperty("MarginX", PropertyValue::Int(256)), gui::Exception);
    EXPECT_THROW(a.SetProperty("MarginY", PropertyValue::Int(-1)), gui::Exception);
    EXPECT_EQ(a.MarginX(), 255);
    EXPECT_THROW(a.SetProperty("FontColor", PropertyValue::Ident("clNotAColour")), gui::Exception);
    EXPECT_THROW(a.SetProperty("FontColor", PropertyValue::Str("0")), gui::Exception);
    EXPECT_FALSE(a.SetProperty("Gradient3Start", PropertyValue::Int(1)));
}

TEST(MenuStyle, ReadFromIdentifiersAndNumbers) {
    TMenuStyle s = msDefault;
    EXPECT_TRUE(MenuStyleFromValue(PropertyValue::Ident("msOffice2007Silver"), s));
    EXPECT_EQ(s, msOffice2007Silver);
    EXPECT_TRUE(MenuStyleFromValue(PropertyValue::Int(4), s));
    EXPECT_EQ(s, msVista);
    EXPECT_FALSE(MenuStyleFromValue(PropertyValue::Int(5), s));
    EXPECT_FALSE(MenuStyleFromValue(PropertyValue::Ident("msOffice2010"), s));
    EXPECT_EQ(s, msVista);
}

}  // namespace
