#include "HtmlText.h"

#include <cctype>
#include <cstring>
#include <set>

namespace html {

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string LowerCopy(std::string text) {
    for (char& c : text) c = Lower(c);
    return text;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':';
}

// Finds `needle` (lower case) in `text` from `from` on, ignoring the case of `text`.
size_t FindNoCase(const std::string& text, const std::string& needle, size_t from) {
    if (needle.size() > text.size()) return std::string::npos;
    for (size_t i = from; i + needle.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < needle.size() && Lower(text[i + k]) == needle[k]) ++k;
        if (k == needle.size()) return i;
    }
    return std::string::npos;
}

// Elements whose content is not markup: it runs to the matching end tag.
bool IsRawTextElement(const std::string& name) {
    return name == "script" || name == "style" || name == "title" || name == "textarea" ||
           name == "xmp" || name == "noscript" || name == "plaintext";
}

struct Token {
    enum class Kind { Text, StartTag, EndTag, Comment, Declaration, Incomplete };
    Kind kind = Kind::Text;
    size_t begin = 0;
    size_t end = 0;
    std::string name;  // tag name in lower case; for raw text, the element it belongs to
    bool raw = false;
    bool selfClosing = false;
};

// Cuts markup into text runs, tags, comments and declarations. A construct that has not arrived
// in full is reported as Incomplete and ends the walk.
class Tokenizer {
public:
    Tokenizer(const std::string& doc, size_t from = 0) : doc_(doc), pos_(from) {}

    bool Next(Token& t) {
        if (pos_ >= doc_.size()) return false;
        t = Token{};
        t.begin = pos_;
        if (!rawElement_.empty()) {
            const size_t close = FindNoCase(doc_, "</" + rawElement_, pos_);
            t.kind = Token::Kind::Text;
            t.raw = true;
            t.name = rawElement_;
            t.end = close == std::string::npos ? doc_.size() : close;
            rawElement_.clear();
            pos_ = t.end;
            if (t.end > t.begin) return true;
            return Next(t);
        }
        if (doc_[pos_] != '<') return Text(t, pos_ + 1);

        const size_t rest = doc_.size() - pos_;
        if (rest >= 4 && doc_.compare(pos_, 4, "<!--") == 0) {
            const size_t close = doc_.find("-->", pos_ + 4);
            if (close == std::string::npos) return Incomplete(t);
            t.kind = Token::Kind::Comment;
            return Finish(t, close + 3);
        }
        if (rest < 2) return Incomplete(t);
        const char second = doc_[pos_ + 1];
        if (second == '!' || second == '?') {
            const size_t close = doc_.find('>', pos_ + 2);
            if (close == std::string::npos) return Incomplete(t);
            t.kind = Token::Kind::Declaration;
            return Finish(t, close + 1);
        }
        const bool endTag = second == '/';
        const size_t nameStart = pos_ + (endTag ? 2 : 1);
        if (nameStart >= doc_.size()) return Incomplete(t);
        if (!std::isalpha(static_cast<unsigned char>(doc_[nameStart]))) return Text(t, pos_ + 1);

        size_t i = nameStart;
        while (i < doc_.size() && IsNameChar(doc_[i])) t.name += Lower(doc_[i++]);
        // The tag ends at the first ">" outside a quoted attribute value.
        char quote = 0;
        char lastSignificant = 0;
        for (; i < doc_.size(); ++i) {
            const char c = doc_[i];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if ((c == '"' || c == '\'') && lastSignificant == '=') {
                quote = c;
                continue;
            }
            if (c == '>') break;
            if (!IsSpace(c)) lastSignificant = c;
        }
        if (i >= doc_.size()) return Incomplete(t);
        t.kind = endTag ? Token::Kind::EndTag : Token::Kind::StartTag;
        t.selfClosing = !endTag && lastSignificant == '/';
        if (t.kind == Token::Kind::StartTag && IsRawTextElement(t.name) && !t.selfClosing)
            rawElement_ = t.name;
        return Finish(t, i + 1);
    }

private:
    bool Text(Token& t, size_t searchFrom) {
        const size_t next = doc_.find('<', searchFrom);
        t.kind = Token::Kind::Text;
        return Finish(t, next == std::string::npos ? doc_.size() : next);
    }
    bool Incomplete(Token& t) {
        t.kind = Token::Kind::Incomplete;
        return Finish(t, doc_.size());
    }
    bool Finish(Token& t, size_t end) {
        t.end = end;
        pos_ = end;
        return true;
    }

    const std::string& doc_;
    size_t pos_;
    std::string rawElement_;
};

bool IsHeadElement(const std::string& name) {
    static const std::set<std::string> kHead = {"title",  "meta", "link",     "style",
                                                "script", "base", "noscript", "template"};
    return kHead.count(name) != 0;
}

