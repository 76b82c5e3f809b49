#include "UninstallStages.h"

#include <algorithm>
#include <cstdlib>

#include "FileMask.h"
#include "FolderPaths.h"
#include "TextToolkit.h"
#include "UninstallRules.h"

namespace setup {

namespace {

void DeleteNoted(UninstallFileSystem& files, const std::string& path, const std::string& noteText,
                 std::string& note) {
    if (!files.RemoveFile(path)) note = noteText;
}

// The folder's files that match the mask, in the order they are deleted.
std::vector<std::string> ListedFiles(UninstallFileSystem& files, const std::string& folder,
                                     const std::string& mask) {
    std::vector<std::string> paths;
    const std::optional<std::vector<std::string>> names = files.FileNames(folder);
    if (!names) return paths;
    std::vector<std::string> matching;
    for (const std::string& name : *names)
        if (MatchesFileMask(name, mask)) matching.push_back(name);
    std::sort(matching.begin(), matching.end(), [](const std::string& a, const std::string& b) {
        return text::LowerAscii(a) > text::LowerAscii(b);
    });
    for (const std::string& name : matching) paths.push_back(folder + "\\" + name);
    return paths;
}

}  // namespace

void RemoveLinks(const std::vector<std::string>& removalList, const UninstallPlaces& places,
                 const InstallRecord* record, UninstallFileSystem& files, std::string& note) {
    const std::string menuFolder = places.allPrograms + places.programMenuName;
    for (size_t i = 0; i < removalList.size(); ++i) {
        const std::string type = text::GetFieldOf(removalList[i], 0, ",", true);
        const std::string name = RemovedLinkName(i, removalList[i], places.progName);
        if (std::atoi(type.c_str()) > 0) {
            const std::string desktopLink = places.allDesktop + name + ".lnk";
            if (files.FileExists(desktopLink)) DeleteNoted(files, desktopLink, desktopLink, note);
        }
        if (files.FolderExists(menuFolder)) {
            if (IsProtectedFolder(menuFolder, places.protectedFolders))
                note = menuFolder;
            else
                files.RemoveFolderTree(menuFolder);
        }
        if (type == "1") {
            const std::string startupLink = places.allStartup + name + ".lnk";
            if (files.FileExists(startupLink)) files.RemoveFile(startupLink);
        }
    }
    if (!record) return;
    for (const std::string& link : record->Links())
        if (files.FileExists(link)) DeleteNoted(files, link, link, note);
}

void RemoveFiles(const std::vector<std::string>& removalList, const UninstallPlaces& places,
                 const InstallRecord* record, UninstallFileSystem& files, std::string& note) {
    const size_t lines = removalList.size();
    for (size_t i = 0; i < lines; ++i) {
        const RemovalTarget target = RemovalTargetOf(removalList[i], places.installFolder);
        if (!target.inside) continue;
        const bool ownFile = i + kOwnFileLines >= lines;
        const std::vector<std::string> paths = record && !ownFile
                                                   ? record->FilesIn(target.folder, target.mask)
                                                   : ListedFiles(files, target.folder, target.mask);
        for (const std::string& path : paths) {
            // A recorded file that is already gone is not a failure.
            if (record && !ownFile && !files.FileExists(path)) continue;
            DeleteNoted(files, path, NamePartOf(path), note);
            files.Progress(FileStageBar(i, lines));
        }
        const bool setupIniLine = i + kOwnFileLines == lines;
        if (record && setupIniLine && !files.FileExists(places.installFolder + "\\setup.ini")) {
            const std::string recordFile = places.installFolder + kInstallRecordFile;
            if (files.FileExists(recordFile))
                DeleteNoted(files, recordFile, NamePartOf(recordFile), note);
        }
    }
}

void RemoveInstallFolder(const UninstallPlaces& places, bool installFolderCreated,
                         UninstallFileSystem& files, std::string& note) {
    if (!installFolderCreated) return;
    if (IsProtectedFolder(places.installFolder, places.protectedFolders) ||
        !files.RemoveFolderTree(places.installFolder))
        note = places.installFolder;
}

}  // namespace setup
