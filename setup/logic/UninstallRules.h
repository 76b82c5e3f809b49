// The uninstall road's rules: whether feedback is sent, the removal list and what each of its
// lines names (link, folder, mask), the bar values of its stages, and which folders must never be
// removed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AccountServiceProtocol.h"
#include "SetupIni.h"

namespace setup {

// The feedback request, or nothing: no feedback id ("None"), or a text of five characters or
// fewer (line breaks count).
std::optional<std::string> FeedbackAddress(const std::string& feedbackId,
                                           const std::string& progName, const std::string& memoText,
                                           const AccountServiceProtocol& protocol);

// Every file line of every component, installed or not, then the wizard's own two copies.
constexpr int kOwnFileLines = 2;
std::vector<std::string> RemovalList(const SetupConfig& config);

// The folder a removal line's files lie in and the mask that selects them. A third field equal to
// the mask (or none) means the install folder itself. A mask with folder parts ("docs/*") lists
// the files of that folder below the line's folder, so those parts move into the folder. A line
// whose subfolder or mask folder could lead out of the install folder (as the install refuses to
// write there) selects nothing.
struct RemovalTarget {
    std::string folder;
    std::string mask;
    bool inside = true;
};
RemovalTarget RemovalTargetOf(const std::string& line, const std::string& installFolder);

// The link a removal line's entry got: the product name for line 0, else the mask cut before its
// first "." (without the folder parts, as links never hold them).
std::string RemovedLinkName(size_t line, const std::string& removalLine,
                            const std::string& progName);

// The overall bar: 20 after the registry, 40 after the links, 40 + 30 div (lines - line) while
// the files of a line go, 80 at the Add/Remove Programs entry, then 90 to 100 in 500 steps.
constexpr int kRegistryDoneBar = 20;
constexpr int kLinksDoneBar = 40;
constexpr int kEntryBar = 80;
constexpr int kClosingSteps = 500;
int FileStageBar(size_t line, size_t lines);
int ClosingBar(int step);  // step 1 to 500

// True when removing `folder` would take a protected folder with it: the folder is one of them
// or lies above one. Drive roots, and texts that are not absolute or hold "." or ".." parts, are
// always refused.
bool IsProtectedFolder(const std::string& folder, const std::vector<std::string>& protectedFolders);

}  // namespace setup
