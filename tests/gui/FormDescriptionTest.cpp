#include <gtest/gtest.h>

#include <random>

#include "FormDescription.h"

namespace {

using gui::DescribedObject;
using gui::DescriptionError;
using gui::ParseDescription;
using Kind = gui::PropertyValue::Kind;

const char kForm[] =
    "object Form12: TForm12\n"
    "  Left = -8\n"
    "  Color = $00FF00FF\n"
    "  Caption = 'zembly SMS'\n"
    "  Font.Style = [fsBold, fsItalic]\n"
    "  Scale = 1.5\n"
    "  OnCreate = FormCreate\n"
    "  PopupMenu = Form1.Menu\n"
    "  object Label1: TLabel\n"
    "    Caption = 'It''s'#10'two lines'\n"
    "    Hint = 'a' +\n"
    "      'b'#$41\n"
    "    Items.Strings = (\n"
    "      'one'\n"
    "      'two' + 'three')\n"
    "    Data = {0aFF 10\n"
    "      20}\n"
    "    Options = []\n"
    "  end\n"
    "  inherited TPanel\n"
    "  end\n"
    "end\n";

TEST(FormDescription, ReadsEveryKindOfValueInOrder) {
    DescribedObject form = ParseDescription(kForm);
    EXPECT_EQ(form.name, "Form12");
    EXPECT_EQ(form.className, "TForm12");
    ASSERT_EQ(form.properties.size(), 7u);
    EXPECT_EQ(form.properties[0].name, "Left");
    EXPECT_EQ(form.properties[0].value.integer, -8);
    EXPECT_EQ(form.properties[1].value.integer, 0x00FF00FF);
    EXPECT_EQ(form.properties[2].value.kind, Kind::String);
    EXPECT_EQ(form.properties[2].value.text, "zembly SMS");
    EXPECT_EQ(form.properties[3].name, "Font.Style");
    EXPECT_EQ(form.properties[3].value.kind, Kind::Set);
    EXPECT_EQ(form.properties[3].value.items, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_EQ(form.properties[4].value.kind, Kind::Float);
    EXPECT_DOUBLE_EQ(form.properties[4].value.real, 1.5);
    EXPECT_EQ(form.properties[5].value.kind, Kind::Identifier);
    EXPECT_EQ(form.properties[5].value.text, "FormCreate");
    EXPECT_EQ(form.properties[6].value.text, "Form1.Menu");
    EXPECT_EQ(form.properties[6].line, 8);

    ASSERT_EQ(form.children.size(), 2u);
    const DescribedObject& label = form.children[0];
    EXPECT_EQ(label.name, "Label1");
    EXPECT_EQ(label.line, 9);
    ASSERT_EQ(label.properties.size(), 5u);
    EXPECT_EQ(label.properties[0].value.text, "It's\ntwo lines");
    EXPECT_EQ(label.properties[1].value.text, "abA");
    EXPECT_EQ(label.properties[2].value.kind, Kind::List);
    EXPECT_EQ(label.properties[2].value.items, (std::vector<std::string>{"one", "twothree"}));
    EXPECT_EQ(label.properties[3].value.data, (std::vector<uint8_t>{0x0A, 0xFF, 0x10, 0x20}));
    EXPECT_EQ(label.properties[4].value.kind, Kind::Set);
    EXPECT_TRUE(label.properties[4].value.items.empty());
    EXPECT_EQ(label.properties[4].line, 18);  // the binary data spans two lines

    EXPECT_TRUE(form.children[1].inherited);
    EXPECT_EQ(form.children[1].name, "");
    EXPECT_EQ(form.children[1].className, "TPanel");
}

TEST(FormDescription, NumbersAtTheEdgesOfTheirRange) {
    auto value = [](const std::string& v) {
        return ParseDescription("object A: TA\n X = " + v + "\nend").properties[0].value;
    };
    EXPECT_EQ(value("9223372036854775807").integer, INT64_MAX);
    EXPECT_EQ(value("-9223372036854775808").integer, INT64_MIN);
    EXPECT_EQ(value("$FF00000F").integer, 0xFF00000F);
    EXPECT_EQ(value("-$10").integer, -16);
    EXPECT_EQ(value("#0").text, std::string(1, '\0'));
    EXPECT_EQ(value("#255").text, "\xFF");
    EXPECT_DOUBLE_EQ(value("-2.5e2").real, -250.0);
    EXPECT_THROW(value("9223372036854775808"), DescriptionError);
    EXPECT_THROW(value("-9223372036854775809"), DescriptionError);
    EXPECT_THROW(value("$10000000000000000"), DescriptionError);
    EXPECT_THROW(value("#256"), DescriptionError);
    EXPECT_THROW(value("#$100"), DescriptionError);
    EXPECT_THROW(value("12abc"), DescriptionError);
}

// Each broken description names the line where reading stopped.
TEST(FormDescription, BrokenDescriptionsReportTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* words;
    } cases[] = {
        {"", 1, "empty"},
        {"object A: TA\n  Caption = 'open\nend", 2, "unterminated string"},
        {"object A: TA\n  Caption 'x'\nend", 2, "expected '='"},
        {"object A: TA\n  Caption = =\nend", 2, "expected a value for 'Caption' but found '='"},
        {"object A: TA\n  Width = 1\n", 3, "'end' of A (line 1) missing"},
        {"object A: TA\nend\nobject B: TB\nend", 3, "after the last 'end'"},
        {"object A: TA\n  object B: TB\n  end\n  Width = 1\nend", 4, "after its nested objects"},
        {"object A: TA\n  Items = ('a' 'b'\nend", 3, "')'"},
        {"object A: TA\n  Style = [a b]\nend", 2, "',' or ']'"},
        {"object A: TA\n  Data = {0A 1}\nend", 2, "odd number"},
        {"object A: TA\n  Data = {0A\n 1", 3, "unterminated binary"},
        {"object A: TA\n  Data = {0G}\nend", 2, "invalid character in binary"},
        {"object A: TA\n  Cols = <\n item\n end>\nend", 2, "collections are not supported"},
        {"object A: TA\n  X = 'a' + 5\nend", 2, "a string after '+'"},
        {"object A: TA\n  X = #\nend", 2, "character code expected"},
        {"object A: TA\n\n  @X = 1\nend", 3, "invalid character #64"},
        {"thing A: TA\nend", 1, "expected 'object'"},
        {"object : TA\nend", 1, "expected an object name"},
        {"object A: 5\nend", 1, "expected a class name but found number"},
        {"object A: TA\n  Font. = 1\nend", 2, "a name after '.'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseDescription(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const DescriptionError& e) {
            EXPECT_EQ(e.Line(), c.line) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Line " + std::to_string(c.line) + ": ", 0), 0u)
                << e.what();
        }
    }
}

TEST(FormDescription, NestingHasALimit) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "object A" + std::to_string(i) + ": TA\n";
        for (int i = 0; i < depth; ++i) text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(ParseDescription(nested(gui::MaxDescriptionDepth)));
    EXPECT_THROW(ParseDescription(nested(gui::MaxDescriptionDepth + 1)), DescriptionError);
    // Far deeper than any stack would take if the limit were missing.
    EXPECT_THROW(ParseDescription(nested(200000)), DescriptionError);
}

