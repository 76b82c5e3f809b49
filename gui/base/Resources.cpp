#include <windows.h>

#include "Resources.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "Component.h"

namespace gui {

namespace {
std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::map<std::string, std::string>& Added() {
    static std::map<std::string, std::string> added;
    return added;
}
}  // namespace

void AddResource(const std::string& name, std::string data) {
    Added()[Upper(name)] = std::move(data);
}

bool FindResourceData(const std::string& name, std::string& data) {
    if (name.empty()) return false;
    auto it = Added().find(Upper(name));
    if (it != Added().end()) {
        data = it->second;
        return true;
    }
    HRSRC info = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info) return false;
    HGLOBAL loaded = LoadResource(nullptr, info);
    DWORD size = SizeofResource(nullptr, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    data.assign(static_cast<const char*>(bytes), size);
    return true;
}

std::string ResourceData(const std::string& name) {
    std::string data;
    if (!FindResourceData(name, data)) throw Exception("Resource " + name + " not found");
    return data;
}

}  // namespace gui