bool IsBlockElement(const std::string& name) {
    static const std::set<std::string> kBlocks = {
        "address", "article", "aside", "blockquote", "body",    "caption", "center",   "dd",
        "details", "dialog",  "dir",   "div",        "dl",      "dt",      "fieldset", "figcaption",
        "figure",  "footer",  "form",  "h1",         "h2",      "h3",      "h4",       "h5",
        "h6",      "header",  "hr",    "html",       "li",      "main",    "menu",     "nav",
        "ol",      "p",       "pre",   "section",    "summary", "table",   "tbody",    "tfoot",
        "thead",   "tr",      "ul",    "listing"};
    return kBlocks.count(name) != 0;
}

bool IsHiddenElement(const std::string& name) {
    return name == "head" || name == "script" || name == "style" || name == "title" ||
           name == "noscript" || name == "template";
}

bool AllSpace(const std::string& doc, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
        if (!IsSpace(doc[i])) return false;
    }
    return true;
}

// Collects shown text: white space collapses to one space, line breaks and tabs are placed
// lazily so that nothing dangles at the start or piles up between blocks.
class TextBuilder {
public:
    void BlockBoundary() {
        if (!out_.empty()) pendingBreak_ = true;
        pendingSpace_ = false;
        pendingTab_ = false;
    }
    void LineBreak() {
        out_ += "\r\n";
        pendingBreak_ = pendingSpace_ = pendingTab_ = false;
    }
    void CellBoundary() { pendingTab_ = true; }
    void Space() { pendingSpace_ = true; }
    void Word(const std::string& word) {
        Flush();
        out_ += word;
    }
    void Verbatim(const std::string& text) {
        Flush();
        out_ += text;
    }
    std::string Take() { return std::move(out_); }

private:
    bool AtLineStart() const { return out_.empty() || out_.back() == '\n'; }
    void Flush() {
        if (pendingBreak_) {
            if (!AtLineStart()) out_ += "\r\n";
        } else if (pendingTab_) {
            if (!out_.empty()) out_ += '\t';
        } else if (pendingSpace_ && !AtLineStart() && out_.back() != '\t') {
            out_ += ' ';
        }
        pendingBreak_ = pendingSpace_ = pendingTab_ = false;
    }

    std::string out_;
    bool pendingBreak_ = false;
    bool pendingSpace_ = false;
    bool pendingTab_ = false;
};

struct NamedEntity {
    const char* name;
    unsigned long codePoint;
};

const NamedEntity kEntities[] = {
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"nbsp", 0xA0},     {"iexcl", 0xA1},    {"cent", 0xA2},
    {"pound", 0xA3},    {"curren", 0xA4},   {"yen", 0xA5},      {"brvbar", 0xA6},
    {"sect", 0xA7},     {"uml", 0xA8},      {"copy", 0xA9},     {"ordf", 0xAA},
    {"laquo", 0xAB},    {"not", 0xAC},      {"shy", 0xAD},      {"reg", 0xAE},
    {"macr", 0xAF},     {"deg", 0xB0},      {"plusmn", 0xB1},   {"sup2", 0xB2},
    {"sup3", 0xB3},     {"acute", 0xB4},    {"micro", 0xB5},    {"para", 0xB6},
    {"middot", 0xB7},   {"cedil", 0xB8},    {"sup1", 0xB9},     {"ordm", 0xBA},
    {"raquo", 0xBB},    {"frac14", 0xBC},   {"frac12", 0xBD},   {"frac34", 0xBE},
    {"iquest", 0xBF},   {"Agrave", 0xC0},   {"Aacute", 0xC1},   {"Acirc", 0xC2},
    {"Atilde", 0xC3},   {"Auml", 0xC4},     {"Aring", 0xC5},    {"AElig", 0xC6},
    {"Ccedil", 0xC7},   {"Egrave", 0xC8},   {"Eacute", 0xC9},   {"Ecirc", 0xCA},
    {"Euml", 0xCB},     {"Igrave", 0xCC},   {"Iacute", 0xCD},   {"Icirc", 0xCE},
    {"Iuml", 0xCF},     {"ETH", 0xD0},      {"Ntilde", 0xD1},   {"Ograve", 0xD2},
    {"Oacute", 0xD3},   {"Ocirc", 0xD4},    {"Otilde", 0xD5},   {"Ouml", 0xD6},
    {"times", 0xD7},    {"Oslash", 0xD8},   {"Ugrave", 0xD9},   {"Uacute", 0xDA},
    {"Ucirc", 0xDB},    {"Uuml", 0xDC},     {"Yacute", 0xDD},   {"THORN", 0xDE},
    {"szlig", 0xDF},    {"agrave", 0xE0},   {"aacute", 0xE1},   {"acirc", 0xE2},
    {"atilde", 0xE3},   {"auml", 0xE4},     {"aring", 0xE5},    {"aelig", 0xE6},
    {"ccedil", 0xE7},   {"egrave", 0xE8},   {"eacute", 0xE9},   {"ecirc", 0xEA},
    {"euml", 0xEB},     {"igrave", 0xEC},   {"iacute", 0xED},   {"icirc", 0xEE},
    {"iuml", 0xEF},     {"eth", 0xF0},      {"ntilde", 0xF1},   {"ograve", 0xF2},
    {"oacute", 0xF3},   {"ocirc", 0xF4},    {"otilde", 0xF5},   {"ouml", 0xF6},
    {"divide", 0xF7},   {"oslash", 0xF8},   {"ugrave", 0xF9},   {"uacute", 0xFA},
    {"ucirc", 0xFB},    {"uuml", 0xFC},     {"yacute", 0xFD},   {"thorn", 0xFE},
    {"yuml", 0xFF},     {"euro", 0x20AC},   {"ndash", 0x2013},  {"mdash", 0x2014},
    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},
    {"rdquo", 0x201D},  {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"bull", 0x2022},   {"hellip", 0x2026}, {"permil", 0x2030}, {"lsaquo", 0x2039},
    {"rsaquo", 0x203A}, {"trade", 0x2122},  {"OElig", 0x152},   {"oelig", 0x153},
    {"Scaron", 0x160},  {"scaron", 0x161},  {"Yuml", 0x178},    {"fnof", 0x192},
    {"circ", 0x2C6},    {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},
    {"thinsp", 0x2009},
};