// Every prefix of a valid description and random mutations of it either parse or raise a
// DescriptionError; nothing crashes, hangs or throws anything else (run under the sanitizers).
TEST(FormDescription, TruncatedAndMangledTextNeverCrashes) {
    const std::string text = kForm;
    int parsed = 0;
    for (size_t n = 0; n <= text.size(); ++n) {
        try {
            ParseDescription(text.substr(0, n));
            ++parsed;
        } catch (const DescriptionError&) {
        }
    }
    EXPECT_EQ(parsed, 2);  // the whole text, and the text less its final line feed

    std::mt19937 random(12345);
    const char alphabet[] = "'#${}[]()<>=:,+.-_ \n\t\r0123456789aAfFzZ\x80\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string mangled = text;
        int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            size_t at = random() % (mangled.size() + 1);
            char c = alphabet[random() % (sizeof alphabet - 1)];
            switch (random() % 3) {
                case 0:
                    mangled.insert(mangled.begin() + at, c);
                    break;
                case 1:
                    if (at < mangled.size()) mangled[at] = c;
                    break;
                default:
                    if (at < mangled.size()) mangled.erase(at, 1 + random() % 8);
                    break;
            }
        }
        try {
            ParseDescription(mangled);
        } catch (const DescriptionError& e) {
            EXPECT_GE(e.Line(), 1);
        }
    }
    for (int round = 0; round < 500; ++round) {
        std::string garbage(random() % 200, '\0');
        for (char& c : garbage) c = static_cast<char>(random());
        try {
            ParseDescription(garbage);
        } catch (const DescriptionError&) {
        }
    }
}

}  // namespace
