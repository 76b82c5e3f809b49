#include "DescribedPicture.h"

#include "Resources.h"

namespace gui {

std::string DescribedPicture(const PropertyValue& value) {
    if (value.kind != PropertyValue::Kind::Binary) return ResourceData(value.AsString());
    const std::vector<uint8_t>& data = value.data;
    size_t skip = 0;
    if (!data.empty() && data[0] > 0 && data[0] < 64 && data.size() > 1u + data[0]) {
        bool named = data[1] == 'T';
        for (size_t i = 1; named && i <= data[0]; ++i)
            named = (data[i] >= 'A' && data[i] <= 'Z') || (data[i] >= 'a' && data[i] <= 'z');
        if (named) skip = 1u + data[0];
    }
    return std::string(data.begin() + static_cast<std::ptrdiff_t>(skip), data.end());
}

}  // namespace gui
