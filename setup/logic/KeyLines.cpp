#include "KeyLines.h"

#include <climits>

#include "TextToolkit.h"

namespace setup {

namespace {

std::string Field(const std::string& line, int n) {
    return text::GetFieldOf(line, n, ",", true);
}

// An optional sign and decimal digits, within the 32-bit signed range.
bool ReadInteger(const std::string& data, int32_t& value) {
    size_t at = 0;
    const bool negative = !data.empty() && data[0] == '-';
    if (!data.empty() && (data[0] == '-' || data[0] == '+')) at = 1;
    if (at == data.size()) return false;
    int64_t magnitude = 0;
    for (; at < data.size(); ++at) {
        if (data[at] < '0' || data[at] > '9') return false;
        magnitude = magnitude * 10 + (data[at] - '0');
        if (magnitude > static_cast<int64_t>(INT_MAX) + 1) return false;
    }
    if (!negative && magnitude > INT_MAX) return false;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

std::string KeyLine::FailureNote() const {
    return rootAndPath + "\\" + valueName;
}

std::vector<KeyLine> ReadKeyLines(const std::vector<std::string>& lines) {
    std::vector<KeyLine> keyLines;
    RegistryRoot root = RegistryRoot::CurrentUser;
    for (const std::string& line : lines) {
        KeyLine keyLine;
        keyLine.rootAndPath = Field(line, 0);
        const std::string rootWord = text::GetFieldOf(keyLine.rootAndPath, 0, "\\", true);
        if (rootWord == "HKEY_LOCAL_MACHINE") root = RegistryRoot::LocalMachine;
        if (rootWord == "HKEY_CURRENT_USER") root = RegistryRoot::CurrentUser;
        keyLine.root = root;
        keyLine.keyPath = text::GetFieldOf(keyLine.rootAndPath, 1, "\\", false);
        keyLine.type = text::LowerAscii(Field(line, 1));
        keyLine.valueName = Field(line, 2);
        keyLine.data = Field(line, 3);
        keyLines.push_back(keyLine);
    }
    return keyLines;
}

RegistryWrite WriteOf(const KeyLine& line) {
    RegistryWrite write;
    const std::string data = text::LowerAscii(line.data);
    if (line.type == "bool" && (data == "true" || data == "false")) {
        write.kind = RegistryWrite::Kind::Dword;
        write.dword = data == "true" ? 1 : 0;
    } else if (line.type == "string") {
        write.kind = RegistryWrite::Kind::String;
        write.text = line.data;
    } else if (line.type == "integer") {
        int32_t value = 0;
        write.failed = !ReadInteger(line.data, value);
        if (!write.failed) {
            write.kind = RegistryWrite::Kind::Dword;
            write.dword = static_cast<uint32_t>(value);
        }
    }
    return write;
}

void UndoKeyLines(const std::vector<KeyLine>& lines, RegistryEditor& registry, std::string& note) {
    using Result = RegistryEditor::Result;
    for (const KeyLine& line : lines) {
        if (registry.DeleteValue(line.root, line.keyPath, line.valueName) == Result::Failed)
            note = line.FailureNote();
        // A path without a key name names the root itself, which is never removed.
        const bool namesRoot = line.keyPath.find_first_not_of('\\') == std::string::npos;
        if (namesRoot || !registry.IsKeyEmpty(line.root, line.keyPath)) continue;
        if (registry.DeleteKey(line.root, line.keyPath) == Result::Failed)
            note = line.FailureNote();
    }
}

}  // namespace setup
