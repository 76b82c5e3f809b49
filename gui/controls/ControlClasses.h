// Makes the standard controls known to form descriptions by their class names.
#pragma once

namespace gui {

// Registers TLabel, TEdit, TMaskEdit, TMemo, TButton, TBitBtn, TCheckBox, TRadioButton,
// TComboBox, TListBox, TFileListBox, TListView, TPanel, TImage, TShape, TNotebook, TPage,
// TTabbedNotebook, TTabPage and TProgressBar with ClassRegistry. Programs call it once at
// start-up.
void RegisterControlClasses();

}  // namespace gui
