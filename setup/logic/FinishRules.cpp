#include "FinishRules.h"

#include "Shortcuts.h"
#include "TextToolkit.h"

namespace setup {

bool HasRecordedTarget(const std::string& target) {
    return target != kNoTask;
}

TargetKind KindOfTarget(const std::string& target) {
    const std::string last = target.size() > 3 ? target.substr(target.size() - 3) : target;
    return text::LowerAscii(last) == "scr" ? TargetKind::ScreenSaver : TargetKind::Program;
}

std::string WorkingFolderOf(const std::string& target) {
    return text::KeepFieldsOf(target, 0, text::CountOf(target, "\\") - 1, "\\");
}

std::string ProgramCommand(const std::string& target) {
    return "\"" + target + "\"";
}

std::string ScreenSaverValue(const std::string& target) {
    const std::string fileName = text::GetFieldOf(target, text::CountOf(target, "\\"), "\\", false);
    const size_t dot = fileName.rfind('.');
    const size_t stemLength = dot == std::string::npos ? fileName.size() : dot;
    if (stemLength <= 8) return target;
    const size_t folderLength = target.size() - fileName.size();
    return target.substr(0, folderLength + 6) + "~1" + target.substr(target.size() - 4);
}

}  // namespace setup
