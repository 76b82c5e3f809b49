#include <windows.h>

#include "StartupShortcut.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "Component.h"
#include "FileStore.h"
#include "TextToolkit.h"

namespace messenger {

namespace {

std::string Reason(HRESULT result) {
    const DWORD code = HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                                  : static_cast<DWORD>(result);
    return SystemMessage(code);
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return wide;
}

template <class T>
struct Released {
    T* object = nullptr;
    ~Released() {
        if (object) object->Release();
    }
};

}  // namespace

std::string SaveShellLink(const std::string& linkPath, const std::string& target,
                          const std::string& workingFolder) {
    // Harmless when the thread has COM already; the thread keeps it for the program's life.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Released<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, reinterpret_cast<void**>(&link.object));
    if (FAILED(result)) throw gui::Exception("Cannot make a shell link: " + Reason(result));
    Released<IPersistFile> file;
    if (SUCCEEDED(result = link.object->SetPath(target.c_str())) &&
        SUCCEEDED(result = link.object->SetWorkingDirectory(workingFolder.c_str())) &&
        SUCCEEDED(result = link.object->QueryInterface(IID_IPersistFile,
                                                       reinterpret_cast<void**>(&file.object))))
        result = file.object->Save(Wide(linkPath).c_str(), FALSE);
    return SUCCEEDED(result) ? std::string() : Reason(result);
}

std::string ShortcutNotSavedText(const std::string& linkPath, const std::string& reason) {
    std::string text = "The startup shortcut could not be saved:";
    text::AppendLineBreaks(1, text);
    text += linkPath;
    text::AppendLineBreaks(1, text);
    return text + reason + ".";
}

}  // namespace messenger
