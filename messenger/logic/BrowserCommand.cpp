#include "BrowserCommand.h"

#include "TextToolkit.h"

namespace messenger {

std::string BrowserProgram(const std::string& command) {
    const size_t open = command.find('"');
    if (open == std::string::npos) return {};
    const size_t close = command.find('"', open + 1);
    if (close == std::string::npos) return {};
    return command.substr(open + 1, close - open - 1);
}

std::string BrowserArgument(const std::string& pageAddress) {
    std::string argument = "\"";
    for (char c : pageAddress) {
        if (c == '"')
            argument += "%22";
        else
            argument += c;
    }
    size_t trailing = 0;
    while (trailing < pageAddress.size() && pageAddress[pageAddress.size() - 1 - trailing] == '\\')
        ++trailing;
    argument.append(trailing, '\\');
    return argument + "\"";
}

std::string BrowserFailureMessage(const std::string& siteDomain) {
    std::string message = "Unable to detect a suitable web browser!";
    text::AppendLineBreaks(2, message);
    return message + "Please visit " + siteDomain + " from your default web browser.";
}

}  // namespace messenger
