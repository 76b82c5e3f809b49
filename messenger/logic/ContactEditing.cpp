#include "ContactEditing.h"

#include <algorithm>
#include <cstdlib>

namespace messenger {

std::string DeleteQuestion(int count) {
    return "Are you sure you want to delete " + std::to_string(count) + " contact(s)?";
}

int ContactIndexFromText(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::atoi(text.c_str());
}

int EditTarget(const std::vector<std::string>& records, int index, const std::string& opened) {
    if (index >= 0 && static_cast<size_t>(index) < records.size() &&
        records[static_cast<size_t>(index)] == opened)
        return index;
    const auto found = std::find(records.begin(), records.end(), opened);
    return found == records.end() ? -1 : static_cast<int>(found - records.begin());
}

std::string ContactsBackupPath(const std::string& contactsPath) {
    return contactsPath + ".bak";
}

}  // namespace messenger
