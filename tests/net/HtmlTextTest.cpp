#include <gtest/gtest.h>

#include "HtmlText.h"

namespace {

using html::BodyMarkup;
using html::InnerText;

TEST(BodyMarkup, TheMarkupBetweenTheBodyTags) {
    const std::string page =
        "<!DOCTYPE html><html><head><title>T</title><script>var b='<body>';</script></head>"
        "<BODY class=\"x>y\"><p>Hello</p></Body></html>";
    EXPECT_EQ("<p>Hello</p>", BodyMarkup(page, true).value());
}

TEST(BodyMarkup, WithoutABodyTagTheBodyStartsAtTheFirstContent) {
    EXPECT_EQ("Thank you\n", BodyMarkup("<html><head><title>x</title></head>\nThank you\n", true));
    EXPECT_EQ("<p>a</p>", BodyMarkup("<!-- c --><p>a</p></html>", true));
    EXPECT_EQ("plain", BodyMarkup("plain", true));
    // A complete document with nothing after its head still has an (empty) body.
    EXPECT_EQ("", BodyMarkup("<html><head><title>t</title></head></html>", true));
    EXPECT_EQ("", BodyMarkup("", true));
}

TEST(BodyMarkup, APageStillLoadingGivesItsBodySoFar) {
    EXPECT_EQ("<p>first part", BodyMarkup("<html><body><p>first part", false).value());
    // A tag cut in half has not arrived yet.
    EXPECT_EQ("<p>one</p>", BodyMarkup("<html><body><p>one</p><di", false).value());
    EXPECT_EQ("", BodyMarkup("<html><body>", false).value());
}

TEST(BodyMarkup, NoBodyYetWhileOnlyTheHeadHasArrived) {
    EXPECT_FALSE(BodyMarkup("", false));
    EXPECT_FALSE(BodyMarkup("<html><head><title>Slow", false));
    EXPECT_FALSE(BodyMarkup("<html><head></head><bo", false));
    EXPECT_FALSE(BodyMarkup("<html><frameset cols=\"50%,50%\"></frameset></html>", true));
}

TEST(InnerText, TagsGoAndBlocksAndBreaksBecomeLines) {
    EXPECT_EQ("Title\r\nOne two\r\nthree\r\nLast",
              InnerText("<h1>Title</h1>\n<p>One   <b>two</b><br>three</p>\n<div>Last</div>"));
    EXPECT_EQ("a\r\n\r\nb", InnerText("a<br><br>b"));
    EXPECT_EQ("a b", InnerText("  a \n\t b  "));
    EXPECT_EQ("x\r\ny", InnerText("<ul><li>x</li><li>y</li></ul>"));
}

TEST(InnerText, ScriptsStylesAndCommentsShowNothing) {
    EXPECT_EQ("shown",
              InnerText("<script>if (a < b) document.write('x');</script><style>p{}</style>"
                        "<!-- hidden <p>no</p> -->shown<noscript>ns</noscript>"));
}

TEST(InnerText, EntitiesAreDecodedToUtf8) {
    EXPECT_EQ("a & b <c> \"d\" 'e'", InnerText("a &amp; b &lt;c&gt; &quot;d&quot; &#39;e&#x27;"));
    EXPECT_EQ("caf\xC3\xA9 \xE2\x82\xAC \xC2\xA0", InnerText("caf&eacute; &euro; &nbsp;"));
    // Numeric references to 0x80-0x9F mean Windows-1252; invalid ones become U+FFFD.
    EXPECT_EQ("\xE2\x80\x93|\xEF\xBF\xBD|\xEF\xBF\xBD", InnerText("&#150;|&#0;|&#x110000;"));
    // Unknown or unterminated references stay as written.
    EXPECT_EQ("&bogus; AT&T &", InnerText("&bogus; AT&T &"));
    EXPECT_EQ("&#;", html::DecodeEntities("&#;"));
}

TEST(InnerText, PreformattedTextKeepsItsLines) {
    EXPECT_EQ("a  b\r\n  c\r\nafter", InnerText("<pre>\na  b\r\n  c</pre>after"));
}

TEST(InnerText, TableCellsAreSeparatedByTabs) {
    EXPECT_EQ(
        "a\tb\r\nc\td",
        InnerText("<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"));
}

TEST(PlainText, ABrowserWrapsPlainTextInPre) {
    const std::string doc = html::PlainTextDocument("1,250\n<b>&");
    EXPECT_EQ("<pre>1,250\n&lt;b&gt;&amp;</pre>", BodyMarkup(doc, true).value());
    EXPECT_EQ("1,250\r\n<b>&", InnerText(BodyMarkup(doc, true).value()));
}

TEST(DocumentKind, WhatABrowserWouldRender) {
    EXPECT_EQ(html::DocumentKind::Html, html::KindOf("text/html; charset=utf-8"));
    EXPECT_EQ(html::DocumentKind::Html, html::KindOf(""));
    EXPECT_EQ(html::DocumentKind::Html, html::KindOf("Application/XHTML+XML"));
    EXPECT_EQ(html::DocumentKind::PlainText, html::KindOf("text/plain"));
    EXPECT_EQ(html::DocumentKind::Other, html::KindOf("image/png"));
    EXPECT_EQ(html::DocumentKind::Other, html::KindOf("application/octet-stream"));
}

TEST(DocumentKind, DeclaredCharsetFromTheHeaderOrAMeta) {
    EXPECT_EQ("utf-8", html::DeclaredCharset("text/html; Charset=\"UTF-8\"", ""));
    EXPECT_EQ("iso-8859-1",
              html::DeclaredCharset("text/html", "<head><meta charset=\"ISO-8859-1\"></head>"));
    EXPECT_EQ("windows-1251",
              html::DeclaredCharset("",
                                    "<meta http-equiv=\"Content-Type\" "
                                    "content=\"text/html; charset=windows-1251\">"));
    EXPECT_EQ("", html::DeclaredCharset("text/html", "<p>charset=x</p>"));
}

}  // namespace
