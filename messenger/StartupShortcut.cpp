#include "StartupShortcut.h"

#include "TextToolkit.h"

namespace messenger {

std::string ShortcutNotSavedText(const std::string& linkPath, const std::string& reason) {
    std::string text = "The startup shortcut could not be saved:";
    text::AppendLineBreaks(1, text);
    text += linkPath;
    text::AppendLineBreaks(1, text);
    return text + reason + ".";
}

}  // namespace messenger
