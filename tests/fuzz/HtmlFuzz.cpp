// Page bodies arriving in any state: extraction must neither crash nor grow without bound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "HtmlText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    for (bool complete : {false, true}) {
        const auto body = html::BodyMarkup(document, complete);
        if (body && body->size() > document.size()) __builtin_trap();
        if (body) (void)html::InnerText(*body);
    }
    (void)html::DecodeEntities(document);
    (void)html::DeclaredCharset(document, document);
    (void)html::PlainTextDocument(document);
    return 0;
}
