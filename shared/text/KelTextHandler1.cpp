#include <windows.h>

#include "KelTextHandler1.h"

#include <algorithm>

#include "FolderResolver.h"
#include "MessagePump.h"
#include "PlatformFolderSources.h"
#include "TextToolkit.h"

namespace {

uint32_t SystemTicks() {
    return GetTickCount();
}

KelTextHandler::TickCounter tickCounter = SystemTicks;

}  // namespace

bool KelTextHandler::SetProperty(const std::string& name, const gui::PropertyValue& value) {
    // Property names ignore case, as the class library compares them.
    const std::string key = text::LowerAscii(name);
    if (key == "sttext") {
        stText = value.AsString();
    } else if (key == "point") {
        Point = value.AsInt();
    } else if (key == "seperator") {
        Seperator = value.AsString();
    } else if (key == "cutofftonext") {
        CutOffToNext = value.AsBool();
    } else {
        return gui::TComponent::SetProperty(name, value);
    }
    return true;
}

std::string KelTextHandler::GetField() {
    return GetFieldOf(stText, Point, Seperator, CutOffToNext);
}

std::string KelTextHandler::GetFieldOf(std::string text, int32_t skip, std::string separator,
                                       bool cutOff) {
    return text::GetFieldOf(std::move(text), skip, separator, cutOff);
}

std::string KelTextHandler::KeepFieldsOf(std::string text, int32_t skip, int32_t count,
                                         std::string separator) {
    return text::KeepFieldsOf(std::move(text), skip, count, separator);
}

std::string KelTextHandler::RemoveAll() {
    return RemoveAllOf(stText, Seperator);
}

std::string KelTextHandler::RemoveAllOf(std::string text, std::string search) {
    return text::RemoveAllOf(text, search);
}

std::string KelTextHandler::ReplaceAllOf(std::string text, std::string search,
                                         std::string replacement) {
    return text::ReplaceAllOf(text, search, replacement);
}

int32_t KelTextHandler::CountSeparators() {
    return CountOf(stText, Seperator);
}

int32_t KelTextHandler::CountOf(std::string text, std::string search) {
    return text::CountOf(text, search);
}

bool KelTextHandler::StartsWithSeparator() {
    return StartsWith(stText, Seperator);
}

bool KelTextHandler::StartsWith(std::string text, std::string prefix) {
    return text::StartsWith(text, prefix);
}

std::string KelTextHandler::GetSpecialFolder(std::string keyword) {
    if (folderSources_) return text::ResolveSpecialFolder(keyword, *folderSources_);
    text::PlatformFolderSources system;
    return text::ResolveSpecialFolder(keyword, system);
}

std::string KelTextHandler::ScrambleText(std::string text) {
    return text::ScrambleText(text);
}

std::string KelTextHandler::UnscrambleText(std::string text) {
    return text::UnscrambleText(text);
}

void KelTextHandler::AppendLineBreaks(int32_t count, std::string& text) {
    text::AppendLineBreaks(count, text);
}

void KelTextHandler::SetTickCounter(TickCounter counter) {
    tickCounter = counter ? counter : SystemTicks;
}

void KelTextHandler::WaitSeconds(int32_t seconds) {
    if (seconds <= 0) return;
    const uint32_t start = tickCounter();
    const uint64_t deadline = uint64_t{start} + uint64_t(seconds) * 1000u;
    for (;;) {
        if (tickCounter() < start) return;  // the counter has wrapped since the wait began
        const uint32_t now = tickCounter();
        if (now >= deadline) return;
        gui::ProcessMessages();
        // Sleep until a message arrives, the deadline, or the counter's wrap, whichever is first
        // (INFINITE is one more than the longest finite wait).
        const uint64_t untilWrap = (uint64_t{1} << 32) - now;
        const uint64_t timeLeft = std::min({deadline - now, untilWrap, uint64_t{INFINITE - 1}});
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeLeft), QS_ALLINPUT);
    }
}
