// Form descriptions: the text that gives each window its controls, their properties and event
// bindings, in the class library's textual form-file syntax:
//
//   object Form12: TForm12
//     Caption = 'zembly SMS'
//     Font.Style = [fsBold]
//     object Label1: TLabel
//       Caption = 'It''s'#10'two lines'
//       Items.Strings = ('a' 'b')
//     end
//   end
//
// Values: integers (decimal, negative, $hex), floats, strings ('' for a quote, #nn or #$hh
// character codes, parts joined by adjacency or +), identifiers (True, clBtnFace, handler names,
// dotted component references), sets [a, b], lists ( ... ) and binary data {hex}. Properties come
// before the objects nested in an object. Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

#include "Component.h"

namespace gui {

struct DescribedProperty {
    std::string name;  // may be dotted: "Font.Style"
    PropertyValue value;
    int line = 0;
};

struct DescribedObject {
    std::string name;        // empty when the header gives only a class
    std::string className;   // "TLabel"
    bool inherited = false;  // header keyword "inherited" instead of "object"
    int line = 0;
    std::vector<DescribedProperty> properties;  // in the order written
    std::vector<DescribedObject> children;      // in the order written
};

// A description that cannot be read; the message starts with "Line N: ".
class DescriptionError : public Exception {
public:
    DescriptionError(int line, const std::string& message);
    int Line() const { return line_; }

private:
    int line_;
};

// Parses one description. Any text gives either a tree or a DescriptionError: nesting deeper
// than MaxDescriptionDepth, numbers out of range and character codes above 255 are errors too.
DescribedObject ParseDescription(const std::string& text);

constexpr int MaxDescriptionDepth = 64;

}  // namespace gui
