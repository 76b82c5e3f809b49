#include "ControlClasses.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "ListControls.h"
#include "ListView.h"
#include "Pages.h"
#include "StdCtrls.h"

namespace gui {

void RegisterControlClasses() {
    ClassRegistry::Register<TLabel>("TLabel");
    ClassRegistry::Register<TEdit>("TEdit");
    ClassRegistry::Register<TMaskEdit>("TMaskEdit");
    ClassRegistry::Register<TMemo>("TMemo");
    ClassRegistry::Register<TButton>("TButton");
    ClassRegistry::Register<TBitBtn>("TBitBtn");
    ClassRegistry::Register<TCheckBox>("TCheckBox");
    ClassRegistry::Register<TRadioButton>("TRadioButton");
    ClassRegistry::Register<TComboBox>("TComboBox");
    ClassRegistry::Register<TListBox>("TListBox");
    ClassRegistry::Register<TFileListBox>("TFileListBox");
    ClassRegistry::Register<TListView>("TListView");
    ClassRegistry::Register<TPanel>("TPanel");
    ClassRegistry::Register<TImage>("TImage");
    ClassRegistry::Register<TShape>("TShape");
    ClassRegistry::Register<TNotebook>("TNotebook");
    ClassRegistry::Register<TPage>("TPage");
    ClassRegistry::Register<TTabbedNotebook>("TTabbedNotebook");
    ClassRegistry::Register<TTabPage>("TTabPage");
    ClassRegistry::Register<TProgressBar>("TProgressBar");
}

}  // namespace gui
