// Shapes as they paint, and file lists against a folder the test makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "ListControls.h"

namespace {

using namespace gui;
using Names = std::vector<std::string>;

TEST(Shape, PaintsItsFigureWithPenAndBrush) {
    TPanel host(nullptr);
    host.SetVisible(false);
    host.SetBevelOuter(bvNone);
    host.SetColor(clTeal);
    host.SetBounds(0, 0, 120, 60);
    auto* shape = new TShape(&host);
    shape->SetParent(&host);
    shape->SetBounds(10, 10, 60, 30);
    ASSERT_TRUE(shape->SetProperty("Brush.Color", PropertyValue::Ident("clRed")));
    ASSERT_TRUE(shape->SetProperty("Pen.Color", PropertyValue::Ident("clBlue")));
    TBitmap shot(120, 60);
    auto paint = [&] {
        SendMessageA(host.Handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(shot.Canvas().Handle()), PRF_CLIENT);
    };
    paint();
    EXPECT_EQ(shot.Pixel(10, 10), clBlue);  // the outline at the corner
    EXPECT_EQ(shot.Pixel(69, 39), clBlue);
    EXPECT_EQ(shot.Pixel(40, 25), clRed);
    EXPECT_EQ(shot.Pixel(75, 25), clTeal);

    // A circle keeps to the shorter side, centred: the corners of the control stay empty.
    ASSERT_TRUE(shape->SetProperty("Shape", PropertyValue::Ident("stCircle")));
    paint();
    EXPECT_EQ(shot.Pixel(40, 25), clRed);
    EXPECT_EQ(shot.Pixel(12, 12), clTeal);
    EXPECT_EQ(shot.Pixel(20, 25), clTeal);  // left of the circle's 30-pixel square
    EXPECT_THROW(shape->SetProperty("Shape", PropertyValue::Ident("stStar")), Exception);
}

class FileList : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "zembly-file-list-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* name : {"a.txt", "B.dat", "c.log", "r.txt", ".h.txt"})
            std::ofstream(folder + "\\" + name) << name;
        CreateDirectoryA((folder + "\\sub.txt").c_str(), nullptr);
        SetFileAttributesA((folder + "\\r.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA((folder + "\\.h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        hiddenWorks =
            (GetFileAttributesA((folder + "\\.h.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0;
    }
    void TearDown() override {
        for (const char* name : {"a.txt", "B.dat", "c.log", "r.txt", ".h.txt"}) {
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA((folder + "\\sub.txt").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
    bool hiddenWorks = false;
};

TEST_F(FileList, ListsMatchingFilesSortedWithoutFolders) {
    TFileListBox list(nullptr);
    list.SetMask("*.txt;*.dat");
    list.SetDirectory(folder);
    EXPECT_EQ(list.Items().Items(), (Names{"a.txt", "B.dat", "r.txt"}));

    // A name matched by two patterns is one file.
    list.SetMask("*.txt;a.*");
    EXPECT_EQ(list.Items().Items(), (Names{"a.txt", "r.txt"}));

    ASSERT_TRUE(list.SetProperty("FileType", [] {
        PropertyValue types;
        types.kind = PropertyValue::Kind::Set;
        types.items = {"ftReadOnly", "ftHidden", "ftSystem", "ftArchive", "ftNormal"};
        return types;
    }()));
    if (hiddenWorks) {
        EXPECT_EQ(list.Items().Items(), (Names{".h.txt", "a.txt", "r.txt"}));
    }

    // Read-only files only, without normal ones.
    list.SetFileType(ftReadOnly);
    EXPECT_EQ(list.Items().Items(), (Names{"r.txt"}));
}

TEST_F(FileList, AMissingFolderRaisesAndLeavesTheListEmpty) {
    TFileListBox list(nullptr);
    list.SetDirectory(folder);
    EXPECT_EQ(list.Items().Count(), hiddenWorks ? 4 : 5);
    EXPECT_THROW(list.SetDirectory(folder + "\\missing"), Exception);
    EXPECT_EQ(list.Items().Count(), 0);
    EXPECT_THROW(list.SetDirectory(folder + "\\a.txt"), Exception);  // a file is no folder
}

}  // namespace
