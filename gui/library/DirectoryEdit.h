// An edit box for a folder with a browse button that opens the folder dialog. The chosen folder
// is written as it is, never quoted: its text is used as a path by the code that reads it.
#pragma once

#include "BrowseEdit.h"

namespace gui {

class TDirectoryEdit : public TBrowseEdit {
public:
    explicit TDirectoryEdit(TComponent* owner);

protected:
    void PrepareRequest(BrowseRequest& request) override;
};

}  // namespace gui
