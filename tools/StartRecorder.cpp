// A program that tests start in place of an installed product: it writes its working folder and
// its command line, one a line, into its own path followed by ".record", and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH];
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (selfLength == 0 || selfLength >= MAX_PATH) return 1;
    char folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryA(MAX_PATH, folder);
    if (folderLength == 0 || folderLength >= MAX_PATH) return 1;

    const std::string record =
        std::string(folder, folderLength) + "\r\n" + GetCommandLineA() + "\r\n";
    // Written under another name first, so that a test never reads half of it.
    const std::string path = std::string(self, selfLength) + ".record";
    const std::string partial = path + ".partial";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
        written == record.size();
    CloseHandle(file);
    if (!ok || !MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
    return 0;
}
