// What the contacts benchmark's two programs share: the file of many contacts that both read,
// the clock and the median.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Step>
double TimeMs(Step step) {
    const double start = NowMs();
    step();
    return NowMs() - start;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Names as people's are: mixed initials, so that the ordering pass has work to do.
inline std::string ContactsFile(int count) {
    std::string file = "[zembly SMS contacts 2.00]\r\n";
    for (int i = 0; i < count; ++i) {
        const int scrambled = (i * 7919) % count;
        file += static_cast<char>('A' + scrambled % 26);
        file += "contact " + std::to_string(scrambled) + "|+44 7700 " + std::to_string(900000 + i) +
                "\r\n";
    }
    return file;
}

// Puts the sample in place of the file at `path`, which the run before has saved over.
inline bool WriteContactsFile(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size();
    CloseHandle(file);
    return ok;
}

}  // namespace bench
