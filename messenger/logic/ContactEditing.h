// What the contact buttons and the contact dialog decide without a window: the question Delete
// asks, where the dialog's OK stores an edited record, and the name a rejected file is kept under.
// Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

namespace messenger {

// "Are you sure you want to delete n contact(s)?"
std::string DeleteQuestion(int count);

// The dialog's index, as the decimal text it keeps; -1 for anything else.
int ContactIndexFromText(const std::string& text);

// Where OK in edit mode puts the edited record, or -1 to add it. The dialog waits inside message
// processing, so the list may have been reloaded, reordered or shortened since it opened: the
// index counts only while it still holds the record that was opened; otherwise that record is
// looked for, and when it is gone the new one is added rather than overwrite another contact.
int EditTarget(const std::vector<std::string>& records, int index, const std::string& opened);

// A contacts file that was not accepted is copied here before our first save replaces it.
std::string ContactsBackupPath(const std::string& contactsPath);

}  // namespace messenger
