#include "StartupRules.h"

#include "HalfEven.h"
#include "StringList.h"

namespace setup {

std::string SourceFolderOf(const std::string& programPath) {
    const size_t at = programPath.rfind('\\');
    return at == std::string::npos ? std::string() : programPath.substr(0, at + 1);
}

LogoPlacement PlaceLogo(int pictureWidth, int pictureHeight, int windowOuterWidth) {
    LogoPlacement logo{pictureWidth, pictureHeight, 0, false};
    if (pictureHeight > kLogoBandHeight && pictureWidth >= 0) {
        logo.scaled = true;
        logo.height = kLogoBandHeight;
        logo.width =
            static_cast<int>(RoundHalfEven(static_cast<uint64_t>(pictureWidth) * kLogoBandHeight,
                                           static_cast<uint64_t>(pictureHeight)));
    }
    logo.left = windowOuterWidth - logo.width - 15;
    return logo;
}

std::vector<std::string> LicenceLines(const std::string& content) {
    std::vector<std::string> lines = gui::SplitLines(content);
    if (lines.empty()) lines.emplace_back();
    return lines;
}

std::string StartupPagePath(const std::string& title) {
    const bool setup = title.size() >= 5 && title.compare(title.size() - 5, 5, "Setup") == 0;
    return setup ? "/setup.htm" : "/uninstall.htm";
}

}  // namespace setup
