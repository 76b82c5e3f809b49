// The messenger's small text files on disk: read whole, and replaced in one step so that a write
// that fails leaves the previous file as it was.
#pragma once

#include <string>

namespace messenger {

// The file's bytes. False when there is no such file; any other failure raises gui::Exception
// naming the file and the reason.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes the bytes to a new file in the same folder and moves it over `path` in one step, through
// to the disk. On any failure the temporary file is removed, `path` keeps its previous content,
// and gui::Exception names the file and the reason.
void ReplaceFile(const std::string& path, const std::string& bytes);

// Copies `from` over `to`. False when there is no `from`; any other failure raises
// gui::Exception naming `to` and the reason.
bool CopyWholeFile(const std::string& from, const std::string& to);

// The system's text for an error code, without its closing full stop.
std::string SystemMessage(unsigned long error);

}  // namespace messenger
