// The install road's extraction on archives the tests write: the folders, the listing, what the
// unzip library leaves in a scratch install folder, the two bars, the error note, and the whole
// road walked through the wizard's pages.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "InstallRoad.h"
#include "KAZip.h"
#include "LocalFiles.h"
#include "UnzipProgress.h"
#include "WindowDriver.h"
#include "WindowTestSupport.h"
#include "WizardTestSupport.h"
#include "ZipTestWriter.h"

namespace {

using wizard_test::WizardTest;
using ziptest::Entry;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Items(gui::TListBox& list) {
    return list.Items().Items();
}

// Every PBM_SETPOS the bars' windows receive, by window, in order.
std::map<HWND, std::vector<int>>* positions = nullptr;

// A clock that moves 10 ms each time it is read, so that frames come every five events however
// fast the extraction runs.
uint32_t ticks = 0;
uint32_t SteppingClock() {
    return ticks += 10;
}

LRESULT CALLBACK RecordPositions(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && positions && message->message == PBM_SETPOS)
        (*positions)[message->hwnd].push_back(static_cast<int>(message->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class InstallRoadTest : public WizardTest {
protected:
    void TearDown() override {
        // The road leaves the last entry's folder current, and a current folder cannot go.
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        if (!menuFolder_.empty()) RemoveDirectoryA(menuFolder_.c_str());
        WizardTest::TearDown();
    }

    void WriteArchive(const std::vector<Entry>& entries) {
        Write("setup.tws", ziptest::Build(entries).bytes);
    }

    // The wizard started with these setup.ini lines, its install folder `install` below a
    // scratch folder and a program-menu folder name of its own.
    TForm1& Prepare(std::initializer_list<const char*> lines, const std::string& install) {
        TForm1& form = StartWith(lines);
        scratch_ = MakeFolder("scratch");
        form.DirectoryEdit1->SetText(scratch_ + "\\" + install);
        const std::string menu = "Install Road " + std::to_string(GetCurrentProcessId());
        form.Edit1->SetText(menu);
        menuFolder_ = form.KTH->GetSpecialFolder("allPrograms") + menu;
        return form;
    }

    std::string Installed(const std::string& path) const {
        return Read(form_->DirectoryEdit1->Text() + "\\" + path);
    }

    std::string scratch_;
    std::string menuFolder_;
};

TEST_F(InstallRoadTest, FoldersListingAndFilesFollowTheFileLines) {
    const std::string big = ziptest::Noise(100000);
    WriteArchive({{"App.EXE", "app"},
                  {"readme.txt", "0123456789", 0},
                  {"tools/app.exe", big},
                  {"prog.exe", "prog"},
                  {"readme.txt.bak", "bak"},
                  {"doc.pdf", "pdf"}});
    TForm1& form = Prepare({"progname=Foo", "file=prog.exe,Bin", "[Docs]", "file=*.exe,prog.exe",
                            "[Extras]", "file=doc.pdf", "[Readme]", "app=readme.txt"},
                           "maker\\product");
    form.CheckBox3->SetChecked(false);  // Extras

    const setup::ExtractionOutcome outcome = InstallRoad(form).Extract();

    EXPECT_TRUE(form.InstallFolderCreated);
    EXPECT_TRUE(setup::FolderExists(menuFolder_));
    EXPECT_EQ((std::vector<std::string>{"0,prog.exe,Bin", "0,*.exe,prog.exe", "3,readme.txt"}),
              Items(*form.ListBox1));
    // An entry two lines match is listed twice; names keep their case, subfolders do not.
    EXPECT_EQ((std::vector<std::string>{"0,prog.exe,bin,4", "0,App.EXE,prog.exe,3",
                                        "0,tools/app.exe,prog.exe,100000", "0,prog.exe,prog.exe,4",
                                        "3,readme.txt,,10", "3,readme.txt.bak,,3"}),
              Items(*form.ListBox13));
    EXPECT_EQ("", outcome.errorNote);
    EXPECT_EQ("prog", Installed("bin\\prog.exe"));
    EXPECT_EQ(big, Installed("prog.exe\\tools\\app.exe"));
    // A subfolder that is the entry's own name is made and entered like any other.
    EXPECT_EQ("prog", Installed("prog.exe\\prog.exe"));
    EXPECT_EQ("0123456789", Installed("readme.txt"));
    EXPECT_FALSE(setup::FileExists(form.DirectoryEdit1->Text() + "\\doc.pdf"));
    ASSERT_EQ(6u, outcome.extractedFiles.size());
    EXPECT_EQ(form.DirectoryEdit1->Text() + "\\bin\\prog.exe", outcome.extractedFiles[0]);
    EXPECT_EQ(form.DirectoryEdit1->Text() + "\\readme.txt.bak", outcome.extractedFiles[5]);

    // The record holds the fixed values for the library, and no buffer outlives its call.
    const UnzipParameterRecord& record = form.UnzipParameters;
    EXPECT_EQ(&form, record.caller);
    EXPECT_EQ(&setup::UnzipProgressCallback, record.callback);
    EXPECT_EQ((std::vector<int32_t>{110, 0, 0, 0, 0, -1, 0, 0, 0, -1, 1, 7}),
              (std::vector<int32_t>{record.switch8, record.switch24, record.switch28,
                                    record.switch32, record.switch36, record.switch40,
                                    record.switch48, record.switch52, record.switch56,
                                    record.switch60, record.entryCount, record.switch72}));
    EXPECT_EQ(nullptr, record.archivePath);
    EXPECT_EQ(nullptr, record.entryName);

    // Every level exists now: nothing is created and the flag stays clear.
    InstallRoad(form).Extract();
    EXPECT_FALSE(form.InstallFolderCreated);
}

TEST_F(InstallRoadTest, BarsCountUnitsAndSmallFilesAddUp) {
    WriteArchive({{"big.bin", ziptest::Noise(100000)},
                  {"s1", ziptest::Noise(20000)},
                  {"s2", ziptest::Noise(20000)},
                  {"s3", ziptest::Noise(20000)},
                  {"mid.bin", ziptest::Noise(40000)},
                  {"empty.txt", ""}});
    TForm1& form = Prepare({"file=*"}, "app");
    form.ProgressBar1->SetVisible(false);

    InstallRoad(form).Extract();

    // 200000 bytes are 6.1 units; the big file steps the overall bar twice (its bar runs from 1
    // to 3), the second small file once (the sum passes 32768 and keeps 7232), the empty file by
    // nothing.
    EXPECT_EQ(6, form.ProgressBar2->Max());
    EXPECT_EQ(4, form.ProgressBar2->Position());
    EXPECT_EQ(27232u, form.SmallFiles.Value());
    EXPECT_TRUE(form.ProgressBar1->Visible());
    EXPECT_EQ(1, form.ProgressBar1->Max());
    EXPECT_EQ(0, form.ProgressBar2->Step());
    EXPECT_EQ("empty.txt", form.Label23->Caption());

    // With nothing to install the library is never called and the overall bar spans nothing.
    form.ListBox2->Clear();
    form.Label23->SetCaption("Preparing...");
    const setup::ExtractionOutcome outcome = InstallRoad(form).Extract();
    EXPECT_TRUE(Items(*form.ListBox13).empty());
    EXPECT_EQ(0, form.ProgressBar2->Max());
    EXPECT_EQ("Preparing...", form.Label23->Caption());
    EXPECT_EQ("", outcome.errorNote);
}

TEST_F(InstallRoadTest, CallbackEventsDriveTheBarsAndReportErrors) {
    TForm1& form = Prepare({}, "app");
    setup::UnzipProgress progress(
        &form, {form.Label23, form.ProgressBar1, form.ProgressBar2, &form.SmallFiles});
    auto send = [&](int32_t action, uint32_t size, int32_t code, const char* text, void* caller) {
        UnzipCallbackRecord record{};
        record.caller = caller;
        record.action = action;
        record.size = size;
        record.errorCode = code;
        strcpy(record.text, text);
        EXPECT_EQ(0, setup::UnzipProgressCallback(&record));
    };
    // The controls take the values once per frame, the first event's at once.
    progress.BeginEntry(100000);
    send(kUnzipFileBegins, 100000, 0, "a.bin", &form);
    EXPECT_EQ("a.bin", form.Label23->Caption());
    EXPECT_EQ(3, form.ProgressBar1->Max());
    send(kUnzipBlockDone, 0, 0, "", &form);
    send(kUnzipBlockDone, 0, 0, "", &form);
    send(kUnzipBlockDone, 0, 0, "", &form);  // at the maximum: no step
    progress.Present();
    EXPECT_EQ(3, form.ProgressBar1->Position());
    EXPECT_EQ(form.ProgressBar2->Min() + 2, form.ProgressBar2->Position());
    send(kUnzipRestartFile, 0, 0, "", &form);
    send(kUnzipFileBegins, 999, 0, "other", nullptr);  // not this window's
    progress.Present();
    EXPECT_EQ(1, form.ProgressBar1->Position());
    EXPECT_EQ("a.bin", form.Label23->Caption());

    // Sizes up to 4 GiB - 1 stay positive.
    progress.BeginEntry(4294967295u);
    send(kUnzipFileBegins, 4294967295u, 0, "huge", &form);
    progress.Present();
    EXPECT_EQ(131071, form.ProgressBar1->Max());
    EXPECT_EQ(1, form.ProgressBar2->Step());

    send(kUnzipError, 0, 0, "nothing", &form);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(progress.EntryFailed());
    send(kUnzipError, 0, 5, "disk full", &form);
    EXPECT_EQ((std::vector<std::string>{"ERROR: disk full   code=5"}), Messages());
    EXPECT_TRUE(progress.EntryFailed());
    progress.BeginEntry(40000);
    EXPECT_FALSE(progress.EntryFailed());
}

TEST_F(InstallRoadTest, AnUnreadableArchiveListsNothingAndIsNoted) {
    TForm1& form = Prepare({"file=*"}, "app");
    EXPECT_EQ("setup.tws", InstallRoad(form).Extract().errorNote);
    Write("setup.tws", "not an archive");
    EXPECT_EQ("setup.tws", InstallRoad(form).Extract().errorNote);
    EXPECT_TRUE(Items(*form.ListBox13).empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(InstallRoadTest, FailedAndRefusedEntriesAreNotedAndWriteNothingOutside) {
    auto archive = ziptest::Build({{"good.txt", "good"},
                                   {"../evil.txt", "evil"},
                                   {"sub/CON", "evil"},
                                   {"crc.bin", ziptest::Noise(50000)},
                                   {"last.txt", "last"},
                                   {std::string(252, 'n') + ".txt", "long"}});
    archive.Put32(archive.central[3] + 16, 0xDEADBEEF);  // crc.bin's CRC-32
    Write("setup.tws", archive.bytes);
    TForm1& form = Prepare({"file=good.txt,..\\out", "file=*"}, "app");

    const setup::ExtractionOutcome outcome = InstallRoad(form).Extract();

    EXPECT_EQ((std::vector<std::string>{"0,good.txt,,4", "0,crc.bin,,50000", "0,last.txt,,4"}),
              Items(*form.ListBox13));
    // The CRC failure came last: its name is the note, and the box said why.
    EXPECT_EQ("crc.bin", outcome.errorNote);
    ASSERT_EQ(1u, Messages().size());
    EXPECT_EQ(0u, Messages()[0].find("ERROR: crc.bin: ")) << Messages()[0];
    EXPECT_NE(std::string::npos, Messages()[0].find("   code=16"));
    EXPECT_FALSE(setup::FileExists(form.DirectoryEdit1->Text() + "\\crc.bin"));
    EXPECT_EQ("last", Installed("last.txt"));
    EXPECT_EQ((std::vector<std::string>{form.DirectoryEdit1->Text() + "\\good.txt",
                                        form.DirectoryEdit1->Text() + "\\last.txt"}),
              outcome.extractedFiles);
    // Nothing but the install folder lies beside it.
    std::vector<std::string> beside;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((scratch_ + "\\*").c_str(), &found);
    do {
        if (found.cFileName[0] != '.') beside.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ((std::vector<std::string>{"app"}), beside);
}

TEST(KAZipComponent, ListsNamesInTheAnsiCodePageWithSizes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path =
        std::string(temp) + "kazip_" + std::to_string(GetCurrentProcessId()) + ".zip";
    std::ofstream(path, std::ios::binary) << ziptest::Build({{"\x82t\x82.txt", "cp437", 0},
                                                             {"caf\xC3\xA9.txt", "utf8", 8, 0x0800},
                                                             {"bad\xFF.txt", "x", 8, 0x0800},
                                                             {"a/../../b", "x"},
                                                             {"dir/", ""}})
                                                 .bytes;
    char ansi[16] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u00E9t\u00E9.txt", -1, ansi, sizeof ansi, nullptr, nullptr);

    TKAZip zip(nullptr);
    zip.Open(path);
    ASSERT_EQ(5, zip.Count());
    EXPECT_EQ(ansi, zip.EntryName(0));
    EXPECT_EQ(5u, zip.EntrySize(0));
    EXPECT_EQ("caf\xE9.txt", zip.EntryName(1));  // the wine prefix's ANSI page is 1252
    EXPECT_TRUE(zip.EntryNameSafe(0) && zip.EntryNameSafe(1) && zip.EntryNameSafe(4));
    EXPECT_FALSE(zip.EntryNameSafe(2));  // not UTF-8 though it says so
    EXPECT_FALSE(zip.EntryNameSafe(3));
    zip.Close();
    EXPECT_EQ(0, zip.Count());
    DeleteFileA(path.c_str());
    EXPECT_THROW(zip.Open(path), gui::Exception);
    EXPECT_FALSE(zip.Active());
}

TEST_F(InstallRoadTest, TheWizardsPagesInstallARealArchiveWithBothBarsMoving) {
    const std::string large = ziptest::Noise(6000000);
    WriteArchive({{"Foo.exe", large}, {"docs/readme.txt", "read me"}, {"skip.dat", "x"}});
    Write("setup.ini",
          wizard_test::Ini({"progname=Foo", "version=1", "app=foo.exe", "file=docs/*,Docs"}));
    TForm1& form = Start();
    const std::string install = MakeFolder("target") + "\\Foo";
    menuFolder_ = form.KTH->GetSpecialFolder("allPrograms") + "Foo";

    std::map<HWND, std::vector<int>> seen;
    positions = &seen;
    setup::UnzipProgress::SetFrameClock(SteppingClock);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPositions, nullptr, GetCurrentThreadId());
    Press(*form.Button2);
    testing_support::Click(*form.CheckBox1);
    Press(*form.Button2);
    form.DirectoryEdit1->SetText(install);
    Press(*form.Button2);  // asks to create the folder, answered Yes
    Press(*form.Button2);
    Press(*form.Button2);  // the summary, then the install
    UnhookWindowsHookEx(hook);
    positions = nullptr;
    setup::UnzipProgress::SetFrameClock(nullptr);

    EXPECT_EQ(7, Page());
    EXPECT_EQ(large, Read(install + "\\Foo.exe"));
    EXPECT_EQ("read me", Read(install + "\\docs\\docs\\readme.txt"));
    EXPECT_FALSE(setup::FileExists(install + "\\skip.dat"));
    EXPECT_EQ(std::string::npos, form.Label24->Caption().find("No files found"));
    // Foo.exe is 183 units: both bars climbed there frame by frame, far fewer frames than the
    // 184 events of the file.
    EXPECT_EQ(183, form.ProgressBar2->Max());
    EXPECT_EQ(183, form.ProgressBar2->Position());
    for (gui::TProgressBar* bar : {form.ProgressBar1, form.ProgressBar2}) {
        std::vector<int> shown = seen[bar->Handle()];
        shown.erase(std::remove(shown.begin(), shown.end(), 0), shown.end());
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end() - 1)) << bar->Name();
        EXPECT_GT(std::unique(shown.begin(), shown.end()) - shown.begin(), 20) << bar->Name();
        EXPECT_LT(shown.size(), 60u) << bar->Name();
    }
}

}  // namespace
