// Builds ZIP archives in memory for the tests, with zlib, and lets a test damage them on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ZipReader.h"

namespace ziptest {

struct Entry {
    Entry() = default;
    Entry(std::string name, std::string data, uint16_t method = 8, uint16_t flags = 0,
          std::string centralExtra = "")
        : name(std::move(name)),
          data(std::move(data)),
          method(method),
          flags(flags),
          centralExtra(std::move(centralExtra)) {}

    std::string name;
    std::string data;
    uint16_t method = 8;  // 8 is deflated with zlib; any other value stores the data as it is
    uint16_t flags = 0;
    std::string centralExtra;
};

struct Archive {
    std::string bytes;
    std::vector<uint32_t> local;    // offset of each entry's local header
    std::vector<uint32_t> central;  // offset of each entry's directory record
    uint32_t end = 0;               // offset of the end record

    void Put16(size_t at, uint16_t value);
    void Put32(size_t at, uint32_t value);
};

Archive Build(const std::vector<Entry>& entries);
// Bytes that deflate poorly, so that sizes stay close to what was written.
std::string Noise(size_t size, uint32_t seed = 1);

// What an extraction wrote, kept in memory.
class StringSink : public unz::ByteSink {
public:
    bool Write(const unsigned char* data, size_t size) override {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};

}  // namespace ziptest
