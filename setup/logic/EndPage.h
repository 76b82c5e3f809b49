// The warnings of the two end pages. Only the last failure of a road is kept (its note); the
// line breaks are LF CR LF CR, as the labels show them.
#pragma once

#include <string>

namespace setup {

// Empty when the note is empty; when nothing was listed for extraction, the "No files found"
// warning stands in place of any other.
std::string InstallEndWarning(const std::string& note, bool nothingListed);

// Empty when the note is empty.
std::string UninstallEndWarning(const std::string& note);

}  // namespace setup
