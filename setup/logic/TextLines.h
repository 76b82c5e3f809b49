// Cutting a text file into its lines the way a text-file reader does: a line ends at CR LF, at a
// lone LF or at a lone CR; a last line without an end still counts, and nothing is trimmed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace setup {

std::vector<std::string> SplitTextLines(std::string_view content);

}  // namespace setup
