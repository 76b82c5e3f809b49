#include "StringList.h"

#include <algorithm>
#include <cctype>

namespace gui {

int CompareListText(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

void TStrings::Refresh() const {
    // While an update is open the list is ahead of the window, so the window must not win.
    if (!link_ || refreshing_ || updateCount_ > 0) return;
    refreshing_ = true;
    try {
        link_->Refresh(items_);
    } catch (...) {
        refreshing_ = false;
        throw;
    }
    refreshing_ = false;
}

void TStrings::CheckIndex(int index, bool allowEnd) const {
    int limit = static_cast<int>(items_.size()) + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::SortedPlace(const std::string& text) const {
    auto it = std::upper_bound(
        items_.begin(), items_.end(), text,
        [](const std::string& a, const std::string& b) { return CompareListText(a, b) < 0; });
    return static_cast<int>(it - items_.begin());
}

void TStrings::Changed() {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) OnChange();
}

int TStrings::Count() const {
    Refresh();
    return static_cast<int>(items_.size());
}

std::string TStrings::Strings(int index) const {
    Refresh();
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)];
}

void TStrings::Put(int index, const std::string& text) {
    Refresh();
    CheckIndex(index, false);
    if (sorted_) {
        Delete(index);
        Add(text);
        return;
    }
    items_[static_cast<size_t>(index)] = text;
    if (link_ && updateCount_ == 0) link_->Replaced(index, text);
    Changed();
}

int TStrings::Add(const std::string& text) {
    Refresh();
    int index = sorted_ ? SortedPlace(text) : static_cast<int>(items_.size());
    items_.insert(items_.begin() + index, text);
    if (link_ && updateCount_ == 0) link_->Inserted(index, text);
    Changed();
    return index;
}

void TStrings::Insert(int index, const std::string& text) {
    Refresh();
    CheckIndex(index, true);
    if (sorted_) index = SortedPlace(text);
    items_.insert(items_.begin() + index, text);
    if (link_ && updateCount_ == 0) link_->Inserted(index, text);
    Changed();
}

void TStrings::Delete(int index) {
    Refresh();
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
    if (link_ && updateCount_ == 0) link_->Deleted(index);
    Changed();
}

void TStrings::Exchange(int a, int b) {
    Refresh();
    CheckIndex(a, false);
    CheckIndex(b, false);
    if (a == b) return;
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    if (link_ && updateCount_ == 0) {
        link_->Replaced(a, items_[static_cast<size_t>(a)]);
        link_->Replaced(b, items_[static_cast<size_t>(b)]);
    }
    Changed();
}

void TStrings::Clear() {
    Refresh();
    if (items_.empty()) return;
    items_.clear();
    if (link_ && updateCount_ == 0) link_->Reset(items_);
    Changed();
}

int TStrings::IndexOf(const std::string& text) const {
    Refresh();
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i], text)) return static_cast<int>(i);
    return -1;
}

std::string TStrings::Text() const {
    Refresh();
    std::string text;
    for (const std::string& line : items_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text) {
    Assign(SplitLines(text));
}

std::vector<std::string> TStrings::Items() const {
    Refresh();
    return items_;
}

void TStrings::Assign(const std::vector<std::string>& items) {
    std::vector<std::string> copy = items;  // the source may be our own items
    if (sorted_)
        std::stable_sort(copy.begin(), copy.end(), [](const std::string& a, const std::string& b) {
            return CompareListText(a, b) < 0;
        });
    items_ = std::move(copy);
    if (link_ && updateCount_ == 0) link_->Reset(items_);
    Changed();
}

void TStrings::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) Assign(Items());
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) {
        Refresh();
        changedWhileUpdating_ = false;
    }
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ > 0) return;
    if (!changedWhileUpdating_) return;
    changedWhileUpdating_ = false;
    if (link_) link_->Reset(items_);
    if (OnChange) OnChange();
}

bool TStrings::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Strings")) {
        if (value.kind != PropertyValue::Kind::List) throw Exception("Invalid property value");
        Assign(value.items);
        return true;
    }
    return TPersistent::SetProperty(name, value);
}

}  // namespace gui
