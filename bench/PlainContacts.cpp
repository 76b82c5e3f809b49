// The contacts benchmark's floor: the job of the messenger's contacts load and save done as
// plainly as Win32 allows. One read of the whole file, the records kept as views into it, the
// same one ordering pass, and a bare list view (list style, a small image list, a bold 19-pixel
// font) and two bare combo boxes filled with redraw off and storage reserved. The save is one
// write of the same bytes over the file, with no copy kept and no flush.
//
//   plain_contacts <folder> [contacts] [runs]
// prints one line per run and the medians as contacts_timer does, and leaves the last saved file
// in the folder.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ContactsSample.h"

namespace {

const char kHeader[] = "[zembly SMS contacts 2.00]\r\n";
const char kAcceptedHeader[] = "[zembly SMS contacts 2";

class Contacts {
public:
    // False when the file cannot be read or is no contacts file of major version 2.
    bool Read(const std::string& path) {
        records_.clear();
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        bytes_.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        const bool ok =
            ReadFile(file, bytes_.data(), static_cast<DWORD>(bytes_.size()), &read, nullptr) &&
            read == bytes_.size();
        CloseHandle(file);
        return ok && Split();
    }

    // One pass of neighbour exchanges in byte order, the order the messenger shows.
    void OrderOnePass() {
        for (size_t i = 0; i + 1 < records_.size(); ++i)
            if (records_[i] > records_[i + 1]) std::swap(records_[i], records_[i + 1]);
    }

    const std::vector<std::string_view>& Records() const { return records_; }

    static std::string_view Name(std::string_view record) {
        return record.substr(0, record.find('|'));
    }

    bool Write(const std::string& path) const {
        std::string out = kHeader;
        out.reserve(bytes_.size() + sizeof kHeader);
        for (std::string_view record : records_) {
            out += record;
            out += "\r\n";
        }
        return bench::WriteContactsFile(path, out);
    }

private:
    // Lines end at CR LF, LF or CR; the first is the header, every other non-empty one a record.
    bool Split() {
        const std::string_view all(bytes_);
        size_t at = 0;
        bool header = true;
        while (at < all.size()) {
            size_t end = all.find_first_of("\r\n", at);
            if (end == std::string_view::npos) end = all.size();
            const std::string_view line = all.substr(at, end - at);
            if (header) {
                if (line.substr(0, line.find('.')) != kAcceptedHeader) return false;
                header = false;
            } else if (!line.empty()) {
                records_.push_back(line);
            }
            at = end + (all.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
        return !header;
    }

    std::string bytes_;
    std::vector<std::string_view> records_;
};

// Telling the list view that no item's deletion needs hearing of spares it a notice per item.
LRESULT CALLBACK ContactsWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_DELETEALLITEMS)
        return TRUE;
    return DefWindowProcA(window, msg, wParam, lParam);
}

class ContactsWindow {
public:
    ContactsWindow() {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = ContactsWindowProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "PlainContacts";
        RegisterClassA(&wc);
        // The composer's size and the places of its list and sender box.
        window_ = CreateWindowExA(0, "PlainContacts", "Plain Contacts", WS_POPUP, 100, 100, 663,
                                  448, nullptr, nullptr, instance, nullptr);
        list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SHAREIMAGELISTS, 10, 40, 230,
                                330, window_, nullptr, instance, nullptr);
        font_ = CreateFontA(-19, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            "Tahoma");
        SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        images_ = ContactImage();
        SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
        const DWORD comboStyle = WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        senders_ = CreateWindowExA(0, "COMBOBOX", "", comboStyle | WS_VISIBLE, 300, 95, 220, 200,
                                   window_, nullptr, instance, nullptr);
        // Stands for the settings dialog's default-sender box, whose dialog stays closed.
        defaultSenders_ = CreateWindowExA(0, "COMBOBOX", "", comboStyle, 300, 130, 220, 200,
                                          window_, nullptr, instance, nullptr);
    }

