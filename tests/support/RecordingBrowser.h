// The web browser as tests play it: the recorder program of tools/ registered as the command of
// HTML files, and what it was started with.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The command registered for HTML files, put back as it was when the test ends. Test programs
// that set it hold a lock of ctest's, so none sees another's.
class HtmlCommand {
public:
    HtmlCommand();
    ~HtmlCommand();
    void Set(const std::string& command) { SetValue(REG_SZ, command.c_str(), command.size() + 1); }
    void SetValue(DWORD type, const void* data, size_t size);
    // No command key at all.
    void Remove();

private:
    bool had_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> original_;
};

// The browser played by the recorder program (tools/), copied into the folder under a name with a
// space; what it was started with.
struct RecordingBrowser {
    explicit RecordingBrowser(const std::string& folder);
    ~RecordingBrowser();
    std::string path;  // the copy
    // The command line's arguments after the program, once it has recorded them.
    std::vector<std::string> WaitForArguments() const;
};

}  // namespace testing_support
