// The string list behind list boxes, combo boxes and memos. It holds its strings itself, so a
// hidden list box works as a plain store without ever making a window; a control that shows the
// list links itself in to mirror each change. Portable: no windows.h here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Component.h"

namespace gui {

// What a control does to keep its window in step with its list. Every change is reported after
// the list itself changed; Reset stands for "anything may have changed".
class TStringsLink {
public:
    virtual ~TStringsLink() = default;
    // Called before the list is read, so that a control whose window holds the text the user
    // edits (a memo) can bring the list up to date. It assigns the strings it wants to `items`.
    virtual void Refresh(std::vector<std::string>& items) { (void)items; }
    virtual void Inserted(int index, const std::string& text) = 0;
    virtual void Deleted(int index) = 0;
    virtual void Replaced(int index, const std::string& text) = 0;
    virtual void Reset(const std::vector<std::string>& items) = 0;
};

class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Count() const;
    // An index outside the list raises Exception("List index out of bounds (n)").
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    void Put(int index, const std::string& text);
    // Returns the index the string went to (its sorted place in a sorted list).
    int Add(const std::string& text);
    // A sorted list puts the string at its sorted place whatever the index asked for.
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Exchange(int a, int b);
    void Clear();
    // Case-insensitive, as the class library compares list entries; -1 when absent.
    int IndexOf(const std::string& text) const;

    // Every line followed by CR LF. SetText splits at CR LF, LF or CR; a final line break adds no
    // empty line.
    std::string Text() const;
    void SetText(const std::string& text);
    std::vector<std::string> Items() const;
    void Assign(const std::vector<std::string>& items);
    void Assign(const TStrings& other) { Assign(other.Items()); }

    // Sorted lists order case-insensitively (ties by byte order) and keep equal entries in the
    // order they were added.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    // Changes between BeginUpdate and the matching EndUpdate reach the link as one Reset.
    void BeginUpdate();
    void EndUpdate();

    // "Strings" = ('a' 'b'): the list as a form description writes it.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    void SetLink(TStringsLink* link) { link_ = link; }
    // Runs after every change made through this object.
    std::function<void()> OnChange;

private:
    void Refresh() const;
    void CheckIndex(int index, bool allowEnd) const;
    int SortedPlace(const std::string& text) const;
    void Changed();

    mutable std::vector<std::string> items_;
    mutable bool refreshing_ = false;
    bool sorted_ = false;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
    TStringsLink* link_ = nullptr;
};

// The order of a sorted list: negative, zero or positive as in strcmp.
int CompareListText(const std::string& a, const std::string& b);

// Lines of a text broken at CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);
// Lines joined with CR LF between them (none after the last).
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace gui
