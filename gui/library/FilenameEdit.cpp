#include "FilenameEdit.h"

#include <algorithm>

namespace gui {

TFilenameEdit::TFilenameEdit(TComponent* owner) : TBrowseEdit(owner) {
    SetClassName("TFilenameEdit");
}

void TFilenameEdit::PrepareRequest(BrowseRequest& request) {
    request.kind = BrowseKind::OpenFile;
    request.filter = filter_;
    request.name = Text();
    request.name.erase(std::remove(request.name.begin(), request.name.end(), '"'),
                       request.name.end());
}

std::string TFilenameEdit::TextForName(const std::string& name) {
    bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    if (name.find(' ') == std::string::npos || quoted) return name;
    return '"' + name + '"';
}

bool TFilenameEdit::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Filter")) {
        SetFilter(value.AsString());
    } else {
        return TBrowseEdit::SetProperty(name, value);
    }
    return true;
}

}  // namespace gui
