// An edit box for a file name with a browse button that opens the open-file dialog. A chosen
// name that holds a space is written inside double quotes, so the text can stand on a command
// line as it is; the name goes to OnAfterDialog without them.
#pragma once

#include <string>

#include "BrowseEdit.h"

namespace gui {

class TFilenameEdit : public TBrowseEdit {
public:
    explicit TFilenameEdit(TComponent* owner);

    // "Description|pattern|Description|pattern", as the open-file dialog lists them.
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }

    // Filter and the browse edit's properties.
    bool SetProperty(const std::string& name, const PropertyValue& value) override;

protected:
    void PrepareRequest(BrowseRequest& request) override;
    std::string TextForName(const std::string& name) override;

private:
    std::string filter_;
};

}  // namespace gui
