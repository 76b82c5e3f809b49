// Pictures of all twelve pages as a user sees them, for people to look at, with a few checks that
// the header and the page are really on screen.
#include <windows.h>

#include "Graphics.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"

namespace {

using testing_support::Click;
using wizard_test::Ini;
using wizard_test::WizardTest;

const char* const kPageNames[] = {"welcome",   "license",  "location",  "type",
                                  "folder",    "summary",  "install",   "finished",
                                  "unwelcome", "feedback", "uninstall", "unfinished"};

class WizardPictures : public WizardTest {
protected:
    void Picture() {
        testing_support::Pump(150);
        gui::TBitmap picture;
        gui::CaptureWindow(form_->Handle(), picture);
        ASSERT_EQ(picture.Width(), 504);
        ASSERT_EQ(picture.Height(), 345);
        const int page = Page();
        testing_support::SavePicture(picture, "setup_page_" + std::to_string(page / 10) +
                                                  std::to_string(page % 10) + "_" +
                                                  kPageNames[page]);
        // The window's colour around the pages and the gradient's white end in the header.
        EXPECT_EQ(picture.Pixel(500, 320), gui::TColor(14608365));
        EXPECT_EQ(picture.Pixel(430, 2), gui::clWhite);
    }
    // Next as the user presses it, with a picture of the page it leads to.
    void NextAndPicture() {
        Press(*form_->Button2);
        Picture();
    }
    // The pages the roads pass through inside one click are shown as they look while the road
    // works, before it moves on.
    void PictureOfRoadPage(int page) {
        const int before = Page();
        form_->Notebook1->SetPageIndex(page);
        Picture();
        form_->Notebook1->SetPageIndex(before);
        form_->Button2->SetEnabled(true);
    }
};

TEST_F(WizardPictures, EveryPageOfBothRoads) {
    StartWith({"progname=zembly SMS", "company=Tarnwick", "version=2.00", "file=zemblySMS.exe",
               "[Sounds]", "file=*.wav,sounds", "[Documentation]", "file=*.txt"});
    Picture();
    NextAndPicture();
    Click(*form_->CheckBox1);
    NextAndPicture();
    NextAndPicture();  // the missing folder's question is answered Yes
    Click(*form_->RadioButton3);
    Click(*form_->CheckBox3);
    NextAndPicture();
    NextAndPicture();
    PictureOfRoadPage(6);
    NextAndPicture();
    ASSERT_EQ(Page(), 7);
    form_->Free();
    form_ = nullptr;

    const std::string installed = MakeFolder("Tarnwick\\zembly SMS");
    Write(installed + "\\setup.ini",
          Ini({"progname=zembly SMS", "company=Tarnwick", "version=2.00", "feedback=1"}));
    Start("/uninstall: 1," + installed);
    Picture();
    form_->Memo2->SetText("The program did everything I needed.\r\nThank you!");
    NextAndPicture();
    PictureOfRoadPage(10);
    NextAndPicture();
    ASSERT_EQ(Page(), 11);
}

}  // namespace
