// The field toolkit on arbitrary texts, with the properties its callers rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "TextToolkit.h"

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // First byte: skip count; second: search text length; the rest: search text, then text.
    const int32_t skip = static_cast<int8_t>(data[0]);
    const size_t searchLength = data[1] % 8;
    const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string search = rest.substr(0, searchLength);
    const std::string text = rest.substr(std::min(searchLength, rest.size()));

    const std::string field = text::GetFieldOf(text, skip, search, true);
    Require(field.size() <= text.size());
    Require(text::KeepFieldsOf(text, skip, data[1] % 5, search).size() <= text.size());

    const std::string removed = text::RemoveAllOf(text, search);
    if (!search.empty()) Require(text::CountOf(removed, search) == 0);

    const std::string replaced = text::ReplaceAllOf(text, search, "");
    Require(replaced.size() <= text.size());
    Require(text::CountOf(text, search) >= 0);

    const std::string scrambled = text::ScrambleText(text);
    Require(scrambled.size() == text.size());
    for (char c : scrambled) Require(c >= '1' && c <= 'z');
    bool reversible = true;
    for (char c : text) reversible = reversible && c >= '0' && c <= 'y';
    if (reversible) Require(text::UnscrambleText(scrambled) == text);
    return 0;
}
