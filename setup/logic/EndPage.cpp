#include "EndPage.h"

namespace setup {

namespace {

const std::string kWarningHead = "WARNING:\n\r\n\r";

}  // namespace

std::string InstallEndWarning(const std::string& note, bool nothingListed) {
    if (nothingListed)
        return kWarningHead + "Setup reported an error: No files found for extraction.";
    if (note.empty()) return std::string();
    return kWarningHead + "Setup reported an error whilst writing: " + note + ".";
}

std::string UninstallEndWarning(const std::string& note) {
    if (note.empty()) return std::string();
    return kWarningHead + "Setup reported an error whilst removing: " + note + ".";
}

}  // namespace setup
