// Any text gives a tree or a DescriptionError, never a crash, a hang or another exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const gui::DescribedObject root = gui::ParseDescription(text);
        if (root.className.empty()) __builtin_trap();
    } catch (const gui::DescriptionError& error) {
        if (error.Line() < 0) __builtin_trap();
    }
    return 0;
}
