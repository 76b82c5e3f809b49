#include "FinishingScratch.h"

#include <shellapi.h>

#include <cstring>

#include "TextToolkit.h"

namespace testing_support {

class FinishingScratch::FakeSources : public text::FolderSources {
public:
    explicit FakeSources(const FinishingScratch& scratch) : scratch_(scratch) {}

    std::string Environment(const std::string& name) override {
        return text::LowerAscii(name) == "windir" ? scratch_.windows_ : std::string();
    }
    std::string ShellFolder(int csidl) override {
        switch (csidl) {
            case text::csidl::kCommonDesktopDirectory:
                return scratch_.Desktop();
            case text::csidl::kCommonStartup:
                return scratch_.Startup();
            case text::csidl::kCommonPrograms:
                return scratch_.Programs();
            case text::csidl::kSystem:
                return scratch_.Root() + "system32";
            default:
                return std::string();
        }
    }
    SizedText WindowsDirectory() override { return {}; }
    int64_t TempPathSize() override { return 0; }
    std::string TempPath(int64_t) override { return std::string(); }
    std::string RegistryString(text::RegistryRoot, const std::string&,
                               const std::string&) override {
        return std::string();
    }
    bool DirectoryExists(const std::string&) override { return false; }

private:
    const FinishingScratch& scratch_;
};

namespace {

const char* const kSourceFiles[][2] = {{"setup.exe", "MZ setup"},
                                       {"unzdll.dll", "MZ unzip"},
                                       {"setup.ini", "[Tarnwick Installer v1.10]\r\n"},
                                       {"setup.ico", "icon"}};

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

FinishingScratch::FinishingScratch() : sources_(new FakeSources(*this)) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = text::LowerAscii(std::string(temp) + "zembly finishing " +
                             std::to_string(GetCurrentProcessId()) + "\\");
    RemoveTree(root_);
    windows_ = root_ + "windows";
    for (const std::string& folder :
         {windows_, Install(), Desktop(), Startup(), Programs() + "Ed", root_ + "system32"})
        MakeFolders(folder);
    for (const auto& file : kSourceFiles) WriteFile(Source() + file[0], file[1]);
}

FinishingScratch::~FinishingScratch() {
    RemoveTree(root_);
    RemoveKeyAtEnd(HKEY_CURRENT_USER, RegistryKey());
    RemoveKeyAtEnd(HKEY_LOCAL_MACHINE, RegistryKey());
    for (const auto& [root, key] : keys_) {
        RegDeleteTreeA(root, key.c_str());
        RegDeleteKeyA(root, key.c_str());
    }
    delete sources_;
}

text::FolderSources& FinishingScratch::Sources() {
    return *sources_;
}

std::string FinishingScratch::Windows() const {
    return text::LowerAscii(windows_) + "\\";
}

void FinishingScratch::SetWindows(const std::string& folder) {
    windows_ = folder;
}

std::string FinishingScratch::SourceContent(const std::string& name) const {
    for (const auto& file : kSourceFiles)
        if (name == file[0]) return file[1];
    return std::string();
}

std::string FinishingScratch::RegistryKey() const {
    return "Software\\Zembly Finishing " + std::to_string(GetCurrentProcessId());
}

void FinishingScratch::RemoveKeyAtEnd(HKEY root, const std::string& key) {
    keys_.emplace_back(root, key);
}

std::vector<std::string> FinishingScratch::FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void FinishingScratch::EmptyFolder(const std::string& folder) const {
    for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + name).c_str());
}

void PrintTo(const RegistryValue& value, std::ostream* out) {
    *out << "{type " << value.type << ", \"" << value.data << "\"}";
}

std::optional<RegistryValue> ReadRegistry(HKEY root, const std::string& key,
                                          const std::string& name) {
    DWORD type = 0, size = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string data(size, '\0');
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY, &type, &data[0], &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        return RegistryValue{type, std::to_string(number)};
    }
    data.resize(size > 0 ? size - 1 : 0);
    return RegistryValue{type, data};
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::optional<std::string> FileContent(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    const bool ok = content.empty() ||
                    ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != content.size()) return std::nullopt;
    return content;
}

void WriteFile(const std::string& path, const std::string& content) {
    MakeFolders(path.substr(0, path.rfind('\\')));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void RemoveTree(const std::string& folder) {
    std::string from = folder;
    while (!from.empty() && from.back() == '\\') from.pop_back();
    from.push_back('\0');  // the list ends in two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

}  // namespace testing_support
