#include "TestGif.h"

namespace library_test {

namespace {

void Word(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// LZW with 9-bit codes throughout: a clear code before every 250 pixels keeps the decoder's table
// from ever needing a wider code.
std::string Compress(const std::vector<uint8_t>& indices) {
    const int clear = 256, end = 257;
    std::vector<int> codes;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % 250 == 0) codes.push_back(clear);
        codes.push_back(indices[i]);
    }
    codes.push_back(end);
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        count += 9;
        while (count >= 8) {
            bytes += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) bytes += static_cast<char>(bits & 0xFF);
    std::string blocks(1, '\x08');  // minimum code size
    for (size_t at = 0; at < bytes.size(); at += 255) {
        std::string part = bytes.substr(at, 255);
        blocks += static_cast<char>(part.size());
        blocks += part;
    }
    blocks += '\0';
    return blocks;
}

}  // namespace

std::string MakeAnimatedGif(int width, int height, const std::vector<uint32_t>& palette,
                            const std::vector<GifFrameSpec>& frames) {
    std::string out = "GIF89a";
    Word(out, width);
    Word(out, height);
    out += '\x91';  // global colour table of four entries
    out += '\0';    // background colour
    out += '\0';    // aspect
    for (int i = 0; i < 4; ++i) {
        uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out += static_cast<char>(c >> 16);
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c);
    }
    out += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);  // loop forever
    for (const GifFrameSpec& frame : frames) {
        out += "\x21\xF9\x04";
        out += static_cast<char>((frame.disposal << 2) | (frame.transparentIndex >= 0 ? 1 : 0));
        Word(out, frame.delay);
        out += static_cast<char>(frame.transparentIndex >= 0 ? frame.transparentIndex : 0);
        out += '\0';
        out += '\x2C';
        Word(out, frame.left);
        Word(out, frame.top);
        Word(out, frame.width);
        Word(out, frame.height);
        out += '\0';
        out += Compress(frame.indices);
    }
    out += '\x3B';
    return out;
}

}  // namespace library_test
