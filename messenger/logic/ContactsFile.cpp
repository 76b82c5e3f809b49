#include "ContactsFile.h"

#include <cstring>
#include <utility>

#include "StringList.h"
#include "TextToolkit.h"

namespace messenger {

namespace {

const char kAcceptedHeader[] = "[zembly SMS contacts 2";

bool GreaterInByteOrder(const std::string& a, const std::string& b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    const int order = common ? std::memcmp(a.data(), b.data(), common) : 0;
    return order > 0 || (order == 0 && a.size() > b.size());
}

}  // namespace

ContactsRead ReadContacts(const std::string& fileBytes) {
    ContactsRead read;
    std::vector<std::string> lines = gui::SplitLines(fileBytes);
    if (lines.empty() || text::GetFieldOf(lines[0], 0, ".", true) != kAcceptedHeader) return read;
    read.accepted = true;
    for (size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty()) read.records.push_back(std::move(lines[i]));
    return read;
}

std::string WriteContacts(const std::vector<std::string>& records) {
    std::string file = kContactsHeader;
    file += "\r\n";
    for (const std::string& record : records) {
        file += record;
        file += "\r\n";
    }
    return file;
}

std::string ContactName(const std::string& record) {
    return text::GetFieldOf(record, 0, "|", true);
}

std::string ContactNumber(const std::string& record) {
    return text::GetFieldOf(record, 1, "|", false);
}

std::string ContactCaption(const std::string& record) {
    return " " + ContactName(record) + " ";
}

std::string ContactRefusal(const std::string& name, const std::string& number) {
    if (name.find('|') == std::string::npos && number.find('|') == std::string::npos) return {};
    return "A name or number cannot contain the character \"|\".";
}

std::string MakeContactRecord(const std::string& name, const std::string& number) {
    return name + "|" + number;
}

void OrderContactsOnePass(std::vector<std::string>& records) {
    for (size_t i = 0; i + 1 < records.size(); ++i)
        if (GreaterInByteOrder(records[i], records[i + 1])) std::swap(records[i], records[i + 1]);
}

}  // namespace messenger
