#include <windows.h>

#include "InstallRoad.h"

#include <array>
#include <set>

#include "ExtractionProgress.h"
#include "InstallFolders.h"
#include "LocalFiles.h"
#include "TextToolkit.h"
#include "UnzipProgress.h"
#include "UnzipRecords.h"
#include "installer.h"

namespace {

// Creates the folder when it is missing; true when it had to. A folder that cannot be made
// stops the road: what would follow has nowhere to go.
bool MakeFolder(const std::string& path) {
    if (setup::FolderExists(path)) return false;
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw gui::Exception("Cannot create the folder \"" + path + "\"");
    return true;
}

std::string CurrentFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return std::string(folder, length < sizeof folder ? length : 0);
}

// Makes every level of an entry's folder and enters the deepest, where the library extracts.
// Entering a folder is a round to the file system, and most entries share the folder of the one
// before: it is entered again only when it differs, or when the current folder has moved since.
class EntryFolders {
public:
    explicit EntryFolders(std::string installFolder) : installFolder_(std::move(installFolder)) {}

    void Enter(const std::string& subfolder) {
        if (entered_ && subfolder == subfolder_ && CurrentFolder() == current_) return;
        std::string deepest;
        for (const std::string& level : setup::EntryFolderLevels(installFolder_, subfolder)) {
            MakeFolder(level);
            deepest = level;
        }
        if (!SetCurrentDirectoryA(deepest.c_str()))
            throw gui::Exception("Cannot enter the folder \"" + deepest + "\"");
        entered_ = true;
        subfolder_ = subfolder;
        current_ = CurrentFolder();
    }

private:
    std::string installFolder_;
    bool entered_ = false;
    std::string subfolder_;
    std::string current_;
};

// Where the entry was written: the current folder and the entry's own path within it.
std::string WrittenPath(const std::string& entryName) {
    std::string path = CurrentFolder();
    if (!path.empty() && path.back() != '\\') path += '\\';
    for (char c : entryName) path += c == '/' ? '\\' : c;
    return path;
}

bool IsFolderEntry(const std::string& name) {
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

}  // namespace

void InstallRoad::Run() {
    const setup::ExtractionOutcome outcome = Extract();
    setup::InstallFinishing(form_).Run(outcome);
}

setup::ExtractionOutcome InstallRoad::Extract() {
    form_.SetCursor(gui::crHourGlass);
    form_.InstallFolderCreated = false;
    MakeInstallFolder();
    MakeProgramMenuFolder();
    const std::vector<std::string> fileLines = GatherFileLines();

    std::string archiveNote;
    const setup::ExtractionListing listed = ListArchive(fileLines, archiveNote);
    SetUpProgress(listed.listing.totalSize);
    form_.SetUnZipSwitches();
    // What the listing had to leave out counts as a failure too.
    setup::ExtractionOutcome outcome;
    outcome.errorNote = archiveNote.empty() ? listed.refusalNote : archiveNote;
    ExtractEntries(listed.listing.entries, outcome);
    return outcome;
}

void InstallRoad::MakeInstallFolder() {
    for (const std::string& level : setup::InstallFolderLevels(form_.DirectoryEdit1->Text()))
        if (MakeFolder(level)) form_.InstallFolderCreated = true;
}

void InstallRoad::MakeProgramMenuFolder() {
    MakeFolder(form_.KTH->GetSpecialFolder("allPrograms") + form_.Edit1->Text());
}

std::vector<std::string> InstallRoad::GatherFileLines() {
    std::vector<std::string> lines = form_.ListBox2->Items().Items();
    const auto boxes = form_.ComponentBoxes();
    const auto lists = form_.ComponentLists();
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i]->Checked()) continue;
        const std::vector<std::string> more = lists[i]->Items().Items();
        lines.insert(lines.end(), more.begin(), more.end());
    }
    form_.ListBox1->Items().Assign(lines);
    return lines;
}

setup::ExtractionListing InstallRoad::ListArchive(const std::vector<std::string>& fileLines,
                                                  std::string& note) {
    form_.ListBox13->Clear();
    const std::string folder = form_.curDir->Caption();
    // A path the library cannot be handed makes the archive as unreadable as a missing one.
    if (!setup::ArchiveBufferText(folder)) {
        note = setup::kArchiveNote;
        return {};
    }
    std::vector<setup::ListedEntry> archive;
    try {
        form_.KAZip1->Open(setup::ArchivePath(folder));
        for (int i = 0; i < form_.KAZip1->Count(); ++i)
            archive.push_back({form_.KAZip1->EntryName(i), form_.KAZip1->EntrySize(i),
                               form_.KAZip1->EntryNameSafe(i)});
        form_.KAZip1->Close();
    } catch (const std::exception&) {
        note = setup::kArchiveNote;
        return {};
    }

    setup::ExtractionListing listed = setup::ListEntriesToExtract(fileLines, archive);
    std::vector<std::string> lines;
    lines.reserve(listed.listing.entries.size());
    for (const setup::InstallEntry& entry : listed.listing.entries) lines.push_back(entry.Line());
    form_.ListBox13->Items().Assign(lines);
    return listed;
}

void InstallRoad::SetUpProgress(uint64_t totalSize) {
    form_.ProgressBar2->SetMax(setup::OverallBarMaximum(totalSize));
    form_.ProgressBar2->SetStep(1);
    form_.ProgressBar2->SetPosition(1);
}

void InstallRoad::ExtractEntries(const std::vector<setup::InstallEntry>& entries,
                                 setup::ExtractionOutcome& outcome) {
    const std::string archive = setup::ArchiveBufferText(form_.curDir->Caption()).value_or("");
    EntryFolders folders(form_.DirectoryEdit1->Text());
    UnzipParameterRecord& record = form_.UnzipParameters;
    setup::UnzipProgress progress(
        &form_, {form_.Label23, form_.ProgressBar1, form_.ProgressBar2, &form_.SmallFiles});
    std::set<std::string> written;  // an entry that two file lines match is written twice
    for (const setup::InstallEntry& entry : entries) {
        folders.Enter(entry.subfolder);
        std::array<char, kUnzipBufferSize> archiveBuffer{};
        std::array<char, kUnzipBufferSize> nameBuffer{};
        archive.copy(archiveBuffer.data(), archiveBuffer.size() - 1);
        entry.name.copy(nameBuffer.data(), nameBuffer.size() - 1);
        record.archivePath = archiveBuffer.data();
        record.entryName = nameBuffer.data();
        record.entryCount = 1;
        progress.BeginEntry(entry.size);
        const int32_t result = UnzipExtractEntry(&record);
        // The buffers go with this pass; the record must not keep pointing at them.
        record.archivePath = nullptr;
        record.entryName = nullptr;

        if (result != 0 || progress.EntryFailed()) {
            outcome.errorNote = entry.name;
            continue;
        }
        if (IsFolderEntry(entry.name)) continue;
        const std::string path = WrittenPath(entry.name);
        if (written.insert(text::LowerAscii(path)).second) outcome.extractedFiles.push_back(path);
    }
}
