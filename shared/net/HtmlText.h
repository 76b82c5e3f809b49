// What the hidden browser makes of a page: the markup inside the document's body (as far as it
// has arrived) and the text a browser shows for it. Works on UTF-8; the caller converts from the
// page's charset and to the ANSI code page. Portable: no windows.h here.
#pragma once

#include <optional>
#include <string>

namespace html {

enum class DocumentKind { Html, PlainText, Other };

// How a browser treats a reply of this Content-Type: text/html, XHTML and an absent type are
// HTML; any other text/* is shown as plain text; everything else is no HTML document.
DocumentKind KindOf(const std::string& contentType);

// The charset named by the Content-Type value, else by a <meta> near the top of the document;
// lower case, empty when none is named.
std::string DeclaredCharset(const std::string& contentType, const std::string& document);

// The markup between the body's start and end tags. Without a <body> tag the body starts at the
// first content after the head, as a browser's parser would create it. While the document is
// still arriving (`complete` false) the body runs to the end of what has arrived, less a tag cut
// in half; nothing is returned as long as no body exists yet. A frameset document has no body.
std::optional<std::string> BodyMarkup(const std::string& document, bool complete);

// The text a browser shows for markup: tags dropped, script, style and head content left out,
// character references decoded, white space collapsed, and a line break (CR LF) for <br> and
// around block elements; table cells are separated by tabs; <pre> keeps its lines.
std::string InnerText(const std::string& markup);

// Character references (named, decimal and hex) decoded to UTF-8; unknown ones stay as written.
std::string DecodeEntities(const std::string& text);

// The document a browser builds around a plain-text reply: the text escaped inside <pre>.
std::string PlainTextDocument(const std::string& text);

// One code point as UTF-8.
void AppendUtf8(std::string& out, unsigned long codePoint);

}  // namespace html
