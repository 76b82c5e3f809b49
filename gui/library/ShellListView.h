// A list of the folders in one root folder, by their display names, sorted by name, with the
// shell's small icons. It only lists: a double-click opens nothing, and there is no shell context
// menu. The selection stays visible when the list loses the focus.
#pragma once

#include <string>
#include <vector>

#include "ListView.h"

namespace gui {

class TShellListView : public TListView {
public:
    explicit TShellListView(TComponent* owner);

    // The folder listed; empty (the default) or "rfPrograms" is the current user's Start-menu
    // Programs folder.
    void SetRoot(const std::string& folder);
    // The folder listed now: the one set, or the Programs folder.
    std::string RootFolder() const;

    // Reads the root folder again.
    void Reload();
    // The full path of the folder item `index` shows.
    const std::string& FolderPath(int index) const { return paths_.at(index); }

    // Root and the list view's own properties. The shell list's own switches are taken at the
    // values this list has (AutoNavigate and AutoContextMenus False, ObjectTypes [otFolders],
    // Sorted True); other values are not built and raise Exception.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;
    void Loaded() override;

protected:
    void CreateWnd() override;

private:
    void ApplySystemImages();

    std::string root_;
    std::vector<std::string> paths_;
    bool read_ = false;
};

}  // namespace gui
