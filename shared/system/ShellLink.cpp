#include <windows.h>

#include "ShellLink.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "CodePages.h"
#include "FileStore.h"

namespace files {

namespace {

std::string Reason(HRESULT result) {
    const DWORD code = HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                                  : static_cast<DWORD>(result);
    return SystemMessage(code);
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
    if (FAILED(result)) return "Cannot make a shell link: " + Reason(result);
    Released<IPersistFile> file;
    if (SUCCEEDED(result = link.object->SetPath(target.c_str())) &&
        SUCCEEDED(result = link.object->SetWorkingDirectory(workingFolder.c_str())) &&
        SUCCEEDED(result = link.object->QueryInterface(IID_IPersistFile,
                                                       reinterpret_cast<void**>(&file.object))))
        result = file.object->Save(net::ToWide(linkPath, CP_ACP).c_str(), FALSE);
    return SUCCEEDED(result) ? std::string() : Reason(result);
}

}  // namespace files
