// Times the contacts of the messenger's own windows: LoadContacts (the file read, the ordering
// pass and the list view and both sender lists refilled) of a file of many contacts, with the
// composer hidden as at the tray's first Open and shown as at a later one, and one SaveContacts.
//
//   contacts_timer <folder> [contacts] [runs]
// prints one line per run and the medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Forms.h"
#include "SharedClasses.h"
#include "main.h"
#include "password.h"

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Step>
double Time(Step step) {
    const double start = Now();
    step();
    return Now() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Names as people's are: mixed initials, so the ordering pass has work to do.
std::string ContactsFile(int count) {
    std::string file = "[zembly SMS contacts 2.00]\r\n";
    for (int i = 0; i < count; ++i) {
        const int scrambled = (i * 7919) % count;
        file += static_cast<char>('A' + scrambled % 26);
        file += "contact " + std::to_string(scrambled) + "|+44 7700 " + std::to_string(900000 + i) +
                "\r\n";
    }
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: contacts_timer <folder> [contacts] [runs]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    RegisterSharedClasses();
    CreateForms();
    Form12->curDir->SetCaption(folder);
    const std::string contents = ContactsFile(count);
    std::vector<double> hidden, shown, saves;
    for (int run = 0; run < runs; ++run) {
        HANDLE file = CreateFileA(Form1->ContactsPath().c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(file);

        Form1->Hide();
        hidden.push_back(Time([] { Form1->LoadContacts(); }));
        Form1->Show();
        shown.push_back(Time([] {
            Form1->LoadContacts();
            // Until the list view has painted what it holds.
            Form1->ListView1->Update();
        }));
        saves.push_back(Time([] { Form1->SaveContacts(); }));
        std::printf("run %d: load %.1f ms (composer hidden), %.1f ms (shown), save %.1f ms\n",
                    run + 1, hidden.back(), shown.back(), saves.back());
        if (Form1->ListView1->Items().Count() != count) {
            std::fprintf(stderr, "loaded %d of %d contacts\n", Form1->ListView1->Items().Count(),
                         count);
            return 1;
        }
    }
    std::printf(
        "median load %.1f ms hidden, %.1f ms shown (goal under 200); save %.1f ms (goal "
        "under 50)\n",
        Median(hidden), Median(shown), Median(saves));
    DeleteFileA(Form1->ContactsPath().c_str());
    return 0;
}
