#include <windows.h>

#include "FormPlacement.h"

#include <climits>
#include <cstdlib>
#include <memory>

#include "Form.h"

namespace gui {

namespace {

const char* const kKeys[] = {"Left", "Top", "Width", "Height"};

// Named whole numbers in one section of an INI file or one registry key.
class PlacementStore {
public:
    virtual ~PlacementStore() = default;
    virtual bool Read(const char* key, int& value) = 0;
    virtual bool Write(const char* key, int value) = 0;
};

class IniStore : public PlacementStore {
public:
    IniStore(std::string file, std::string section)
        : file_(std::move(file)), section_(std::move(section)) {}

    bool Read(const char* key, int& value) override {
        char text[32] = {};
        DWORD length =
            GetPrivateProfileStringA(section_.c_str(), key, "", text, sizeof text, file_.c_str());
        if (length == 0 || length >= sizeof text - 1) return false;
        char* end = nullptr;
        long number = std::strtol(text, &end, 10);
        if (*end != '\0' || number < INT_MIN || number > INT_MAX) return false;
        value = static_cast<int>(number);
        return true;
    }

    bool Write(const char* key, int value) override {
        return WritePrivateProfileStringA(section_.c_str(), key, std::to_string(value).c_str(),
                                          file_.c_str()) != FALSE;
    }

private:
    std::string file_;
    std::string section_;
};

class RegistryStore : public PlacementStore {
public:
    RegistryStore(const std::string& key, bool write) {
        LSTATUS status = write ? RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                                 KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
                               : RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegistryStore() override {
        if (key_) RegCloseKey(key_);
    }

    bool Read(const char* key, int& value) override {
        DWORD type = 0, data = 0, size = sizeof data;
        if (!key_ ||
            RegQueryValueExA(key_, key, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        value = static_cast<int>(data);
        return true;
    }

    bool Write(const char* key, int value) override {
        DWORD data = static_cast<DWORD>(value);
        return key_ && RegSetValueExA(key_, key, 0, REG_DWORD, reinterpret_cast<BYTE*>(&data),
                                      sizeof data) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

bool Sizeable(const TForm& form) {
    return form.BorderStyle() == bsSizeable || form.BorderStyle() == bsSizeToolWin;
}

// The form's normal (not minimised or maximised) rectangle in screen coordinates.
RECT NormalRect(HWND window) {
    RECT rect{};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!(IsIconic(window) || IsZoomed(window)) || !GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &rect);
        return rect;
    }
    // The placement is in work-area coordinates.
    rect = placement.rcNormalPosition;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    return rect;
}

}  // namespace

TFormPlacement::TFormPlacement(TComponent* owner) : TComponent(owner) {
    SetClassName("TFormPlacement");
}

TFormPlacement::~TFormPlacement() = default;

TForm* TFormPlacement::Form() const {
    return dynamic_cast<TForm*>(Owner());
}

std::string TFormPlacement::IniFileName() const {
    if (!iniFileName_.empty()) return iniFileName_;
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    name = name.substr(name.find_last_of("\\/") + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + ".INI";
}

std::string TFormPlacement::IniSection() const {
    if (!iniSection_.empty()) return iniSection_;
    // The owner, not the form: this also runs while the form is being taken apart.
    TComponent* form = Owner();
    if (!form) return "Placement";
    return form->Name().empty() ? form->ClassName() : form->Name();
}

void TFormPlacement::SaveFormPlacement() {
    TForm* form = Form();
    if (!form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    RECT rect = NormalRect(window);
    const int values[] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    std::unique_ptr<PlacementStore> store;
    if (useRegistry_)
        store = std::make_unique<RegistryStore>(IniFileName() + "\\" + IniSection(), true);
    else
        store = std::make_unique<IniStore>(IniFileName(), IniSection());
    for (int i = 0; i < 4; ++i)
        if (!store->Write(kKeys[i], values[i])) return;
}

void TFormPlacement::RestoreFormPlacement() {
    TForm* form = Form();
    if (!form) return;
    std::unique_ptr<PlacementStore> store;
    if (useRegistry_)
        store = std::make_unique<RegistryStore>(IniFileName() + "\\" + IniSection(), false);
    else
        store = std::make_unique<IniStore>(IniFileName(), IniSection());
    int values[4] = {0, 0, form->Width(), form->Height()};
    for (int i = 0; i < 4; ++i)
        if (!store->Read(kKeys[i], values[i])) return;
    if (!Sizeable(*form) || values[2] <= 0 || values[3] <= 0) {
        values[2] = form->Width();
        values[3] = form->Height();
    }
    RECT rect{values[0], values[1], values[0] + values[2], values[1] + values[3]};
    if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return;
    form->SetBounds(values[0], values[1], values[2], values[3]);
}

void TFormPlacement::FormWindowMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (Designing()) return;
    switch (msg) {
        case WM_SHOWWINDOW:
            // Sent before the window appears (so it appears in its place) and before it goes.
            if (wParam && !shown_) {
                shown_ = true;
                RestoreFormPlacement();
            } else if (!wParam && shown_) {
                SaveFormPlacement();
            }
            break;
        case WM_EXITSIZEMOVE:
            if (shown_) SaveFormPlacement();
            break;
        case WM_DESTROY:
            if (shown_ && IsWindowVisible(Form()->Handle())) SaveFormPlacement();
            break;
        default:
            break;
    }
}

bool TFormPlacement::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "IniFileName")) {
        SetIniFileName(value.AsString());
    } else if (SameText(name, "IniSection")) {
        SetIniSection(value.AsString());
    } else if (SameText(name, "UseRegistry")) {
        SetUseRegistry(value.AsBool());
    } else {
        return TComponent::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
