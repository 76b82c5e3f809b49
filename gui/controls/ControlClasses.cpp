#include "ControlClasses.h"

#include "Buttons.h"
#include "ExtCtrls.h"
#include "ListControls.h"
#include "ListView.h"
#include "Pages.h"
#include "StdCtrls.h"

namespace gui {

namespace {
template <class T>
void Register(const char* name) {
    ClassRegistry::Register(name, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
}  // namespace

void RegisterControlClasses() {
    Register<TLabel>("TLabel");
    Register<TEdit>("TEdit");
    Register<TMaskEdit>("TMaskEdit");
    Register<TMemo>("TMemo");
    Register<TButton>("TButton");
    Register<TBitBtn>("TBitBtn");
    Register<TCheckBox>("TCheckBox");
    Register<TRadioButton>("TRadioButton");
    Register<TComboBox>("TComboBox");
    Register<TListBox>("TListBox");
    Register<TFileListBox>("TFileListBox");
    Register<TListView>("TListView");
    Register<TPanel>("TPanel");
    Register<TImage>("TImage");
    Register<TShape>("TShape");
    Register<TNotebook>("TNotebook");
    Register<TPage>("TPage");
    Register<TTabbedNotebook>("TTabbedNotebook");
    Register<TTabPage>("TTabPage");
    Register<TProgressBar>("TProgressBar");
}

}  // namespace gui
