// Replies from the network: read without crashing or growing without bound, and the same bytes
// give the same reply however the network cuts them into pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "HttpReply.h"

namespace {

struct Read {
    net::HttpReplyReader::State state;
    std::string body;
};

Read ReadInPieces(const char* data, size_t size, size_t piece) {
    net::HttpReplyReader reader;
    std::string body;
    for (size_t i = 0; i < size; i += piece) reader.Take(data + i, std::min(piece, size - i), body);
    reader.Close();
    return {reader.state(), body};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = data[0] % 7 + 1;
    const char* reply = reinterpret_cast<const char*>(data + 1);
    const Read whole = ReadInPieces(reply, size - 1, size);
    const Read pieces = ReadInPieces(reply, size - 1, piece);
    if (whole.state != pieces.state || whole.body != pieces.body || whole.body.size() >= size)
        std::abort();
    return 0;
}
