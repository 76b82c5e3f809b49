// The wizard's extraction as the Install page runs it: its window made from its description,
// the page shown without taking the focus, and the install road's first half listing the archive
// and extracting every entry through unzdll.dll with its progress callback and message pumps.
//
//   bench_wizard_extract <source folder with setup.tws> <install folder>   prints the seconds
#include <windows.h>

#include <cstdio>
#include <string>

#include "Dialogs.h"
#include "InstallRoad.h"
#include "PageRules.h"
#include "SharedClasses.h"
#include "installer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_wizard_extract <source folder> <install folder>\n");
        return 2;
    }
    RegisterSharedClasses();
    int boxes = 0;
    gui::SetDialogAnswerer([&boxes](const gui::DialogRequest& request) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        ++boxes;
        return gui::mrOk;
    });

    // Made but never activated: the start-up belongs to a real run, not to this measurement.
    TForm1* form = new TForm1(nullptr);
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    form->Notebook1->SetPageIndex(setup::kInstallPage);
    std::string source = argv[1];
    if (source.empty() || source.back() != '\\') source += '\\';
    form->curDir->SetCaption(source);
    form->DirectoryEdit1->SetText(argv[2]);
    form->Edit1->SetText("zembly extraction bench");
    form->ListBox2->Items().Assign({"0,*"});

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const setup::ExtractionOutcome outcome = InstallRoad(*form).Extract();
    QueryPerformanceCounter(&end);

    std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    RemoveDirectoryA(
        (form->KTH->GetSpecialFolder("allPrograms") + "zembly extraction bench").c_str());
    const bool failed = !outcome.errorNote.empty() || boxes > 0;
    if (failed) std::fprintf(stderr, "failure noted: %s\n", outcome.errorNote.c_str());
    std::fprintf(stderr, "%d entries listed, %zu files written\n", form->ListBox13->Items().Count(),
                 outcome.extractedFiles.size());
    return failed ? 1 : 0;
}
