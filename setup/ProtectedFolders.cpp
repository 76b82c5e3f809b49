#include <windows.h>

#include "ProtectedFolders.h"

#include <shlobj.h>

#include "KelTextHandler1.h"
#include "UninstallRegistration.h"

namespace setup {

std::vector<std::string> ProtectedFolders(KelTextHandler& folders) {
    std::vector<std::string> kept;
    for (int csidl :
         {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
          CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_DESKTOPDIRECTORY,
          CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) && path[0])
            kept.push_back(path);
    }
    for (const char* keyword :
         {"windows", "system32", "programfiles", "alldesktop", "allprograms", "allstartup"})
        kept.push_back(folders.GetSpecialFolder(keyword));
    kept.push_back(UninstallerFolder(folders.GetSpecialFolder("windows")));
    return kept;
}

}  // namespace setup
