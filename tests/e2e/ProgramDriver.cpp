#include "ProgramDriver.h"

#include <cctype>
#include <climits>

#include "Graphics.h"

namespace e2e {

namespace {

struct Search {
    DWORD process;
    std::string className;  // empty: any
    std::string caption;    // empty: any
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process) return TRUE;
    char text[256] = {};
    if (!search->className.empty()) {
        GetClassNameA(window, text, sizeof text);
        if (search->className != text) return TRUE;
    }
    if (!search->caption.empty()) {
        GetWindowTextA(window, text, sizeof text);
        if (search->caption != text) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= milliseconds) return false;
        Sleep(20);
    }
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND VisibleChild(HWND window, const std::function<bool(HWND)>& match) {
    for (HWND child : Children(window))
        if (IsWindowVisible(child) && match(child)) return child;
    return nullptr;
}

std::string WindowText(HWND window) {
    // A control of another process answers for its text only when asked directly.
    char text[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    return std::string(text, copied);
}

bool IsChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TypeInto(HWND control, const std::string& text) {
    for (char c : text) PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::string HostPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.empty() || path[0] != '\\' ? path : "Z:" + path;
}

std::string ProgramFileOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return {};
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    const bool known = QueryFullProcessImageNameA(process, 0, path, &size) != FALSE;
    CloseHandle(process);
    return known ? std::string(path, size) : std::string();
}

bool SamePath(const std::string& a, const std::string& b) {
    auto normal = [](const std::string& path) {
        char full[MAX_PATH] = {};
        std::string text(full, GetFullPathNameA(path.c_str(), sizeof full, full, nullptr));
        while (!text.empty() && text.back() == '\\') text.pop_back();
        for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return text;
    };
    return !a.empty() && normal(a) == normal(b);
}

HWND ProgramWindow(const std::string& programPath, const std::string& caption) {
    struct Look {
        const std::string& program;
        const std::string& caption;
        HWND found = nullptr;
    } look{programPath, caption};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* l = reinterpret_cast<Look*>(data);
            char text[256] = {};
            GetWindowTextA(window, text, sizeof text);
            if (!IsWindowVisible(window) || l->caption != text) return TRUE;
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (!SamePath(ProgramFileOf(process), l->program)) return TRUE;
            l->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&look));
    return look.found;
}

ProgramProcess::~ProgramProcess() {
    if (!info_.hProcess) return;
    // The tests remove the program's folder after it: no file of it may still be in use.
    if (WaitForExit(0) == STILL_ACTIVE && TerminateProcess(info_.hProcess, 1)) WaitForExit(5000);
    if (info_.hThread) CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ProgramProcess::Start(const std::string& programPath) {
    const std::string folder = programPath.substr(0, programPath.rfind('\\') + 1);
    std::string commandLine = "\"" + programPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, folder.c_str(), &startup, &info_) != FALSE;
}

bool ProgramProcess::StartCommand(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) != FALSE;
}

bool ProgramProcess::Attach(DWORD processId) {
    info_.hProcess = OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (!info_.hProcess) return false;
    info_.dwProcessId = processId;
    return true;
}

DWORD ProgramProcess::WaitForExit(int milliseconds) {
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND ProgramProcess::FindTopLevel(const std::string& className, const std::string& caption) const {
    Search search{Id(), className, caption};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramProcess::Window(const std::string& caption) const {
    return FindTopLevel("", caption);
}

bool ProgramProcess::Visible(const std::string& caption) const {
    HWND window = Window(caption);
    return window && IsWindowVisible(window);
}

void ProgramProcess::Type(HWND window, int x, int y, const std::string& text) const {
    HWND nearest = nullptr;
    long best = LONG_MAX;
    for (HWND child : Children(window)) {
        RECT r;
        GetWindowRect(child, &r);
        POINT corner{r.left, r.top};
        ScreenToClient(window, &corner);
        const long distance = labs(corner.x - x) + labs(corner.y - y);
        if (distance < best) best = distance, nearest = child;
    }
    TypeInto(nearest, text);
}

bool ProgramProcess::Press(HWND window, const std::string& caption) const {
    for (HWND child : Children(window)) {
        char text[128] = {};
        GetWindowTextA(child, text, sizeof text);
        if (caption != text) continue;
        PostMessageA(child, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool ProgramProcess::PressWhenEnabled(HWND window, const std::string& caption,
                                      int milliseconds) const {
    HWND button = nullptr;
    const bool ready = WaitUntil(
        [&] {
            button = VisibleChild(window, [&](HWND child) { return WindowText(child) == caption; });
            return button && IsWindowEnabled(button);
        },
        milliseconds);
    return ready && PostMessageA(button, BM_CLICK, 0, 0);
}

std::string StringValue(HKEY root, const std::string& key, const std::string& name) {
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return "(none)";
    return data;
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool SaveScreenshot(HWND window, const std::string& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    gui::TBitmap picture(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(),
                               screen, r.left, r.top, SRCCOPY) != FALSE;
    ReleaseDC(nullptr, screen);
    if (!copied) return false;
    try {
        picture.SaveToPng(path);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}  // namespace e2e
