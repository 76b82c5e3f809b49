#include "SetupIni.h"

#include <algorithm>

#include "StringList.h"
#include "TextToolkit.h"

namespace setup {

namespace {

// The list that file lines go to: the required list before any component section, then the list
// of the latest component; none after the tenth.
std::vector<std::string>* CurrentFileList(SetupConfig& config) {
    if (config.componentSections == 0) return &config.requiredFileLines;
    if (config.componentSections > kComponentBoxes) return nullptr;
    return &config.components[config.componentSections - 1].fileLines;
}

char FileLineType(const std::string& key) {
    if (key == "file") return kPlainFileType;
    if (key == "startup") return kStartupType;
    if (key == "scr") return kScreenSaverType;
    if (key == "app") return kApplicationType;
    return 0;
}

}  // namespace

int SetupConfig::VisibleComponents() const {
    return std::min(componentSections, kComponentBoxes);
}

bool IsSetupIniHeader(const std::string& line) {
    return line == "[Tarnwick Installer v1.00]" || line == "[Tarnwick Installer v1.10]";
}

std::string FeedbackIdOf(const std::string& value) {
    const std::string between = text::GetFieldOf(value, 1, "|", true);
    if (!between.empty()) return between;
    const std::string before = text::GetFieldOf(value, 0, "|", true);
    if (!before.empty()) return before;
    return "None";
}

void ApplySetupIniLine(const std::string& line, const SetupIniContext& context,
                       SetupConfig& config) {
    const size_t equals = line.find('=');
    const std::string key =
        text::LowerAscii(equals == std::string::npos ? line : line.substr(0, equals));
    const std::string value = equals == std::string::npos ? line : line.substr(equals + 1);
    const bool section = !value.empty() && value[0] == '[';

    if (key == "progname") config.progName = value;
    if (key == "version") {
        config.title =
            config.progName + " v" + value + (context.uninstallMode ? " Uninstall" : " Setup");
        config.welcome += config.progName + " setup program.";
        config.installFolder += config.progName;
        config.programMenuFolder = config.progName;
    }
    if (key == "feedback" && context.uninstallMode) config.feedbackId = FeedbackIdOf(value);
    if (key == "company") {
        config.installFolder += value + "\\";
        config.company = value;
    }
    if (key == "scr") config.installFolder = context.screenSaverFolder;
    if (section) {
        const std::string lowerValue = text::LowerAscii(value);
        if (lowerValue != "[registry]" && lowerValue != "[minimal]") {
            if (config.componentSections <= kComponentBoxes) ++config.componentSections;
            if (config.componentSections <= kComponentBoxes) {
                // Less the first and the last character: "[Docs]" names "Docs", "[Docs" "Doc".
                config.components[config.componentSections - 1].caption =
                    value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string();
            }
        }
    }
    if (const char type = FileLineType(key)) {
        if (std::vector<std::string>* list = CurrentFileList(config))
            list->push_back(std::string(1, type) + "," + value);
    }
    if (key == "key") config.keyLines.push_back(value);
}

bool ReadSetupIni(const std::string& content, const SetupIniContext& context, SetupConfig& config) {
    const std::vector<std::string> lines = gui::SplitLines(content);
    if (lines.empty() || !IsSetupIniHeader(lines[0])) return false;
    for (size_t i = 1; i < lines.size(); ++i) ApplySetupIniLine(lines[i], context, config);
    return true;
}

}  // namespace setup
