#include <gtest/gtest.h>

#include "HttpReply.h"

namespace {

using net::HttpReplyReader;
using State = HttpReplyReader::State;

struct Read {
    State state;
    std::string body;
    int status;
};

// Feeds `bytes` in pieces of `piece` bytes, then (with `closed`) ends the connection. Every case
// is read whole and a byte at a time: a reply may be cut anywhere by the network.
Read Feed(const std::string& bytes, size_t piece, bool closed = true) {
    HttpReplyReader reader;
    std::string body;
    for (size_t i = 0; i < bytes.size(); i += piece)
        reader.Take(bytes.data() + i, std::min(piece, bytes.size() - i), body);
    if (closed) reader.Close();
    return {reader.state(), body, reader.Status()};
}

void ExpectRead(State state, const std::string& body, const std::string& bytes,
                bool closed = true) {
    for (size_t piece : {bytes.size() + 1, size_t{1}}) {
        const Read read = Feed(bytes, piece, closed);
        EXPECT_EQ(state, read.state) << "in pieces of " << piece << ":\n" << bytes;
        EXPECT_EQ(body, read.body) << "in pieces of " << piece << ":\n" << bytes;
    }
}

const char kHead[] = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n";

TEST(HttpReplyReader, ABodyShorterThanItsLengthIsCutOff) {
    const std::string head = std::string(kHead) + "Content-Length: 10\r\n\r\n";
    ExpectRead(State::Broken, "250,0,0", head + "250,0,0");
    ExpectRead(State::Complete, "250,0,07,3", head + "250,0,07,3");
    // The length ends the reply without waiting for the close; what follows is no body.
    ExpectRead(State::Complete, "250,0,07,3", head + "250,0,07,3" + "garbage", false);
    ExpectRead(State::Body, "250", head + "250", false);
    ExpectRead(State::Complete, "", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false);
}

TEST(HttpReplyReader, ChunksMustEndWithTheLastChunk) {
    const std::string head = std::string(kHead) + "Transfer-Encoding: chunked\r\n\r\n";
    const std::string chunks = "7\r\n250,0,0\r\n3;name=value\r\n7,3\r\n";
    ExpectRead(State::Complete, "250,0,07,3", head + chunks + "0\r\n\r\n", false);
    ExpectRead(State::Complete, "250,0,07,3", head + chunks + "0\r\nX-Trailer: 1\r\n\r\n", false);
    // Cut before the last chunk, inside a chunk, and between the last chunk and its end.
    ExpectRead(State::Broken, "250,0,07,3", head + chunks);
    ExpectRead(State::Broken, "250,0", head + "7\r\n250,0");
    ExpectRead(State::Broken, "250,0,07,3", head + chunks + "0\r\n");
    // Framing that is not chunked framing.
    ExpectRead(State::Broken, "", head + "x\r\n");
    ExpectRead(State::Broken, "250,0,0", head + "7\r\n250,0,0xx\r\n");
    // The chunks win over a length, whatever it says.
    ExpectRead(State::Complete, "abc",
               "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nTransfer-Encoding: chunked\r\n\r\n"
               "3\r\nabc\r\n0\r\n\r\n",
               false);
}

TEST(HttpReplyReader, ABodyWithoutLengthOrChunksEndsWithTheConnection) {
    ExpectRead(State::Complete, "250,0,0", std::string(kHead) + "\r\n250,0,0");
    ExpectRead(State::Body, "250,0,0", std::string(kHead) + "\r\n250,0,0", false);
    ExpectRead(State::Complete, "x",
               "HTTP/1.0 200 OK\r\nTransfer-Encoding: gzip\r\nContent-Length: 9\r\n\r\nx");
}

TEST(HttpReplyReader, HeadsAreReadLikeAClientMust) {
    // An interim reply comes before the real one; 204 has no body; folded lines continue.
    const Read read = Feed(
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 302 Found\r\nLocation: /a\r\n  b\r\n"
        "X: 1\r\nx: 2\r\nContent-Length: 2\r\n\r\nok",
        1, false);
    EXPECT_EQ(State::Complete, read.state);
    EXPECT_EQ(302, read.status);
    HttpReplyReader reader;
    std::string body;
    const std::string head = "HTTP/1.1 200\nlocation:  /a \nX: 1\nx: 2\n\n";
    reader.Take(head.data(), head.size(), body);
    EXPECT_EQ(200, reader.Status());
    EXPECT_EQ("/a", reader.Header("Location"));
    EXPECT_EQ("1, 2", reader.Header("x"));
    EXPECT_EQ("", reader.Header("Content-Type"));
    ExpectRead(State::Complete, "", "HTTP/1.1 204 No Content\r\n\r\n", false);
    ExpectRead(State::Complete, "ab", "HTTP/1.1 200 OK\r\nContent-Length: 2, 2\r\n\r\nab", false);
}

TEST(HttpReplyReader, WhatIsNoHttpReplyIsBroken) {
    for (const char* bad : {"HTTP/1.1 200 OK\r\n", "\x16\x03\x01 binary", "HTTP/2 200\r\n\r\n",
                            "HTTP/1.1 2000 OK\r\n\r\n", "HTTP/1.1 200 OK\r\nNo colon\r\n\r\n",
                            "HTTP/1.1 200 OK\r\nBad name: x\r\n\r\n",
                            "HTTP/1.1 200 OK\r\nContent-Length: 1, 2\r\n\r\nab",
                            "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n",
                            // Lengths that overflow must not wrap round to a small one.
                            "HTTP/1.1 200 OK\r\nContent-Length: 18446744073709551617\r\n\r\nab",
                            "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                            "10000000000000001\r\nab\r\n0\r\n\r\n"}) {
        ExpectRead(State::Broken, "", bad);
    }
    // A head that never ends is refused before it grows without bound.
    std::string endless = "HTTP/1.1 200 OK\r\n";
    while (endless.size() <= HttpReplyReader::kMaxHeadBytes) endless += "X-Filler: waiting\r\n";
    EXPECT_EQ(State::Broken, Feed(endless, 4096, false).state);
    const std::string endlessLine(HttpReplyReader::kMaxHeadBytes + 1, 'a');
    EXPECT_EQ(State::Broken, Feed("HTTP/1.1 200 OK\r\nX: " + endlessLine, 4096, false).state);
    EXPECT_EQ(
        State::Broken,
        Feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + endlessLine, 4096, false)
            .state);
}

TEST(HttpRequest, HostCarriesThePortOnlyWhenItIsNotTheDefault) {
    const auto request = net::GetRequestFor(*net::ParseHttpUrl("http://h.example/a?b"));
    EXPECT_EQ(0u, request.find("GET /a?b HTTP/1.1\r\nHost: h.example\r\n"));
    EXPECT_NE(std::string::npos, request.find("\r\nConnection: close\r\n\r\n"));
    EXPECT_NE(std::string::npos, net::GetRequestFor(*net::ParseHttpUrl("https://h.example:80/"))
                                     .find("\r\nHost: h.example:80\r\n"));
    EXPECT_NE(std::string::npos, net::GetRequestFor(*net::ParseHttpUrl("https://h.example:443/"))
                                     .find("\r\nHost: h.example\r\n"));
    EXPECT_NE(std::string::npos, net::GetRequestFor(*net::ParseHttpUrl("http://[::1]:8080/"))
                                     .find("\r\nHost: [::1]:8080\r\n"));
}

}  // namespace
