// A window of user32's own controls, with its pictures, image list and placement, comes up
// without the libraries that the layer loads only when first used: each costs start-up time.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Form.h"
#include "GuiClasses.h"
#include "MessagePump.h"
#include "Resources.h"
#include "WindowTestSupport.h"

namespace {

// The late libraries that are loaded, one bit each; 0 when none is.
int LoadedLateLibraries() {
    const char* const kLate[] = {"comctl32.dll", "shell32.dll", "comdlg32.dll", "winmm.dll",
                                 "ws2_32.dll",   "secur32.dll", "crypt32.dll"};
    int loaded = 0;
    for (int i = 0; i < 7; ++i)
        if (GetModuleHandleA(kLate[i])) loaded |= 1 << i;
    return loaded;
}

TEST(LateLibraries, AWindowOfUser32ControlsComesUpWithoutThem) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            gui::RegisterClasses();
            gui::AddResource("late.bmp",
                             testing_support::SmallBmp(4, 2, std::vector<uint32_t>(8, 0x0000FF)));
            char temp[MAX_PATH] = {};
            GetTempPathA(MAX_PATH, temp);
            gui::TForm form(nullptr);
            form.LoadFromDescription(
                "object LateForm: TForm\n"
                "  object Edit1: TEdit\n  end\n"
                "  object Button1: TButton\n    Top = 30\n    Caption = 'OK'\n  end\n"
                "  object CheckBox1: TCheckBox\n    Top = 60\n  end\n"
                "  object BitBtn1: TBitBtn\n    Top = 90\n    Caption = 'Go'\n"
                "    Glyph = 'late.bmp'\n  end\n"
                "  object Image1: TImage\n    Top = 120\n    Picture = 'late.bmp'\n  end\n"
                "  object ImageList1: TImageList\n    Width = 2\n    Height = 2\n"
                "    Strip = 'late.bmp'\n  end\n"
                "  object FormPlacement1: TFormPlacement\n    IniFileName = '" +
                std::string(temp) + "zembly-late.ini'\n  end\nend\n");
            form.Show();
            for (int i = 0; i < 5; ++i) {
                gui::ProcessMessages();
                UpdateWindow(form.Handle());
            }
            ExitProcess(static_cast<UINT>(LoadedLateLibraries()));
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
