// The start-up's rules that need no window: where the wizard's own files lie, which branding
// files it tries, how a tall logo is fitted into the header, the licence lines, the page it asks
// the maker's site for, and the messages of its fatal roads.
#pragma once

#include <string>
#include <vector>

namespace setup {

// The program's folder: its full path up to and including the last "\", whatever the program
// file is called.
std::string SourceFolderOf(const std::string& programPath);

// Names tried after the source folder (each with its own leading "\"), in this order. Every logo
// that exists is loaded, so the last one found is shown.
constexpr const char* kIconFile = "\\setup.ico";
constexpr const char* kLogoFiles[] = {"\\logo.bmp", "\\logo.jpg", "\\logo.jpeg", "\\logo.gif"};
constexpr const char* kLicenceFile = "\\agreement.txt";
constexpr const char* kSetupIniFile = "\\setup.ini";

// Where the header logo goes. A logo taller than the band is scaled to its height, keeping its
// proportion, and then leaves no room for the web-address label below it.
struct LogoPlacement {
    int width = 0;
    int height = 0;
    int left = 0;
    bool scaled = false;  // automatic sizing off and the web-address label hidden
};
constexpr int kLogoBandHeight = 43;
LogoPlacement PlaceLogo(int pictureWidth, int pictureHeight, int windowOuterWidth);

// The licence text's lines; a file without any line still gives one empty line.
std::vector<std::string> LicenceLines(const std::string& content);

// The maker's page asked for once start-up is done: "/setup.htm" while the title ends in
// "Setup", else "/uninstall.htm".
std::string StartupPagePath(const std::string& title);

constexpr const char* kMissingSetupMessage = "Error in locating Setup components!";
constexpr const char* kMissingUninstallMessage = "Error in locating Uninstall components!";
constexpr const char* kBadHeaderMessage = "Error in INI file!\r\nSetup must close.";

}  // namespace setup
