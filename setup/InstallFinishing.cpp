#include "InstallFinishing.h"

#include "EndPage.h"
#include "FolderPaths.h"
#include "InstallEntryLines.h"
#include "InstallRecord.h"
#include "KelTextHandler1.h"
#include "KeyLines.h"
#include "PlatformWrites.h"
#include "Shortcuts.h"
#include "UninstallRegistration.h"
#include "installer.h"

namespace setup {

namespace {

constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE\\";

// The uninstaller and its library, and the setup.ini the uninstaller reads from the install
// folder: without any of them the product cannot be removed, so their failures are reported. The
// icon only decorates the Add/Remove list, and a product need not bring one.
bool UninstallNeeds(const FileCopy& copy) {
    return NamePartOf(copy.to) != "setup.ico";
}

void CopyUninstaller(const FinishingInput& input, const std::string& windowsFolder,
                     std::string& note) {
    const std::string folder = UninstallerFolder(windowsFolder);
    if (!EnsureFolder(folder)) {
        note = folder;
        return;
    }
    for (const FileCopy& copy :
         UninstallerCopies(input.sourceFolder, windowsFolder, input.installFolder))
        if (!CopyReplacing(copy.from, copy.to) && UninstallNeeds(copy)) note = copy.to;
    HideFolder(folder);
}

void WriteKeyLines(const std::vector<std::string>& lines, std::string& note) {
    for (const KeyLine& line : ReadKeyLines(lines)) {
        const RegistryWrite write = WriteOf(line);
        std::vector<NamedValue> values;
        if (write.kind != RegistryWrite::Kind::Nothing) values.push_back({line.valueName, write});
        // The key is opened, and made, even for a line that writes nothing.
        if (!WriteKeyValues(line.root, line.keyPath, values) || write.failed)
            note = line.FailureNote();
    }
}

void WriteUninstallEntry(const FinishingInput& input, const std::string& windowsFolder,
                         std::string& note) {
    const std::optional<std::string> name = EntryNameAtInstall(input.title);
    const std::string key = std::string(kUninstallKeyBase) + name.value_or(std::string());
    std::vector<NamedValue> values;
    for (const EntryValue& value :
         UninstallEntryValues(input.progName, windowsFolder, input.installFolderCreated,
                              input.installFolder, input.company))
        values.push_back(StringValue(value.name, value.data));
    // Without its entry the product cannot be removed from the Add/Remove list.
    if (!name || !WriteKeyValues(RegistryRoot::LocalMachine, key, values))
        note = kLocalMachine + key;
}

// The links actually saved.
std::vector<std::string> SaveShortcuts(const std::vector<Shortcut>& shortcuts) {
    std::vector<std::string> saved;
    for (const Shortcut& shortcut : shortcuts)
        for (const std::string& linkFile : shortcut.linkFiles)
            if (SaveShellLink(shortcut.target, shortcut.workingFolder, linkFile))
                saved.push_back(linkFile);
    return saved;
}

}  // namespace

FinishingOutcome FinishInstall(const FinishingInput& input, KelTextHandler& folders,
                               const std::function<void(const std::string&)>& status) {
    FinishingOutcome outcome;
    std::string& note = outcome.errorNote;
    note = input.errorNote;
    const std::string windowsFolder = folders.GetSpecialFolder("windows");

    CopyUninstaller(input, windowsFolder, note);

    status("Creating Registry Keys...");
    WriteKeyLines(input.keyLines, note);
    WriteUninstallEntry(input, windowsFolder, note);

    status("Creating Shortcuts...");
    const LinkFolders linkFolders{
        folders.GetSpecialFolder("allDesktop"), folders.GetSpecialFolder("allStartup"),
        ProgramMenuFolder(folders.GetSpecialFolder("allPrograms"), input.programMenuName)};
    const std::vector<Shortcut> shortcuts = PlanShortcuts(
        input.entries, input.installFolder, input.progName, linkFolders, input.desktopShortcuts);
    outcome.tasks = input.tasks == kNoTask ? FirstTask(shortcuts) : input.tasks;

    std::vector<std::string> made = input.extractedFiles;
    for (std::string& link : SaveShortcuts(shortcuts)) made.push_back(std::move(link));
    const std::string record = input.installFolder + kInstallRecordFile;
    if (!ReplaceFileWith(record, InstallRecordText(made))) note = record;

    outcome.endWarning = InstallEndWarning(note, input.entries.empty());
    return outcome;
}

}  // namespace setup

namespace setup {

void InstallFinishing::Run(const ExtractionOutcome& extraction) {
    FinishingInput input;
    input.sourceFolder = form_.curDir->Caption();
    input.installFolder = form_.DirectoryEdit1->Text();
    input.programMenuName = form_.Edit1->Text();
    input.desktopShortcuts = form_.CheckBox9->Checked();
    input.keyLines = form_.ListBox14->Items().Items();
    input.progName = form_.progName->Caption();
    input.title = form_.Label1->Caption();
    input.company = form_.Label39->Caption();
    input.installFolderCreated = form_.InstallFolderCreated;
    input.tasks = form_.Tasks->Caption();
    input.errorNote = extraction.errorNote;
    for (const std::string& line : form_.ListBox13->Items().Items())
        if (const std::optional<InstallEntry> entry = ReadInstallEntryLine(line))
            input.entries.push_back(*entry);
    input.extractedFiles = extraction.extractedFiles;

    const FinishingOutcome outcome = FinishInstall(
        input, *form_.KTH, [this](const std::string& text) { form_.Label23->SetCaption(text); });

    form_.Tasks->SetCaption(outcome.tasks);
    form_.SetCursor(gui::crDefault);
    form_.Button2->SetEnabled(true);
    form_.Button1->SetEnabled(false);
    form_.Notebook1->SetPageIndex(form_.Notebook1->PageIndex() + 1);
    form_.Label24->SetCaption(outcome.endWarning);
}

}  // namespace setup
