#include "ReadWindow.h"

#include <algorithm>
#include <cstring>

namespace unz {

void WindowSource::Reset(uint64_t size) {
    size_ = size;
    start_ = 0;
    bytes_.clear();
}

bool WindowSource::ReadAt(uint64_t offset, void* out, size_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    if (offset >= start_ && offset - start_ <= bytes_.size() &&
        length <= bytes_.size() - (offset - start_)) {
        if (length > 0) std::memcpy(out, bytes_.data() + (offset - start_), length);
        return true;
    }
    ByteSource* archive = open_();
    if (!archive) return false;
    if (length > capacity_) return archive->ReadAt(offset, out, length);
    const size_t span = static_cast<size_t>(std::min<uint64_t>(capacity_, size_ - offset));
    bytes_.resize(span);
    if (!archive->ReadAt(offset, bytes_.data(), span)) {
        bytes_.clear();
        return false;
    }
    start_ = offset;
    if (length > 0) std::memcpy(out, bytes_.data(), length);
    return true;
}

}  // namespace unz
