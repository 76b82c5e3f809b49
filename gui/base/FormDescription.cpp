#include "FormDescription.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace gui {

DescriptionError::DescriptionError(int line, const std::string& message)
    : Exception("Line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

enum class Tok { End, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
    Tok kind = Tok::End;
    int line = 1;
    std::string text;  // identifier, string contents, or the symbol
    int64_t integer = 0;
    double real = 0;
    std::vector<uint8_t> data;
};

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Describe(const Token& t) {
    switch (t.kind) {
        case Tok::End:
            return "end of text";
        case Tok::Ident:
            return "'" + t.text + "'";
        case Tok::Integer:
        case Tok::Float:
            return "number";
        case Tok::String:
            return "string";
        case Tok::Binary:
            return "binary data";
        case Tok::Symbol:
            return "'" + t.text + "'";
    }
    return "token";
}

class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text) { Advance(); }

    const Token& Peek() const { return current_; }
    Token Next() {
        Token t = std::move(current_);
        Advance();
        return t;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw DescriptionError(line_, message);
    }

    char At(size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    bool AtEnd() const { return pos_ >= text_.size(); }

    void SkipSpace() {
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else {
                break;
            }
        }
    }

    void Advance() {
        SkipSpace();
        current_ = Token();
        current_.line = line_;
        if (AtEnd()) return;
        char c = text_[pos_];
        if (IsIdentStart(c)) {
            size_t start = pos_;
            while (!AtEnd() && IsIdentChar(text_[pos_])) ++pos_;
            current_.kind = Tok::Ident;
            current_.text = text_.substr(start, pos_ - start);
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (IsDigit(c) || c == '$' ||
                   (c == '-' && (IsDigit(At(pos_ + 1)) || At(pos_ + 1) == '$'))) {
            ReadNumber();
        } else if (c == '{') {
            ReadBinary();
        } else if (c == '=' || c == ':' || c == '[' || c == ']' || c == '(' || c == ')' ||
                   c == ',' || c == '+' || c == '.' || c == '<' || c == '>') {
            current_.kind = Tok::Symbol;
            current_.text = std::string(1, c);
            ++pos_;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "#%u", static_cast<unsigned char>(c));
            Fail(std::string("invalid character ") + code);
        }
    }

    // Quoted parts and #nn codes that follow one another without a gap make one string.
    void ReadString() {
        current_.kind = Tok::String;
        std::string& out = current_.text;
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '\'') {
                ++pos_;
                for (;;) {
                    if (AtEnd() || text_[pos_] == '\n' || text_[pos_] == '\r')
                        Fail("unterminated string");
                    char d = text_[pos_++];
                    if (d == '\'') {
                        if (At(pos_) == '\'') {
                            out += '\'';
                            ++pos_;
                        } else {
                            break;
                        }
                    } else {
                        out += d;
                    }
                }
            } else if (c == '#') {
                ++pos_;
                unsigned value = 0;
                size_t digits = 0;
                if (At(pos_) == '$') {
                    ++pos_;
                    while (HexValue(At(pos_)) >= 0) {
                        value = value * 16 + static_cast<unsigned>(HexValue(At(pos_++)));
                        if (++digits > 4 || value > 255) Fail("character code out of range");
                    }
                } else {
                    while (IsDigit(At(pos_))) {
                        value = value * 10 + static_cast<unsigned>(At(pos_++) - '0');
                        if (++digits > 5 || value > 255) Fail("character code out of range");
                    }
                }
                if (digits == 0) Fail("character code expected after '#'");
                out += static_cast<char>(value);
            } else {
                break;
            }
        }
    }

    void ReadNumber() {
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        uint64_t magnitude = 0;
        const uint64_t limit = negative ? uint64_t(1) << 63 : std::numeric_limits<uint64_t>::max();
        if (At(pos_) == '$') {
            ++pos_;
            size_t digits = 0;
            while (HexValue(At(pos_)) >= 0) {
                if (++digits > 16) Fail("number out of range");
                magnitude = magnitude * 16 + static_cast<uint64_t>(HexValue(At(pos_++)));
            }
            if (digits == 0) Fail("hexadecimal digits expected after '$'");
            if (magnitude > limit) Fail("number out of range");
            current_.kind = Tok::Integer;
            // $FFFFFFFFFFFFFFFF and the like are the bit patterns of negative numbers.
            current_.integer =
                negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
            if (IsIdentChar(At(pos_))) Fail("invalid number");
            return;
        }
        size_t start = pos_;
        bool overflow = false;
        while (IsDigit(At(pos_))) {
            uint64_t digit = static_cast<uint64_t>(At(pos_++) - '0');
            if (magnitude > (limit - digit) / 10) overflow = true;
            magnitude = magnitude * 10 + digit;
        }
        bool isFloat = false;
        if (At(pos_) == '.' && IsDigit(At(pos_ + 1))) {
            isFloat = true;
            ++pos_;
            while (IsDigit(At(pos_))) ++pos_;
        }
        if ((At(pos_) == 'e' || At(pos_) == 'E') &&
            (IsDigit(At(pos_ + 1)) ||
             ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDigit(At(pos_ + 2))))) {
            isFloat = true;
            pos_ += 2;
            while (IsDigit(At(pos_))) ++pos_;
        }
        if (IsIdentChar(At(pos_))) Fail("invalid number");
        if (isFloat) {
            std::string number = (negative ? "-" : "") + text_.substr(start, pos_ - start);
            current_.kind = Tok::Float;
            current_.real = std::strtod(number.c_str(), nullptr);
            return;
        }
        if (overflow || (!negative && magnitude > uint64_t(std::numeric_limits<int64_t>::max())))
            Fail("number out of range");
        current_.kind = Tok::Integer;
        current_.integer =
            negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    }

    void ReadBinary() {
        ++pos_;  // '{'
        current_.kind = Tok::Binary;
        int high = -1;
        for (;;) {
            if (AtEnd()) Fail("unterminated binary data");
            char c = text_[pos_++];
            if (c == '}') break;
            if (c == '\n') {
                ++line_;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            int v = HexValue(c);
            if (v < 0) Fail("invalid character in binary data");
            if (high < 0) {
                high = v;
            } else {
                current_.data.push_back(static_cast<uint8_t>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0) Fail("odd number of hexadecimal digits in binary data");
    }

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
    Token current_;
};

bool IsKeyword(const Token& t, const char* word) {
    return t.kind == Tok::Ident && SameText(t.text, word);
}

bool IsObjectStart(const Token& t) {
    return IsKeyword(t, "object") || IsKeyword(t, "inherited") || IsKeyword(t, "inline");
}

bool IsSymbol(const Token& t, char c) {
    return t.kind == Tok::Symbol && t.text.size() == 1 && t.text[0] == c;
}

class Parser {
public:
    explicit Parser(const std::string& text) : lexer_(text) {}

    DescribedObject ParseRoot() {
        if (lexer_.Peek().kind == Tok::End) throw DescriptionError(1, "empty description");
        DescribedObject root = ParseObject(1);
        const Token& rest = lexer_.Peek();
        if (rest.kind != Tok::End)
            throw DescriptionError(rest.line,
                                   "unexpected " + Describe(rest) + " after the last 'end'");
        return root;
    }

private:
    [[noreturn]] static void Fail(const Token& at, const std::string& message) {
        throw DescriptionError(at.line, message);
    }

    Token Expect(Tok kind, const std::string& what) {
        Token t = lexer_.Next();
        if (t.kind != kind) Fail(t, "expected " + what + " but found " + Describe(t));
        return t;
    }

    // A dotted name: Font.Style, Form1.PopupMenu1.
    std::string DottedName(Token first) {
        std::string name = first.text;
        while (IsSymbol(lexer_.Peek(), '.')) {
            lexer_.Next();
            name += '.' + Expect(Tok::Ident, "a name after '.'").text;
        }
        return name;
    }

    DescribedObject ParseObject(int depth) {
        Token start = lexer_.Next();
        if (!IsObjectStart(start)) Fail(start, "expected 'object' but found " + Describe(start));
        if (depth > MaxDescriptionDepth) Fail(start, "objects nested too deeply");
        DescribedObject object;
        object.line = start.line;
        object.inherited = IsKeyword(start, "inherited");
        Token first = Expect(Tok::Ident, "an object name");
        if (IsSymbol(lexer_.Peek(), ':')) {
            lexer_.Next();
            object.name = first.text;
            object.className = Expect(Tok::Ident, "a class name").text;
        } else {
            object.className = first.text;
        }
        const std::string label = object.name.empty() ? object.className : object.name;
        for (;;) {
            const Token& t = lexer_.Peek();
            if (t.kind == Tok::End)
                Fail(t, "unexpected end of text: 'end' of " + label + " (line " +
                            std::to_string(object.line) + ") missing");
            if (IsKeyword(t, "end")) {
                lexer_.Next();
                return object;
            }
            if (IsObjectStart(t)) {
                object.children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (t.kind != Tok::Ident) Fail(t, "expected a property name but found " + Describe(t));
            if (!object.children.empty())
                Fail(t, "property '" + t.text + "' of " + label + " after its nested objects");
            object.properties.push_back(ParseProperty());
        }
    }

    DescribedProperty ParseProperty() {
        DescribedProperty property;
        Token first = lexer_.Next();
        property.line = first.line;
        property.name = DottedName(first);
        Token eq = lexer_.Next();
        if (!IsSymbol(eq, '='))
            Fail(eq, "expected '=' after '" + property.name + "' but found " + Describe(eq));
        property.value = ParseValue(property.name);
        return property;
    }

    // A string and the strings joined to it with '+'.
    std::string StringSum(Token first) {
        std::string text = std::move(first.text);
        while (IsSymbol(lexer_.Peek(), '+')) {
            lexer_.Next();
            text += Expect(Tok::String, "a string after '+'").text;
        }
        return text;
    }

    PropertyValue ParseValue(const std::string& property) {
        Token t = lexer_.Next();
        PropertyValue value;
        switch (t.kind) {
            case Tok::Integer:
                value.kind = PropertyValue::Kind::Integer;
                value.integer = t.integer;
                return value;
            case Tok::Float:
                value.kind = PropertyValue::Kind::Float;
                value.real = t.real;
                return value;
            case Tok::String:
                value.kind = PropertyValue::Kind::String;
                value.text = StringSum(std::move(t));
                return value;
            case Tok::Ident:
                value.kind = PropertyValue::Kind::Identifier;
                value.text = DottedName(std::move(t));
                return value;
            case Tok::Binary:
                value.kind = PropertyValue::Kind::Binary;
                value.data = std::move(t.data);
                return value;
            case Tok::Symbol:
                if (t.text == "[") return ParseSet();
                if (t.text == "(") return ParseList();
                if (t.text == "<") Fail(t, "collections are not supported ('" + property + "')");
                break;
            case Tok::End:
                break;
        }
        Fail(t, "expected a value for '" + property + "' but found " + Describe(t));
    }

    PropertyValue ParseSet() {
        PropertyValue value;
        value.kind = PropertyValue::Kind::Set;
        if (IsSymbol(lexer_.Peek(), ']')) {
            lexer_.Next();
            return value;
        }
        for (;;) {
            Token t = lexer_.Next();
            if (t.kind == Tok::Ident)
                value.items.push_back(t.text);
            else if (t.kind == Tok::Integer)
                value.items.push_back(std::to_string(t.integer));
            else
                Fail(t, "expected a set member but found " + Describe(t));
            Token sep = lexer_.Next();
            if (IsSymbol(sep, ']')) return value;
            if (!IsSymbol(sep, ',')) Fail(sep, "expected ',' or ']' but found " + Describe(sep));
        }
    }

    PropertyValue ParseList() {
        PropertyValue value;
        value.kind = PropertyValue::Kind::List;
        for (;;) {
            Token t = lexer_.Next();
            if (IsSymbol(t, ')')) return value;
            if (t.kind == Tok::String)
                value.items.push_back(StringSum(std::move(t)));
            else if (t.kind == Tok::Integer)
                value.items.push_back(std::to_string(t.integer));
            else if (t.kind == Tok::Ident)
                value.items.push_back(DottedName(std::move(t)));
            else
                Fail(t, "expected a list item or ')' but found " + Describe(t));
        }
    }

    Lexer lexer_;
};

}  // namespace

DescribedObject ParseDescription(const std::string& text) {
    return Parser(text).ParseRoot();
}

}  // namespace gui
