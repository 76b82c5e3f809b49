#include "UninstallRules.h"

#include "EntryName.h"
#include "FolderPaths.h"
#include "Shortcuts.h"
#include "TextToolkit.h"

namespace setup {

std::optional<std::string> FeedbackAddress(const std::string& feedbackId,
                                           const std::string& progName, const std::string& memoText,
                                           const AccountServiceProtocol& protocol) {
    if (feedbackId == "None" || memoText.size() <= 5) return std::nullopt;
    return protocol.SendFeedbackAddress(feedbackId, progName,
                                        AccountServiceProtocol::FeedbackText(memoText));
}

std::vector<std::string> RemovalList(const SetupConfig& config) {
    std::vector<std::string> lines = config.requiredFileLines;
    for (const Component& component : config.components)
        lines.insert(lines.end(), component.fileLines.begin(), component.fileLines.end());
    lines.push_back("0,setup.ini");
    lines.push_back("0,setup.ico");
    return lines;
}

RemovalTarget RemovalTargetOf(const std::string& line, const std::string& installFolder) {
    RemovalTarget target;
    const std::string mask = text::GetFieldOf(line, 1, ",", true);
    const std::string sub = text::GetFieldOf(line, 2, ",", true);
    target.folder = sub == mask ? installFolder : installFolder + "\\" + sub;
    target.inside = sub == mask || unz::IsSafeEntryName(sub);
    target.mask = NamePartOf(mask);
    const std::string maskFolder = FolderPartOf(mask);
    if (!maskFolder.empty()) {
        target.folder += "\\" + maskFolder;
        target.inside = target.inside && unz::IsSafeEntryName(maskFolder);
    }
    return target;
}

std::string RemovedLinkName(size_t line, const std::string& removalLine,
                            const std::string& progName) {
    if (line == 0) return WithoutFolderParts(progName);
    const std::string mask = WithoutFolderParts(text::GetFieldOf(removalLine, 1, ",", true));
    return text::GetFieldOf(mask, 0, ".", true);
}

int FileStageBar(size_t line, size_t lines) {
    return lines > line ? kLinksDoneBar + static_cast<int>(30 / (lines - line)) : kLinksDoneBar;
}

int ClosingBar(int step) {
    return step / 50 + 90;
}

bool IsProtectedFolder(const std::string& folder,
                       const std::vector<std::string>& protectedFolders) {
    if (!IsAbsolutePath(folder) || HasRelativeParts(folder) || IsDriveRoot(folder)) return true;
    for (const std::string& kept : protectedFolders)
        if (!kept.empty() && IsAtOrBelow(kept, folder)) return true;
    return false;
}

}  // namespace setup
