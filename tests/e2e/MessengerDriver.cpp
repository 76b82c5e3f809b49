#include "MessengerDriver.h"

#include <climits>
#include <vector>

#include "Graphics.h"
#include "RxTrayIcon.h"

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

HWND FindTopLevel(DWORD process, const std::string& className, const std::string& caption) {
    Search search{process, className, caption};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
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

MessengerProcess::~MessengerProcess() {
    if (!info_.hProcess) return;
    if (WaitForExit(0) == STILL_ACTIVE) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool MessengerProcess::Start(const std::string& programPath) {
    const std::string folder = programPath.substr(0, programPath.rfind('\\') + 1);
    std::string commandLine = "\"" + programPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, folder.c_str(), &startup, &info_) != FALSE;
}

DWORD MessengerProcess::WaitForExit(int milliseconds) {
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND MessengerProcess::Window(const std::string& caption) const {
    return FindTopLevel(Id(), "", caption);
}

bool MessengerProcess::Visible(const std::string& caption) const {
    HWND window = Window(caption);
    return window && IsWindowVisible(window);
}

HWND MessengerProcess::TrayWindow() const {
    return FindTopLevel(Id(), "ZemblyTrayIconWindow", "");
}

void MessengerProcess::Type(HWND window, int x, int y, const std::string& text) const {
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
    for (char c : text) PostMessageA(nearest, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool MessengerProcess::Press(HWND window, const std::string& caption) const {
    for (HWND child : Children(window)) {
        char text[128] = {};
        GetWindowTextA(child, text, sizeof text);
        if (caption != text) continue;
        PostMessageA(child, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

bool MessengerProcess::TrayEvent(UINT mouseMessage) const {
    HWND tray = TrayWindow();
    return tray && PostMessageA(tray, gui::TRxTrayIcon::kCallbackMessage, 0, mouseMessage);
}

bool MessengerProcess::ChooseTrayItemFromEnd(int fromEnd) const {
    if (!TrayEvent(WM_RBUTTONUP)) return false;
    HWND menu = nullptr;
    const bool open = WaitUntil(
        [&] {
            menu = FindTopLevel(Id(), "#32768", "");
            return menu && IsWindowVisible(menu);
        },
        10000);
    if (!open) return false;
    // Up from no selection reaches the last item first.
    for (int i = 0; i <= fromEnd; ++i) PostKey(menu, VK_UP);
    PostKey(menu, VK_RETURN);
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
