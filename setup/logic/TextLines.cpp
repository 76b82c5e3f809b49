#include "TextLines.h"

namespace setup {

std::vector<std::string> SplitTextLines(std::string_view content) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < content.size()) {
        const size_t end = content.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.emplace_back(content.substr(begin));
            break;
        }
        lines.emplace_back(content.substr(begin, end - begin));
        begin = end + 1;
        if (content[end] == '\r' && begin < content.size() && content[begin] == '\n') ++begin;
    }
    return lines;
}

}  // namespace setup
