// The string toolkit behind KelTextHandler: separator fields, case-folded search, replace, remove
// and count, the settings-password scrambler and the line breaks of message boxes. Portable: no
// windows.h here.
//
// Texts are 8-bit strings with positions counted from 1. A search text S occurs at position p of
// a text T when the Length(S) characters of T starting at p equal S; an occurrence lies wholly
// inside T, and an empty S occurs at every position of T. GetFieldOf and KeepFieldsOf compare
// exactly; RemoveAllOf, ReplaceAllOf, CountOf and StartsWith fold only the ASCII letters A-Z onto
// a-z on both sides (every other byte compares exactly).
#pragma once

#include <cstdint>
#include <string>

namespace text {

// Skips `skip` times up to and including the leftmost separator (a skip stops having any effect
// once no separator is left), then, with `cutOff`, cuts the text at the separators found from its
// end leftwards (for a separator that cannot overlap itself: keeps the text before the first
// one). 'a,b,c' gives 'a', 'b', 'c' for skip 0, 1, 2 with cutOff; 'c' again for any larger skip.
std::string GetFieldOf(std::string text, int32_t skip, const std::string& separator, bool cutOff);

// Skips as GetFieldOf, then keeps the text before the count-th (overlapping) occurrence of the
// separator: the first `count` fields with the separators between them. Fewer occurrences or a
// negative count keep the whole text; count 0 empties the text unless it begins with the
// separator.
std::string KeepFieldsOf(std::string text, int32_t skip, int32_t count,
                         const std::string& separator);

// Deletes occurrences visiting the positions from right to left through the shortened text, so
// the result holds no occurrence at all ('aabb' less 'ab' is empty). An empty search text leaves
// the text unchanged.
std::string RemoveAllOf(const std::string& text, const std::string& search);

// Replaces occurrences visiting the positions from right to left; text at and right of a
// replacement is not visited again, but an occurrence starting to its left and running into it
// is ('aab' with 'ab' replaced by 'b' gives 'b'). An empty search text leaves the text unchanged.
std::string ReplaceAllOf(const std::string& text, const std::string& search,
                         const std::string& replacement);

// Number of positions at which the search text occurs, overlapping ones counted separately; an
// empty search text counts the text's length.
int32_t CountOf(const std::string& text, const std::string& search);

// True when the text begins with the prefix (case folded); an empty prefix gives true.
bool StartsWith(const std::string& text, const std::string& prefix);

// Keyless shift of the settings file's passwords: code c at index i becomes c + 2i + 50, less 74
// until it is at most 122. UnscrambleText undoes it for the characters '0' to 'y'.
std::string ScrambleText(const std::string& text);
std::string UnscrambleText(const std::string& text);

// Appends count times line feed then carriage return (LF CR, in that order).
void AppendLineBreaks(int32_t count, std::string& text);

// The ASCII letters A-Z folded onto a-z; every other byte kept.
std::string LowerAscii(std::string text);

}  // namespace text
