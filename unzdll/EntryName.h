// Archive entry names: whether one may be written under a target folder, and its characters.
// Portable, so the wizard's listing applies the same rules as the library.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace unz {

// True when the name stays inside the folder it is extracted to and names an ordinary file on
// Windows: not empty, no NUL or control character, not absolute, no drive or stream (":"), no
// part made only of dots and spaces (".." and its look-alikes), no empty part, and no reserved
// device name (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9) in any case, with or without
// an extension. "/" and "\" both separate parts; one trailing separator marks a folder entry.
// The byte form checks raw names (ASCII is the same in code page 437, UTF-8 and the ANSI pages);
// the wide form also knows the superscript-digit ports (COM¹, LPT²).
bool IsSafeEntryName(std::string_view name);
bool IsSafeEntryName(std::u16string_view name);

// The name's characters: UTF-8 when the entry says so (general-purpose flag bit 11), code page
// 437 otherwise. Empty when UTF-8 is claimed and the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeEntryName(std::string_view raw, bool utf8);

std::u16string DecodeCp437(std::string_view raw);
std::optional<std::u16string> DecodeUtf8(std::string_view raw);

}  // namespace unz
