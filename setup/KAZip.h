// The archive component: opens a ZIP archive by its file name and lists its entries, each with
// its name and uncompressed size, until it is closed. It reads the directory only; the unzip
// library extracts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Component.h"

class TKAZip : public gui::TComponent {
public:
    explicit TKAZip(gui::TComponent* owner);

    // Reads the archive's directory. Raises the class library's error, naming the file and the
    // fault, when the file cannot be read or is no archive we can list; nothing is listed then.
    void Open(const std::string& fileName);
    void Close();
    bool Active() const { return active_; }

    int Count() const { return static_cast<int>(entries_.size()); }
    // The name in the ANSI code page, which is how the wizard's lists hold it and how the unzip
    // library finds the entry again; decoded from code page 437, or UTF-8 when the entry says so.
    const std::string& EntryName(int index) const { return entries_.at(index).name; }
    uint32_t EntrySize(int index) const { return entries_.at(index).size; }
    // False when the name, stored, decoded or in the ANSI code page, could lead out of the
    // folder it is extracted to, or cannot be decoded at all.
    bool EntryNameSafe(int index) const { return entries_.at(index).nameSafe; }

private:
    struct Entry {
        std::string name;
        uint32_t size = 0;
        bool nameSafe = false;
    };

    std::vector<Entry> entries_;
    bool active_ = false;
};
