#include "DirectoryEdit.h"

namespace gui {

TDirectoryEdit::TDirectoryEdit(TComponent* owner) : TBrowseEdit(owner) {
    SetClassName("TDirectoryEdit");
}

void TDirectoryEdit::PrepareRequest(BrowseRequest& request) {
    request.kind = BrowseKind::Folder;
    request.name = Text();
}

}  // namespace gui
