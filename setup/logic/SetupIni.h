// setup.ini: the hand-written description of the product that the wizard installs. The first
// line is the header; every further line is cut at its first "=" into a key (lower-cased) and a
// value, and every rule is tried on every line in a fixed order, changing a model of what the
// wizard's controls hold. Nothing is trimmed and there is no comment syntax.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace setup {

constexpr int kComponentBoxes = 10;

// The type digits that start a stored file line.
constexpr char kPlainFileType = '0';
constexpr char kStartupType = '1';
constexpr char kScreenSaverType = '2';
constexpr char kApplicationType = '3';

struct Component {
    std::string caption = "[None]";
    std::vector<std::string> fileLines;  // type digit, "," and the value as written
};

// What the window's controls hold once setup.ini is read; the defaults are the design values.
struct SetupConfig {
    std::string title = "[none] Setup";
    std::string welcome = "Welcome to the ";
    std::string progName = "ProgName";
    std::string installFolder;  // starts as the program-files folder
    std::string programMenuFolder = "Vexaloop";
    std::string company = "Tarnwick";
    std::string feedbackId = "None";  // "None": no feedback page
    std::vector<std::string> requiredFileLines;
    std::array<Component, kComponentBoxes> components;
    // Component sections read, counted up to eleven: more than ten means the lines after the
    // tenth section were dropped.
    int componentSections = 0;
    std::vector<std::string> keyLines;

    // The boxes shown on the type page: one per component section, ten at the most.
    int VisibleComponents() const;
};

struct SetupIniContext {
    bool uninstallMode = false;
    // The folder a screen-saver product installs into: the system folder when it exists, else
    // the Windows folder; the caller resolves it.
    std::string screenSaverFolder;
};

// The two headers accepted, compared exactly.
bool IsSetupIniHeader(const std::string& line);

// Applies the rules to one line after the header.
void ApplySetupIniLine(const std::string& line, const SetupIniContext& context,
                       SetupConfig& config);

// Reads a whole file into `config` (which carries the design values and the program-files
// folder). False when the header is wrong or missing: the wizard must not go on.
bool ReadSetupIni(const std::string& content, const SetupIniContext& context, SetupConfig& config);

// The feedback id of a "feedback" value: the text between the first and second "|" when not
// empty, else the text before the first "|" when not empty, else "None".
std::string FeedbackIdOf(const std::string& value);

}  // namespace setup
