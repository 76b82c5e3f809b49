#include "LibraryClasses.h"

#include "DirectoryEdit.h"
#include "FilenameEdit.h"
#include "FormPlacement.h"
#include "MediaPlayer.h"
#include "RxGIFAnimator.h"
#include "RxLabel.h"
#include "RxSpinEdit.h"
#include "RxTrayIcon.h"
#include "ShellListView.h"

namespace gui {

void RegisterLibraryClasses() {
    ClassRegistry::Register<TRxTrayIcon>("TRxTrayIcon");
    ClassRegistry::Register<TMediaPlayer>("TMediaPlayer");
    ClassRegistry::Register<TFormPlacement>("TFormPlacement");
    ClassRegistry::Register<TRxGIFAnimator>("TRxGIFAnimator");
    ClassRegistry::Register<TFilenameEdit>("TFilenameEdit");
    ClassRegistry::Register<TDirectoryEdit>("TDirectoryEdit");
    ClassRegistry::Register<TRxSpinEdit>("TRxSpinEdit");
    ClassRegistry::Register<TRxLabel>("TRxLabel");
    ClassRegistry::Register<TShellListView>("TShellListView");
}

}  // namespace gui
