// Makes the component-library controls known to form descriptions by their class names.
#pragma once

namespace gui {

// Registers TRxTrayIcon, TMediaPlayer, TFormPlacement, TRxGIFAnimator, TFilenameEdit,
// TDirectoryEdit, TRxSpinEdit, TRxLabel and TShellListView with ClassRegistry. Registering twice
// is harmless.
void RegisterLibraryClasses();

}  // namespace gui
