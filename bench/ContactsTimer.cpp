// Times the contacts of the messenger's own windows: LoadContacts (the file read, the ordering
// pass and the list view and both sender lists refilled) of a file of many contacts, with the
// composer hidden and shown, and one SaveContacts. The first run's hidden composer has no window
// yet, as at the tray's first Open, so that its load fills none; later runs find it made.
//
//   contacts_timer <folder> [contacts] [runs]
// prints one line per run and the medians, and leaves the last saved file in the folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContactsSample.h"
#include "Forms.h"
#include "SharedClasses.h"
#include "main.h"
#include "password.h"

using bench::Median;
using bench::TimeMs;

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
    const std::string contents = bench::ContactsFile(count);
    std::vector<double> hidden, shown, saves;
    for (int run = 0; run < runs; ++run) {
        if (!bench::WriteContactsFile(Form1->ContactsPath(), contents)) {
            std::fprintf(stderr, "cannot write %s\n", Form1->ContactsPath().c_str());
            return 1;
        }

        Form1->Hide();
        hidden.push_back(TimeMs([] { Form1->LoadContacts(); }));
        Form1->Show();
        shown.push_back(TimeMs([] {
            Form1->LoadContacts();
            // Until the list view has painted what it holds.
            Form1->ListView1->Update();
        }));
        saves.push_back(TimeMs([] { Form1->SaveContacts(); }));
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
    return 0;
}
