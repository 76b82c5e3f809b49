// Archives from anywhere: reading the directory, judging names and extracting entries never
// crash, and an entry never yields more bytes than it declares, nor fewer when it succeeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "EntryName.h"
#include "ZipReader.h"

namespace {

class CountingSink : public unz::ByteSink {
public:
    bool Write(const unsigned char*, size_t size) override {
        written += size;
        return true;
    }
    uint64_t written = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    unz::MemorySource source(data, size);
    unz::ZipArchive archive;
    if (archive.Open(source) != unz::ZipError::None) return 0;
    size_t tried = 0;
    for (const unz::ZipEntry& entry : archive.Entries()) {
        if (++tried > 16) break;
        const auto decoded = unz::DecodeEntryName(entry.name, entry.utf8);
        (void)unz::IsSafeEntryName(entry.name);
        if (decoded) (void)unz::IsSafeEntryName(*decoded);
        CountingSink sink;
        const unz::ZipError error = unz::ZipArchive::Extract(source, entry, sink);
        if (sink.written > entry.uncompressedSize) std::abort();
        if (error == unz::ZipError::None && sink.written != entry.uncompressedSize) std::abort();
    }
    return 0;
}
