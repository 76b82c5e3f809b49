#include "EntryName.h"

#include <cstdint>

namespace unz {
namespace {

// Code page 437 from 0x80 up; below that it is ASCII.
constexpr char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

template <typename Char>
uint32_t Code(Char c) {
    return static_cast<std::make_unsigned_t<Char>>(c);
}

template <typename Char>
bool IsSeparator(Char c) {
    return c == '/' || c == '\\';
}

template <typename Char>
bool SameLetters(std::basic_string_view<Char> text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = Code(text[i]);
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        if (c != static_cast<unsigned char>(upper[i])) return false;
    }
    return true;
}

// Windows opens the device whatever follows the first dot, and ignores spaces before that dot.
template <typename Char>
bool IsDeviceName(std::basic_string_view<Char> part) {
    std::basic_string_view<Char> base = part.substr(0, part.find(Char('.')));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (SameLetters(base, device)) return true;
    }
    if (base.size() != 4) return false;
    if (!SameLetters(base.substr(0, 3), "COM") && !SameLetters(base.substr(0, 3), "LPT")) {
        return false;
    }
    const uint32_t digit = Code(base[3]);
    const bool superscript = sizeof(Char) > 1 && (digit == 0xB9 || digit == 0xB2 || digit == 0xB3);
    return (digit >= '1' && digit <= '9') || superscript;
}

template <typename Char>
bool IsSafePart(std::basic_string_view<Char> part) {
    bool onlyDotsAndSpaces = true;
    for (Char c : part) {
        const uint32_t code = Code(c);
        if (code < 0x20) return false;
        switch (code) {
            case ':':
            case '<':
            case '>':
            case '"':
            case '|':
            case '?':
            case '*':
                return false;
            case '.':
            case ' ':
                break;
            default:
                onlyDotsAndSpaces = false;
        }
    }
    return !onlyDotsAndSpaces && !IsDeviceName(part);
}

template <typename Char>
bool IsSafe(std::basic_string_view<Char> name) {
    if (!name.empty() && IsSeparator(name.back())) name.remove_suffix(1);
    if (name.empty()) return false;
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        if (!IsSafePart(name.substr(start, end - start))) return false;
        if (end == name.size()) return true;
        start = end + 1;
    }
}

}  // namespace

bool IsSafeEntryName(std::string_view name) {
    return IsSafe(name);
}
bool IsSafeEntryName(std::u16string_view name) {
    return IsSafe(name);
}

std::u16string DecodeCp437(std::string_view raw) {
    std::u16string text;
    text.reserve(raw.size());
    for (char c : raw) {
        const uint32_t code = Code(c);
        text.push_back(code < 0x80 ? static_cast<char16_t>(code) : kCp437High[code - 0x80]);
    }
    return text;
}

std::optional<std::u16string> DecodeUtf8(std::string_view raw) {
    std::u16string text;
    text.reserve(raw.size());
    size_t i = 0;
    while (i < raw.size()) {
        const uint32_t lead = Code(raw[i]);
        size_t length;
        uint32_t point;
        uint32_t least;
        if (lead < 0x80) {
            length = 1, point = lead, least = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, point = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, point = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, point = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (raw.size() - i < length) return std::nullopt;
        for (size_t k = 1; k < length; ++k) {
            const uint32_t next = Code(raw[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogate halves and points past the last plane.
        if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
            return std::nullopt;
        }
        if (point >= 0x10000) {
            point -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(point));
        }
        i += length;
    }
    return text;
}

std::optional<std::u16string> DecodeEntryName(std::string_view raw, bool utf8) {
    if (utf8) return DecodeUtf8(raw);
    return DecodeCp437(raw);
}

}  // namespace unz
