// The contacts reader on arbitrary files: the records it reads are written and read back
// unchanged, each splits into its name and number around the first "|", and the ordering pass
// only moves them, the greatest to the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ContactsFile.h"

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const messenger::ContactsRead read =
        messenger::ReadContacts(std::string(reinterpret_cast<const char*>(data), size));
    if (!read.accepted) {
        Require(read.records.empty());
        return 0;
    }
    Require(messenger::ReadContacts(messenger::WriteContacts(read.records)).records ==
            read.records);
    for (const std::string& record : read.records) {
        Require(!record.empty());
        if (record.find('|') != std::string::npos)
            Require(messenger::MakeContactRecord(messenger::ContactName(record),
                                                 messenger::ContactNumber(record)) == record);
    }
    std::vector<std::string> ordered = read.records;
    messenger::OrderContactsOnePass(ordered);
    Require(std::is_permutation(ordered.begin(), ordered.end(), read.records.begin()));
    // std::string compares bytes unsigned, as the pass does: the greatest record ends last.
    for (const std::string& record : ordered) Require(!(ordered.back() < record));
    return 0;
}