    ~ContactsWindow() {
        DestroyWindow(window_);
        ImageList_Destroy(images_);
        DeleteObject(font_);
    }

    bool Created() const { return window_ && list_ && senders_ && defaultSenders_; }

    void Show() {
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    void Fill(const std::vector<std::string_view>& records) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
        SendMessageA(list_, LVM_SETITEMCOUNT, records.size(), LVSICF_NOINVALIDATEALL);
        std::string caption;
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        for (size_t i = 0; i < records.size(); ++i) {
            caption.assign(1, ' ').append(Contacts::Name(records[i])).append(1, ' ');
            item.iItem = static_cast<int>(i);
            item.pszText = caption.data();
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);

        // Each name once, each ended by its zero, for both boxes.
        std::string names;
        names.reserve(records.size() * 16);
        for (std::string_view record : records)
            names.append(Contacts::Name(record)).append(1, '\0');
        FillCombo(senders_, records.size(), names);
        FillCombo(defaultSenders_, records.size(), names);
    }

    // Until the list view has painted what it holds.
    void Paint() { UpdateWindow(list_); }

    int ListCount() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
    int ComboCount() const {
        return static_cast<int>(SendMessageA(defaultSenders_, CB_GETCOUNT, 0, 0));
    }

private:
    static void FillCombo(HWND combo, size_t count, const std::string& names) {
        SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_INITSTORAGE, count, static_cast<LPARAM>(names.size()));
        // Straight to the box's list: the combo box would only pass each string on.
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        for (const char* name = names.data(); name < names.data() + names.size();
             name += std::strlen(name) + 1)
            SendMessageA(info.hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    }

    // One 35 by 30 picture, the size of the messenger's contact picture.
    static HIMAGELIST ContactImage() {
        const int width = 35, height = 30;
        HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 0);
        HDC screen = GetDC(nullptr);
        HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, picture);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT face{8, 4, width - 8, height - 4};
        FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        ImageList_AddMasked(images, picture, RGB(255, 255, 255));
        DeleteObject(picture);
        return images;
    }

    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND senders_ = nullptr;
    HWND defaultSenders_ = nullptr;
    HFONT font_ = nullptr;
    HIMAGELIST images_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: plain_contacts <folder> [contacts] [runs]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const std::string path = folder + "contacts.con";
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

    ContactsWindow window;
    if (!window.Created()) {
        std::fprintf(stderr, "cannot make the window\n");
        return 1;
    }
    const std::string contents = bench::ContactsFile(count);
    Contacts contacts;
    bool read = true;
    const auto load = [&] {
        read = contacts.Read(path);
        contacts.OrderOnePass();
        window.Fill(contacts.Records());
    };
    std::vector<double> hidden, shown, saves;
    for (int run = 0; run < runs; ++run) {
        if (!bench::WriteContactsFile(path, contents)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        hidden.push_back(bench::TimeMs(load));
        window.Show();
        shown.push_back(bench::TimeMs([&] {
            load();
            window.Paint();
        }));
        bool saved = false;
        saves.push_back(bench::TimeMs([&] { saved = contacts.Write(path); }));
        std::printf("run %d: load %.1f ms (window hidden), %.1f ms (shown), save %.1f ms\n",
                    run + 1, hidden.back(), shown.back(), saves.back());
        if (!read || !saved || window.ListCount() != count || window.ComboCount() != count) {
            std::fprintf(stderr, "read %s, saved %s, %d and %d of %d contacts listed\n",
                         read ? "yes" : "no", saved ? "yes" : "no", window.ListCount(),
                         window.ComboCount(), count);
            return 1;
        }
    }
    std::printf("median load %.1f ms hidden, %.1f ms shown; save %.1f ms\n", bench::Median(hidden),
                bench::Median(shown), bench::Median(saves));
    return 0;
}
