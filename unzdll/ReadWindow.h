// Reads of an archive served from one span of its bytes kept in memory. The wizard extracts an
// archive's entries one call at a time, in archive order, and most of them are small: opening the
// archive again for each of thousands of entries would cost more than extracting them. The
// archive is reached only when a read falls outside the span, which then moves to start there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "ZipReader.h"

namespace unz {

class WindowSource : public ByteSource {
public:
    // Gives the archive itself, opening it when needed; null when it cannot be opened.
    using Opener = std::function<ByteSource*()>;

    // `capacity`: the most bytes kept; a longer read goes to the archive directly.
    WindowSource(size_t capacity, Opener open) : capacity_(capacity), open_(std::move(open)) {}

    // Another archive, or the same one changed: nothing read before is served again.
    void Reset(uint64_t size);

    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* out, size_t length) override;

private:
    size_t capacity_;
    Opener open_;
    uint64_t size_ = 0;
    uint64_t start_ = 0;
    std::vector<unsigned char> bytes_;
};

}  // namespace unz