// Numeric references to 0x80-0x9F mean the Windows-1252 characters there, as in browsers.
const unsigned short kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

unsigned long SanitizeCodePoint(unsigned long cp) {
    if (cp >= 0x80 && cp <= 0x9F) return kWindows1252High[cp - 0x80];
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

// Reads a reference at text[pos] == '&'; on success appends it and returns the position after.
size_t DecodeReference(const std::string& text, size_t pos, std::string& out) {
    size_t i = pos + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex) ++i;
        const size_t digitsStart = i;
        unsigned long cp = 0;
        while (i < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[i]))
                                       : std::isdigit(static_cast<unsigned char>(text[i])))) {
            const char c = Lower(text[i]);
            const unsigned long digit = c <= '9' ? c - '0' : c - 'a' + 10;
            if (cp <= 0x10FFFF) cp = cp * (hex ? 16 : 10) + digit;
            ++i;
        }
        if (i == digitsStart) return std::string::npos;
        if (i < text.size() && text[i] == ';') ++i;
        AppendUtf8(out, SanitizeCodePoint(cp));
        return i;
    }
    const size_t semicolon = text.find(';', i);
    if (semicolon == std::string::npos || semicolon - i > 10) return std::string::npos;
    const std::string name = text.substr(i, semicolon - i);
    for (const auto& entity : kEntities) {
        if (name == entity.name) {
            AppendUtf8(out, entity.codePoint);
            return semicolon + 1;
        }
    }
    return std::string::npos;
}

std::string EscapeMarkup(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string CharsetParameter(const std::string& text, size_t at) {
    size_t i = at;
    while (i < text.size() && (IsSpace(text[i]) || text[i] == '"' || text[i] == '\'')) ++i;
    size_t end = i;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != '"' && text[end] != '\'' &&
           text[end] != ';' && text[end] != '>' && text[end] != '/')
        ++end;
    return text.substr(i, end - i);
}

}  // namespace

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

DocumentKind KindOf(const std::string& contentType) {
    std::string type = LowerCopy(contentType.substr(0, contentType.find(';')));
    while (!type.empty() && IsSpace(type.back())) type.pop_back();
    while (!type.empty() && IsSpace(type.front())) type.erase(0, 1);
    if (type.empty() || type == "text/html" || type == "application/xhtml+xml")
        return DocumentKind::Html;
    if (type.compare(0, 5, "text/") == 0) return DocumentKind::PlainText;
    return DocumentKind::Other;
}

std::string DeclaredCharset(const std::string& contentType, const std::string& document) {
    const std::string type = LowerCopy(contentType);
    size_t at = type.find("charset=");
    if (at != std::string::npos) return CharsetParameter(type, at + 8);

    const std::string head = LowerCopy(document.substr(0, 2048));
    for (size_t meta = head.find("<meta"); meta != std::string::npos;
         meta = head.find("<meta", meta + 5)) {
        const size_t tagEnd = head.find('>', meta);
        at = head.find("charset=", meta);
        if (at != std::string::npos && (tagEnd == std::string::npos || at < tagEnd))
            return CharsetParameter(head, at + 8);
    }
    return "";
}

