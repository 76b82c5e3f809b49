// The link, file and folder stages of the uninstall road, over the file system as the road sees
// it. Each stage goes on past failures and leaves the last one in the error note.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "InstallRecord.h"

namespace setup {

class UninstallFileSystem {
public:
    virtual ~UninstallFileSystem() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // True when the file is gone. (Not named DeleteFile, which windows.h turns into a macro.)
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // The folder with everything in it; true on success.
    virtual bool RemoveFolderTree(const std::string& path) = 0;
    // The names of the files directly in a folder; nothing when the folder is missing. Listing
    // must not keep the folder in use.
    virtual std::optional<std::vector<std::string>> FileNames(const std::string& folder) = 0;
    // The overall bar's value after a file; the window repaints here.
    virtual void Progress(int value) = 0;
};

struct UninstallPlaces {
    std::string installFolder;  // without trailing "\"
    std::string progName;
    std::string programMenuName;  // the folder name under the Programs folder
    // The all-users folders, each ending in "\".
    std::string allDesktop;
    std::string allStartup;
    std::string allPrograms;
    // Folders that are never removed, nor any folder above them.
    std::vector<std::string> protectedFolders;
};

// Per removal line: its desktop link (types above 0; a failure is noted), the program-menu
// folder (removed once it exists; refused with a note when protected), its Startup link (type 1;
// not noted); then every link the record names (failures noted).
void RemoveLinks(const std::vector<std::string>& removalList, const UninstallPlaces& places,
                 const InstallRecord* record, UninstallFileSystem& files, std::string& note);

// Per removal line, its folder's files that match its mask, by name with the last first. With a
// record only the recorded ones go; without one (an older install) whatever the folder holds. A
// folder that is missing is skipped without a note. The wizard's own two copies at the end of the
// list go in any case, and the record itself once setup.ini is gone, so that an uninstall that
// keeps setup.ini can still be run again with it.
void RemoveFiles(const std::vector<std::string>& removalList, const UninstallPlaces& places,
                 const InstallRecord* record, UninstallFileSystem& files, std::string& note);

// The install folder goes only when the install created it, and never when protected.
void RemoveInstallFolder(const UninstallPlaces& places, bool installFolderCreated,
                         UninstallFileSystem& files, std::string& note);

}  // namespace setup
