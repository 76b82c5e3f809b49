#include <windows.h>

#include "KAZip.h"

#include "CodePages.h"
#include "EntryName.h"
#include "ZipReader.h"

TKAZip::TKAZip(gui::TComponent* owner) : TComponent(owner) {
    SetClassName("TKAZip");
}

void TKAZip::Open(const std::string& fileName) {
    Close();
    const auto source = unz::FileSource::Open(fileName.c_str());
    if (!source) throw gui::Exception("Cannot open file \"" + fileName + "\"");
    unz::ZipArchive archive;
    const unz::ZipError error = archive.Open(*source);
    if (error != unz::ZipError::None)
        throw gui::Exception(std::string(unz::Describe(error)) + ": \"" + fileName + "\"");

    entries_.reserve(archive.Entries().size());
    for (const unz::ZipEntry& stored : archive.Entries()) {
        Entry entry;
        entry.size = stored.uncompressedSize;
        const auto decoded = unz::DecodeEntryName(stored.name, stored.utf8);
        if (decoded) {
            entry.name = net::FromWide(
                std::wstring(reinterpret_cast<const wchar_t*>(decoded->data()), decoded->size()),
                CP_ACP);
            entry.nameSafe = unz::IsSafeEntryName(stored.name) && unz::IsSafeEntryName(*decoded) &&
                             unz::IsSafeEntryName(entry.name);
        } else {
            entry.name = stored.name;
        }
        entries_.push_back(std::move(entry));
    }
    active_ = true;
}

void TKAZip::Close() {
    entries_.clear();
    active_ = false;
}
