// KelTextHandler: the non-visual component that windows declare to reach the string toolkit and
// the special folders. The four property-driven operations read stText, Point, Seperator and
// CutOffToNext; every other operation takes its operands explicitly.
#pragma once

#include <cstdint>
#include <string>

#include "Component.h"

namespace text {
class FolderSources;
}

class KelTextHandler : public gui::TComponent {
public:
    explicit KelTextHandler(gui::TComponent* owner) : gui::TComponent(owner) {}

    // Published properties, read and written directly.
    std::string stText;
    int32_t Point = 0;
    std::string Seperator;  // spelled so
    bool CutOffToNext = false;

    // "stText", "Point", "Seperator" and "CutOffToNext" from a form description; the rest goes to
    // the base.
    bool SetProperty(const std::string& name, const gui::PropertyValue& value) override;

    virtual std::string GetField();
    virtual std::string GetFieldOf(std::string text, int32_t skip, std::string separator,
                                   bool cutOff);
    virtual std::string KeepFieldsOf(std::string text, int32_t skip, int32_t count,
                                     std::string separator);
    virtual std::string RemoveAll();
    virtual std::string RemoveAllOf(std::string text, std::string search);
    virtual std::string ReplaceAllOf(std::string text, std::string search, std::string replacement);
    virtual int32_t CountSeparators();
    virtual int32_t CountOf(std::string text, std::string search);
    virtual bool StartsWithSeparator();
    virtual bool StartsWith(std::string text, std::string prefix);
    // The folder for a keyword in lower case with a trailing "\"; "c:\" for an unknown keyword.
    virtual std::string GetSpecialFolder(std::string keyword);

    // Where GetSpecialFolder asks; nullptr (the default) means the running system. The sources
    // must outlive their use here.
    void SetFolderSources(text::FolderSources* sources) { folderSources_ = sources; }

    static std::string ScrambleText(std::string text);
    static std::string UnscrambleText(std::string text);
    static void AppendLineBreaks(int32_t count, std::string& text);

    // Waits `seconds` while handling every window message that arrives, using no processor time
    // in between. Returns at once, pumping nothing, for 0 or less; ends at start + seconds * 1000
    // ticks or when the tick counter wraps below its start.
    static void WaitSeconds(int32_t seconds);

    // The millisecond tick counter WaitSeconds reads; nullptr restores GetTickCount.
    using TickCounter = uint32_t (*)();
    static void SetTickCounter(TickCounter counter);

private:
    text::FolderSources* folderSources_ = nullptr;
};
