#include "FolderResolver.h"

#include "TextToolkit.h"

namespace text {

namespace {

// Shorter answers than this count as no answer.
constexpr size_t kPlausible = 11;
constexpr size_t kPlausibleProfilesRoot = 5;

const char kAllUsersProfile[] = "c:\\documents and settings\\all users";

bool Plausible(const std::string& path) {
    return path.size() >= kPlausible;
}

// HOMEDRIVE then HOMEPATH: the current user's home folder, or the all-users profile when that is
// implausibly short.
std::string HomeBase(FolderSources& sources) {
    std::string home = sources.Environment("HOMEDRIVE");
    home += sources.Environment("HOMEPATH");
    return Plausible(home) ? home : kAllUsersProfile;
}

// HOMEDRIVE, "\", and the first component of HOMEPATH: the folder the profiles lie in, or the
// parent of the all-users profile when that is shorter than 5 characters.
std::string ProfilesRoot(FolderSources& sources) {
    std::string root = sources.Environment("HOMEDRIVE") + "\\";
    root += GetFieldOf(sources.Environment("HOMEPATH"), 1, "\\", true);
    if (root.size() >= kPlausibleProfilesRoot) return root;
    std::string fixed = kAllUsersProfile;
    return fixed.substr(0, fixed.rfind('\\'));
}

// A shell folder when plausible, else `fallback()`.
template <class Fallback>
std::string ShellOr(FolderSources& sources, int folder, Fallback fallback) {
    std::string path = sources.ShellFolder(folder);
    return Plausible(path) ? path : fallback();
}

std::string Windows(FolderSources& sources) {
    std::string path = sources.Environment("windir");
    if (Plausible(path)) return path;
    FolderSources::SizedText call = sources.WindowsDirectory();
    return call.length > 0 ? call.text : "c:\\windows\\";
}

std::string System32(FolderSources& sources) {
    return ShellOr(sources, csidl::kSystem, [&] {
        std::string path = sources.Environment("windir") + "\\system32\\";
        return Plausible(path) ? path : "c:\\windows\\system32\\";
    });
}

std::string ProgramFiles(FolderSources& sources) {
    return ShellOr(sources, csidl::kProgramFiles, [&]() -> std::string {
        std::string path = sources.RegistryString(RegistryRoot::LocalMachine,
                                                  "Software\\Microsoft\\Windows\\CurrentVersion",
                                                  "ProgramFilesDir");
        if (Plausible(path)) return path;
        return sources.DirectoryExists("c:\\program files (x86)") ? "c:\\program files (x86)\\"
                                                                  : "c:\\program files\\";
    });
}

std::string Temp(FolderSources& sources) {
    std::string path = sources.Environment("temp");
    if (Plausible(path)) return path;
    const int64_t size = sources.TempPathSize();
    return size > 0 ? sources.TempPath(size) : "c:\\windows\\temp\\";
}

std::string Profile(FolderSources& sources) {
    std::string path = sources.Environment("userprofile");
    if (Plausible(path)) return path;
    return KeepFieldsOf(sources.ShellFolder(csidl::kDesktop), 0, 3, "\\");
}

std::string Favorites(FolderSources& sources) {
    return ShellOr(sources, csidl::kFavorites, [&] {
        return sources.RegistryString(
            RegistryRoot::CurrentUser,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Favorites");
    });
}

}  // namespace

std::string ResolveSpecialFolder(const std::string& keyword, FolderSources& sources) {
    const std::string key = LowerAscii(keyword);
    std::string path = "c:\\";
    if (key == "windows") {
        path = Windows(sources);
    } else if (key == "system32") {
        path = System32(sources);
    } else if (key == "programfiles") {
        path = ProgramFiles(sources);
    } else if (key == "temp") {
        path = Temp(sources);
    } else if (key == "profile") {
        path = Profile(sources);
    } else if (key == "favorites") {
        path = Favorites(sources);
    } else if (key == "alldesktop") {
        path = ShellOr(sources, csidl::kCommonDesktopDirectory,
                       [&] { return HomeBase(sources) + "\\desktop\\"; });
    } else if (key == "allprograms") {
        path = ShellOr(sources, csidl::kCommonPrograms,
                       [&] { return HomeBase(sources) + "\\start menu\\programs"; });
    } else if (key == "allstartup") {
        path = ShellOr(sources, csidl::kCommonStartup, [&] {
            return ProfilesRoot(sources) + "\\all users\\start menu\\programs\\startup";
        });
    }
    path = LowerAscii(path);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

}  // namespace text