std::optional<std::string> BodyMarkup(const std::string& document, bool complete) {
    std::optional<size_t> start;
    {
        Tokenizer tokens(document);
        Token t;
        while (!start && tokens.Next(t)) {
            switch (t.kind) {
                case Token::Kind::Incomplete:
                case Token::Kind::Comment:
                case Token::Kind::Declaration:
                case Token::Kind::EndTag:
                    break;
                case Token::Kind::Text:
                    // White space before the first content belongs to no element.
                    if (!t.raw && !AllSpace(document, t.begin, t.end)) {
                        size_t first = t.begin;
                        while (IsSpace(document[first])) ++first;
                        start = first;
                    }
                    break;
                case Token::Kind::StartTag:
                    if (t.name == "body") {
                        start = t.end;
                    } else if (t.name == "frameset") {
                        return std::nullopt;
                    } else if (t.name != "html" && t.name != "head" && !IsHeadElement(t.name)) {
                        // Content the head cannot hold opens the body implicitly.
                        start = t.begin;
                    }
                    break;
            }
        }
    }
    if (!start) {
        if (complete) return std::string();
        return std::nullopt;
    }

    size_t end = document.size();
    Tokenizer tokens(document, *start);
    Token t;
    while (tokens.Next(t)) {
        if (t.kind == Token::Kind::Incomplete ||
            (t.kind == Token::Kind::EndTag && (t.name == "body" || t.name == "html"))) {
            end = t.begin;
            break;
        }
    }
    return document.substr(*start, end - *start);
}

std::string InnerText(const std::string& markup) {
    TextBuilder text;
    Tokenizer tokens(markup);
    Token t;
    int hiddenDepth = 0;
    int preDepth = 0;
    bool preJustOpened = false;
    bool cellSeen = false;
    while (tokens.Next(t)) {
        switch (t.kind) {
            case Token::Kind::Comment:
            case Token::Kind::Declaration:
            case Token::Kind::Incomplete:
                break;
            case Token::Kind::StartTag:
                if (IsHiddenElement(t.name)) {
                    // Raw-text elements end with their own end tag, which the walk meets.
                    if (!t.selfClosing) ++hiddenDepth;
                } else if (hiddenDepth > 0) {
                } else if (t.name == "br") {
                    text.LineBreak();
                } else if (t.name == "td" || t.name == "th") {
                    if (cellSeen) text.CellBoundary();
                    cellSeen = true;
                } else if (IsBlockElement(t.name)) {
                    text.BlockBoundary();
                    if (t.name == "tr") cellSeen = false;
                    if (t.name == "pre" || t.name == "listing") {
                        ++preDepth;
                        preJustOpened = true;
                    }
                }
                break;
            case Token::Kind::EndTag:
                if (IsHiddenElement(t.name)) {
                    if (hiddenDepth > 0) --hiddenDepth;
                } else if (hiddenDepth == 0 && IsBlockElement(t.name)) {
                    text.BlockBoundary();
                    if ((t.name == "pre" || t.name == "listing") && preDepth > 0) --preDepth;
                    if (t.name == "tr" || t.name == "table") cellSeen = false;
                }
                break;
            case Token::Kind::Text: {
                if (hiddenDepth > 0) break;
                std::string decoded = DecodeEntities(markup.substr(t.begin, t.end - t.begin));
                if (preDepth > 0) {
                    std::string lines;
                    for (size_t i = 0; i < decoded.size(); ++i) {
                        const char c = decoded[i];
                        if (c == '\r' && i + 1 < decoded.size() && decoded[i + 1] == '\n') continue;
                        if (c == '\r' || c == '\n') {
                            if (preJustOpened && lines.empty()) {
                                preJustOpened = false;
                                continue;
                            }
                            lines += "\r\n";
                        } else {
                            lines += c;
                        }
                        preJustOpened = false;
                    }
                    if (!lines.empty()) text.Verbatim(lines);
                    break;
                }
                size_t i = 0;
                while (i < decoded.size()) {
                    if (IsSpace(decoded[i])) {
                        text.Space();
                        ++i;
                        continue;
                    }
                    size_t j = i;
                    while (j < decoded.size() && !IsSpace(decoded[j])) ++j;
                    text.Word(decoded.substr(i, j - i));
                    i = j;
                }
                break;
            }
        }
    }
    return text.Take();
}

std::string DecodeEntities(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '&') {
            const size_t next = DecodeReference(text, i, out);
            if (next != std::string::npos) {
                i = next;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string PlainTextDocument(const std::string& text) {
    return "<html><body><pre>" + EscapeMarkup(text) + "</pre></body></html>";
}

}  // namespace html
