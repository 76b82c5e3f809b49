// The wizard's setup.ini reader and its uninstall command check on arbitrary bytes, with the
// properties the window relies on.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CommandLine.h"
#include "FolderPaths.h"
#include "SetupIni.h"

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool uninstall = data[0] & 1;
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);

    setup::SetupConfig config;
    config.installFolder = "c:\\program files\\";
    const setup::SetupIniContext context{uninstall, "c:\\windows\\system32\\"};
    if (setup::ReadSetupIni(content, context, config)) {
        Require(content.rfind("[Tarnwick Installer v1.", 0) == 0);
        Require(config.VisibleComponents() >= 0 && config.VisibleComponents() <= 10);
        auto typed = [](const std::string& line) {
            return line.size() >= 2 && line[0] >= '0' && line[0] <= '3' && line[1] == ',';
        };
        for (const std::string& line : config.requiredFileLines) Require(typed(line));
        for (const setup::Component& component : config.components)
            for (const std::string& line : component.fileLines) Require(typed(line));
        Require(!config.feedbackId.empty());
        if (!uninstall) Require(config.feedbackId == "None");
    }

    // The same bytes as a command line: an accepted uninstall folder is always one that the
    // uninstaller may remove.
    const std::string joined = setup::JoinArguments(setup::SplitCommandLine(content));
    const setup::UninstallCommand command =
        setup::ReadUninstallCommand(joined, [](const std::string&) { return true; });
    if (command.accepted) {
        Require(command.uninstall);
        Require(setup::IsAbsolutePath(command.installFolder));
        Require(!setup::IsDriveRoot(command.installFolder));
        Require(!setup::HasRelativeParts(command.installFolder));
    }
    return 0;
}
