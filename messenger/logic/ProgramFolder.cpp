#include "ProgramFolder.h"

#include "TextToolkit.h"

namespace messenger {

namespace {

// "C:\x", "C:x" (a drive of its own), "\x" and "\\server\x" do not lie under the program folder.
bool IsRelative(const std::string& name) {
    if (!name.empty() && (name[0] == '\\' || name[0] == '/')) return false;
    return !(name.size() >= 2 && name[1] == ':');
}

}  // namespace

std::string ProgramFolder(const std::string& programPath) {
    const size_t slash = programPath.rfind('\\');
    return slash == std::string::npos ? std::string() : programPath.substr(0, slash + 1);
}

std::string SoundFileToOpen(const std::string& setting, const std::string& programFolder) {
    const std::string name = text::RemoveAllOf(setting, "\"");
    if (name.empty()) return {};
    return IsRelative(name) ? programFolder + name : name;
}

}  // namespace messenger
