// Special folders by keyword ("windows", "system32", "programfiles", "temp", "profile",
// "favorites", "alldesktop", "allprograms", "allstartup"): each keyword tries a chain of sources,
// from the shell's own answer down to a fixed path. Portable: the sources come through
// FolderSources, whose Windows implementation is PlatformFolderSources.
#pragma once

#include <cstdint>
#include <string>

namespace text {

enum class RegistryRoot { LocalMachine, CurrentUser };

// What the resolver asks of the platform. Every failure gives an empty text (or 0, or false).
class FolderSources {
public:
    // The length a call returned and the text it wrote.
    struct SizedText {
        int64_t length = 0;
        std::string text;
    };

    virtual ~FolderSources() = default;
    // GetEnvironmentVariableA: the value, empty when not set.
    virtual std::string Environment(const std::string& name) = 0;
    // SHGetFolderPathA(no window, CSIDL, no token, flags 0) into 260 characters: the text up to
    // the first NUL, empty when the call fails.
    virtual std::string ShellFolder(int csidl) = 0;
    // GetWindowsDirectoryA with 260 characters: its result and the text it wrote.
    virtual SizedText WindowsDirectory() = 0;
    // GetTempPathA with no buffer: the size the path needs.
    virtual int64_t TempPathSize() = 0;
    // GetTempPathA with a buffer of `size` characters: the text, with the length the call returns.
    virtual std::string TempPath(int64_t size) = 0;
    // One string value read from a key opened read-only; empty when the key or the value is
    // missing or the value is not a string. Creates nothing.
    virtual std::string RegistryString(RegistryRoot root, const std::string& key,
                                       const std::string& value) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
};

// CSIDL numbers the resolver asks the shell for.
namespace csidl {
constexpr int kDesktop = 0;
constexpr int kFavorites = 6;
constexpr int kCommonPrograms = 23;
constexpr int kCommonStartup = 24;
constexpr int kCommonDesktopDirectory = 25;
constexpr int kSystem = 37;
constexpr int kProgramFiles = 38;
}  // namespace csidl

// The folder for a keyword (ASCII case ignored), in lower case and ending with "\"; "c:\" for a
// keyword outside the list.
std::string ResolveSpecialFolder(const std::string& keyword, FolderSources& sources);

}  // namespace text
