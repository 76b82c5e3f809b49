#include "ReleaseCheck.h"

#include "ServiceHost.h"
#include "TextToolkit.h"

namespace messenger {

std::string ReleaseLabelText() {
    return "364," + service::BrowserPageAddress("infozsms,");
}

std::string ProductNumber(const std::string& releaseLabel) {
    return releaseLabel.substr(0, releaseLabel.find(','));
}

std::string DownloadAddress(const std::string& releaseLabel) {
    const size_t comma = releaseLabel.find(',');
    return comma == std::string::npos ? releaseLabel : releaseLabel.substr(comma + 1);
}

bool IsNewRelease(const std::string& reply, const std::string& runningVersion) {
    if (reply.find_first_not_of(" \t\r\n\v\f") == std::string::npos) return false;
    return reply != runningVersion && reply != "failed";
}

std::string ReleaseNotice(const std::string& reply, const std::string& downloadAddress) {
    std::string notice = reply + " has now been released!";
    text::AppendLineBreaks(2, notice);
    return notice + downloadAddress;
}

}  // namespace messenger
