// Picture data as form descriptions hold it: the bare bytes of a picture file, or (as the class
// library writes it) the picture class's name as a short string ahead of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gui {

struct PictureBytes {
    const uint8_t* data;
    size_t size;
};

// The picture file's bytes within the described data.
PictureBytes DescribedPictureBytes(const std::vector<uint8_t>& data);

}  // namespace gui
