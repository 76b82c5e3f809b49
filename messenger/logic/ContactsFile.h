// The contacts file "contacts.con" and the contact records it holds: one record a line, the name
// and the number joined by "|". Reading, writing, the record's parts, the list order and the
// rule that keeps "|" out of new records. Portable: no windows.h here.
#pragma once

#include <string>
#include <vector>

namespace messenger {

inline constexpr char kContactsFileName[] = "contacts.con";
inline constexpr char kContactsHeader[] = "[zembly SMS contacts 2.00]";

struct ContactsRead {
    // The header names major version 2. A file that is not accepted is no contacts file of ours
    // and must not be overwritten without keeping a copy.
    bool accepted = false;
    std::vector<std::string> records;
};

// Lines end at CR LF, LF or CR; every non-empty line after the header is a record. An empty line
// is no contact: earlier versions read one after a lone header and saved it back with the next
// contact, so it stood in the list as a blank entry that no one had added.
ContactsRead ReadContacts(const std::string& fileBytes);

// The header, then each record, every line ended by CR LF; the header alone for no contacts, so
// that deleted contacts stay deleted.
std::string WriteContacts(const std::vector<std::string>& records);

// The text before the first "|" (the whole record when it has none).
std::string ContactName(const std::string& record);
// Everything after the first "|", further "|" included (the whole record when it has none).
std::string ContactNumber(const std::string& record);
// The list view shows a record as its name with one space on each side.
std::string ContactCaption(const std::string& record);

// Empty when the dialog may store name + "|" + number; otherwise the message that refuses it. A
// "|" in either part would move the split when the record is read back.
std::string ContactRefusal(const std::string& name, const std::string& number);
std::string MakeContactRecord(const std::string& name, const std::string& number);

// One pass of neighbour exchanges in unsigned byte order: the greatest record reaches the end,
// every other moves at most one place. Deliberately not a full sort; the list has always been
// shown in this order.
void OrderContactsOnePass(std::vector<std::string>& records);

}  // namespace messenger
