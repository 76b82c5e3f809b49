// The two ends of one HTTP/1.1 exchange as the fetcher speaks it: the GET request it sends, and
// a reader that takes the reply apart as its bytes arrive and knows whether the body arrived in
// full. Portable: no windows.h here.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "HttpUrl.h"

namespace net {

// The GET for `url`: Host, the client's few headers, no cache on the way, and one request per
// connection.
std::string GetRequestFor(const HttpUrl& url);

class HttpReplyReader {
public:
    enum class State {
        Head,      // the head has not arrived in full
        Body,      // the head is there; the body is arriving
        Complete,  // the reply arrived in full
        Broken,    // not HTTP, malformed framing, or cut off before its end
    };

    // Takes the next bytes of the connection and appends the body's bytes among them, freed of
    // their framing, to `body`.
    State Take(const char* data, size_t size, std::string& body);
    // The connection has ended: a body that runs to the close is complete there; a head, a body
    // shorter than its length or chunks without their last one are cut off.
    State Close();

    State state() const { return state_; }
    // Valid once the head has arrived.
    int Status() const { return status_; }
    // The value of a header (name without case), several of one name joined by ", "; empty when
    // absent.
    std::string Header(const std::string& name) const;

    // A head larger than this is refused: a host cannot make the client hold it without end.
    static const size_t kMaxHeadBytes = 64 * 1024;

private:
    enum class Framing { None, Length, Chunked, UntilClose };
    enum class ChunkPart { Size, Data, DataEnd, Trailer };

    bool TakeHeadLine(const std::string& line);
    bool StartBody();
    void TakeBody(const char*& data, size_t& size, std::string& body);
    // Takes up to `left_` bytes of body; true when none are left.
    bool TakeCounted(const char*& data, size_t& size, std::string& body);
    bool TakeChunked(const char*& data, size_t& size, std::string& body);
    bool TakeChunkLine(const std::string& line);
    // Moves a whole line (without its end) from data into `line`; false when it has not ended.
    bool NextLine(const char*& data, size_t& size, std::string& line);

    State state_ = State::Head;
    std::string partial_;  // a line still arriving
    size_t headBytes_ = 0;
    int status_ = 0;
    std::vector<std::pair<std::string, std::string>> headers_;  // names in lower case

    Framing framing_ = Framing::None;
    unsigned long long left_ = 0;  // of the body (Length) or of the chunk (Chunked)
    ChunkPart chunkPart_ = ChunkPart::Size;
};

}  // namespace net
