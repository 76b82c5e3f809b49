#include "CommandLine.h"

#include "FolderPaths.h"
#include "TextToolkit.h"

namespace setup {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr size_t kDigitIndex = 12;   // the 13th character
constexpr size_t kFolderIndex = 14;  // the 15th character

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    size_t at = 0;
    const size_t size = commandLine.size();
    while (true) {
        while (at < size && IsBlank(commandLine[at])) ++at;
        if (at == size) break;
        std::string argument;
        bool quoted = false;
        for (; at < size && (quoted || !IsBlank(commandLine[at])); ++at) {
            if (commandLine[at] == '"')
                quoted = !quoted;
            else
                argument += commandLine[at];
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::vector<std::string> ProgramArguments(const std::string& wholeCommandLine) {
    std::vector<std::string> arguments = SplitCommandLine(wholeCommandLine);
    if (!arguments.empty()) arguments.erase(arguments.begin());
    return arguments;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) joined += argument + " ";
    return joined;
}

UninstallCommand ReadUninstallCommand(const std::string& joinedArguments,
                                      const std::function<bool(const std::string&)>& folderExists) {
    UninstallCommand command;
    const std::string lower = text::LowerAscii(joinedArguments);
    command.uninstall = lower.compare(0, 10, "/uninstall") == 0;
    command.installFolderCreated = lower.size() > kDigitIndex && lower[kDigitIndex] == '1';
    if (!command.uninstall) return command;
    // The folder loses the blank that joining put after the last argument.
    if (joinedArguments.size() > kFolderIndex + 1)
        command.installFolder =
            joinedArguments.substr(kFolderIndex, joinedArguments.size() - kFolderIndex - 1);
    const bool digitValid =
        lower.size() > kDigitIndex && (lower[kDigitIndex] == '0' || lower[kDigitIndex] == '1');
    const std::string& folder = command.installFolder;
    command.accepted = digitValid && IsAbsolutePath(folder) && !IsDriveRoot(folder) &&
                       !HasRelativeParts(folder) && folderExists(folder);
    return command;
}

}  // namespace setup
