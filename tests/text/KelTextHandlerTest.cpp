#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <memory>
#include <thread>

#include "Component.h"
#include "FolderResolver.h"
#include "KelTextHandler1.h"
#include "PlatformFolderSources.h"
#include "SharedClasses.h"
#include "TextToolkit.h"

namespace {

using gui::PropertyValue;

std::string Lower(std::string s) {
    return text::LowerAscii(std::move(s));
}

std::string WithBackslash(std::string s) {
    if (s.empty() || s.back() != '\\') s += '\\';
    return s;
}

std::string Env(const char* name) {
    char buffer[1024] = {};
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n < sizeof buffer ? std::string(buffer, n) : std::string();
}

bool IsDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Sets an environment variable for the scope of a test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        char buffer[1024];
        DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        had_ = n > 0 && n < sizeof buffer;
        if (had_) old_.assign(buffer, n);
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedEnv() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

private:
    std::string name_, old_;
    bool had_ = false;
};

// ---- the component ------------------------------------------------------------------------------

TEST(KelTextHandler, FormDescriptionsCreateItByClassName) {
    RegisterSharedClasses();
    gui::TComponent form(nullptr);
    gui::TComponent* made = gui::ClassRegistry::Create("KelTextHandler", &form);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(dynamic_cast<KelTextHandler*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(KelTextHandler, PropertiesStartEmpty) {
    KelTextHandler kth(nullptr);
    EXPECT_EQ(kth.stText, "");
    EXPECT_EQ(kth.Point, 0);
    EXPECT_EQ(kth.Seperator, "");
    EXPECT_FALSE(kth.CutOffToNext);
}

TEST(KelTextHandler, PropertiesComeFromFormDescriptionValues) {
    KelTextHandler kth(nullptr);
    EXPECT_TRUE(kth.SetProperty("Name", PropertyValue::Str("kth")));
    EXPECT_TRUE(kth.SetProperty("stText", PropertyValue::Str("a,B,,c")));
    EXPECT_TRUE(kth.SetProperty("Point", PropertyValue::Int(1)));
    EXPECT_TRUE(kth.SetProperty("Seperator", PropertyValue::Str(",")));
    EXPECT_TRUE(kth.SetProperty("CutOffToNext", PropertyValue::Ident("True")));
    EXPECT_EQ(kth.Name(), "kth");
    EXPECT_EQ(kth.stText, "a,B,,c");
    EXPECT_EQ(kth.Point, 1);
    EXPECT_EQ(kth.Seperator, ",");
    EXPECT_TRUE(kth.CutOffToNext);
    EXPECT_TRUE(kth.SetProperty("sttext", PropertyValue::Str("x")));
    EXPECT_EQ(kth.stText, "x");
    EXPECT_FALSE(kth.SetProperty("Separator", PropertyValue::Str(",")));
    EXPECT_THROW(kth.SetProperty("Point", PropertyValue::Str("1")), gui::Exception);
    EXPECT_THROW(kth.SetProperty("CutOffToNext", PropertyValue::Int(1)), gui::Exception);
}

TEST(KelTextHandler, PropertyDrivenOperationsReadTheProperties) {
    KelTextHandler kth(nullptr);
    kth.stText = "a,B,,c";
    kth.Point = 1;
    kth.Seperator = ",";
    kth.CutOffToNext = true;
    EXPECT_EQ(kth.GetField(), "B");
    kth.CutOffToNext = false;
    EXPECT_EQ(kth.GetField(), "B,,c");
    EXPECT_EQ(kth.RemoveAll(), "aBc");
    EXPECT_EQ(kth.CountSeparators(), 3);
    EXPECT_FALSE(kth.StartsWithSeparator());
    kth.Seperator = "A,";
    EXPECT_TRUE(kth.StartsWithSeparator());
}

// A descendant may override any operation; the property-driven ones go through the overrides.
class CountingHandler : public KelTextHandler {
public:
    using KelTextHandler::KelTextHandler;
    int calls = 0;
    std::string GetFieldOf(std::string text, int32_t skip, std::string separator,
                           bool cutOff) override {
        ++calls;
        return "[" + KelTextHandler::GetFieldOf(text, skip, separator, cutOff) + "]";
    }
    int32_t CountOf(std::string, std::string) override { return ++calls * 100; }
};

TEST(KelTextHandler, OperationsAreVirtual) {
    CountingHandler kth(nullptr);
    kth.stText = "x;y";
    kth.Seperator = ";";
    kth.CutOffToNext = true;
    KelTextHandler& base = kth;
    EXPECT_EQ(base.GetField(), "[x]");
    EXPECT_EQ(base.CountSeparators(), 200);
}

TEST(KelTextHandler, OperationsTakeTheirOperandsExplicitly) {
    KelTextHandler kth(nullptr);
    EXPECT_EQ(kth.GetFieldOf("a,b,c", 2, ",", true), "c");
    EXPECT_EQ(kth.KeepFieldsOf("a,b,c,d", 1, 2, ","), "b,c");
    EXPECT_EQ(kth.RemoveAllOf("xABy", "ab"), "xy");
    EXPECT_EQ(kth.ReplaceAllOf("a<br>b<BR>", "<br>", "\n"), "a\nb\n");
    EXPECT_EQ(kth.CountOf("aaa", "aa"), 2);
    EXPECT_TRUE(kth.StartsWith("HELLO world", "hello"));
    std::string s = "result,rest";
    s = kth.GetFieldOf(s, 0, ",", true);  // the same variable as operand and destination
    EXPECT_EQ(s, "result");
}

TEST(KelTextHandler, PlainOperationsNeedNoInstance) {
    EXPECT_EQ(KelTextHandler::ScrambleText("abc"), "ILO");
    EXPECT_EQ(KelTextHandler::UnscrambleText("ILO"), "abc");
    std::string s = "x";
    KelTextHandler::AppendLineBreaks(2, s);
    EXPECT_EQ(s, "x\n\r\n\r");
}

// ---- special folders of the running system ------------------------------------------------------

TEST(GetSpecialFolder, RealFoldersAreLowerCaseWithOneTrailingBackslashAndExist) {
    KelTextHandler kth(nullptr);
    for (const char* keyword :
         {"windows", "system32", "programfiles", "temp", "profile", "favorites", "alldesktop",
          "allprograms", "allstartup", "allStartup", "ProgramFiles", "Windows"}) {
        SCOPED_TRACE(keyword);
        const std::string path = kth.GetSpecialFolder(keyword);
        ASSERT_GE(path.size(), 4u);
        EXPECT_EQ(path, Lower(path));
        EXPECT_EQ(path.back(), '\\');
        EXPECT_NE(path[path.size() - 2], '\\');
        EXPECT_TRUE(IsDirectory(path)) << path;
    }
    EXPECT_EQ(kth.GetSpecialFolder("desktop"), "c:\\");
}

TEST(GetSpecialFolder, RealFoldersAreTheSystemsOwn) {
    KelTextHandler kth(nullptr);
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(kth.GetSpecialFolder("windows"), Lower(WithBackslash(buffer)));
    GetSystemDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(kth.GetSpecialFolder("system32"), Lower(WithBackslash(buffer)));
    GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(kth.GetSpecialFolder("temp"), Lower(WithBackslash(buffer)));
}

TEST(GetSpecialFolder, AShortWindirLeavesItToTheWindowsDirectoryCall) {
    KelTextHandler kth(nullptr);
    ScopedEnv windir("windir", "Q:\\WINDOWS");  // ten characters
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    EXPECT_EQ(kth.GetSpecialFolder("windows"), Lower(WithBackslash(buffer)));
}

TEST(GetSpecialFolder, AShortTempVariableLeavesItToTheTempPathCall) {
    KelTextHandler kth(nullptr);
    ScopedEnv temp("TEMP", "C:\\TEMP");
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    EXPECT_EQ(kth.GetSpecialFolder("temp"), Lower(WithBackslash(buffer)));
}

// The running system's sources with the shell's answers taken away.
class NoShell : public text::PlatformFolderSources {
public:
    std::string ShellFolder(int) override { return std::string(); }
};

TEST(GetSpecialFolder, WithoutTheShellTheChainsFallBack) {
    NoShell sources;
    KelTextHandler kth(nullptr);
    kth.SetFolderSources(&sources);

    const std::string windir = Env("windir");
    ASSERT_GE(windir.size(), 3u);
    EXPECT_EQ(kth.GetSpecialFolder("system32"), Lower(windir) + "\\system32\\");
    EXPECT_TRUE(IsDirectory(kth.GetSpecialFolder("system32")));

    const std::string programFiles =
        sources.RegistryString(text::RegistryRoot::LocalMachine,
                               "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    ASSERT_GE(programFiles.size(), 11u);
    EXPECT_EQ(kth.GetSpecialFolder("programfiles"), Lower(WithBackslash(programFiles)));

    const std::string home = Env("HOMEDRIVE") + Env("HOMEPATH");
    if (home.size() >= 11) {
        EXPECT_EQ(kth.GetSpecialFolder("alldesktop"), Lower(home) + "\\desktop\\");
        EXPECT_EQ(kth.GetSpecialFolder("allprograms"), Lower(home) + "\\start menu\\programs\\");
    }

    {
        ScopedEnv drive("HOMEDRIVE", nullptr);
        ScopedEnv path("HOMEPATH", nullptr);
        EXPECT_EQ(kth.GetSpecialFolder("allstartup"),
                  "c:\\documents and settings\\all users\\start menu\\programs\\startup\\");
        EXPECT_EQ(kth.GetSpecialFolder("alldesktop"),
                  "c:\\documents and settings\\all users\\desktop\\");
    }
    {
        ScopedEnv drive("HOMEDRIVE", "C:");
        ScopedEnv path("HOMEPATH", "\\Documents and Settings\\user");
        EXPECT_EQ(kth.GetSpecialFolder("allStartup"),
                  "c:\\documents and settings\\all users\\start menu\\programs\\startup\\");
    }
    {
        ScopedEnv profile("USERPROFILE", nullptr);
        EXPECT_EQ(kth.GetSpecialFolder("profile"), "\\");  // no desktop path to cut either
    }
    kth.SetFolderSources(nullptr);
    EXPECT_NE(kth.GetSpecialFolder("alldesktop"), Lower(home) + "\\desktop\\");
}

// ---- registry reads -----------------------------------------------------------------------------

class RegistryRead : public ::testing::Test {
protected:
    // A key of this process's own, so that runs side by side do not meet.
    const std::string kKey = "Software\\zemblyTextTest" + std::to_string(GetCurrentProcessId());

    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
    }
    void Put(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    static bool KeyExists(const std::string& path) {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
            return false;
        RegCloseKey(k);
        return true;
    }

    HKEY key_ = nullptr;
    text::PlatformFolderSources sources_;
};

TEST_F(RegistryRead, StringValuesAreReadAsStored) {
    Put("Plain", REG_SZ, "D:\\Apps", 8);
    Put("Expand", REG_EXPAND_SZ, "%windir%\\x", 11);
    const std::string longText(700, 'L');
    Put("Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Plain"), "D:\\Apps");
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Expand"),
              "%windir%\\x");
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Long"), longText);
}

TEST_F(RegistryRead, AValueThatIsNotAStringCountsAsMissing) {
    const DWORD number = 0x41424344;
    Put("Number", REG_DWORD, &number, sizeof number);
    Put("Bytes", REG_BINARY, "C:\\Program Files", 16);
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Number"), "");
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Bytes"), "");
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, kKey, "Absent"), "");
}

TEST_F(RegistryRead, AMissingKeyIsNotCreated) {
    const std::string missing = kKey + "\\Missing\\Deeper";
    EXPECT_EQ(sources_.RegistryString(text::RegistryRoot::CurrentUser, missing, "Value"), "");
    EXPECT_FALSE(KeyExists(missing));
    EXPECT_FALSE(KeyExists(kKey + "\\Missing"));
}

// The favorites chain reads the current user's Shell Folders key; HKEY_CURRENT_USER is mapped
// onto a scratch key so the test decides what that key holds.
TEST_F(RegistryRead, FavoritesFallBackToTheShellFoldersKeyThroughAStringOnly) {
    HKEY scratch = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(key_, "hkcu", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch), ERROR_SUCCESS);
    const char* shellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    NoShell sources;
    KelTextHandler kth(nullptr);
    kth.SetFolderSources(&sources);

    std::string missingKey = kth.GetSpecialFolder("favorites");
    const bool createdByRead = KeyExists(shellFolders);

    HKEY folders = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &folders, nullptr);
    const DWORD number = 7;
    RegSetValueExA(folders, "Favorites", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    std::string notAString = kth.GetSpecialFolder("favorites");
    RegSetValueExA(folders, "Favorites", 0, REG_SZ, reinterpret_cast<const BYTE*>("F:\\Fav"), 7);
    std::string aString = kth.GetSpecialFolder("favorites");
    RegCloseKey(folders);

    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratch);

    EXPECT_EQ(missingKey, "\\");
    EXPECT_FALSE(createdByRead);
    EXPECT_EQ(notAString, "\\");
    EXPECT_EQ(aString, "f:\\fav\\");
}

// ---- WaitSeconds --------------------------------------------------------------------------------

constexpr UINT kPing = WM_APP + 7;

// A message-only window that counts what reaches it.
class Listener {
public:
    Listener() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Listener::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "zemblyWaitListener";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Listener() { DestroyWindow(hwnd); }

    HWND hwnd = nullptr;
    int pings = 0;
    int timers = 0;
    DWORD lastPingTick = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && msg == kPing) {
            ++self->pings;
            self->lastPingTick = GetTickCount();
            return 0;
        }
        if (self && msg == WM_TIMER) {
            ++self->timers;
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
};

uint64_t ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& f) {
        return ((uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime) / 10000;
    };
    return ms(kernel) + ms(user);
}

std::atomic<int> tickReads{0};
uint32_t CountedTicks() {
    ++tickReads;
    return GetTickCount();
}

TEST(WaitSeconds, ZeroOrLessReturnsAtOncePumpingNothing) {
    Listener listener;
    ASSERT_NE(listener.hwnd, nullptr);
    PostMessageA(listener.hwnd, kPing, 0, 0);
    tickReads = 0;
    KelTextHandler::SetTickCounter(CountedTicks);
    KelTextHandler::WaitSeconds(0);
    KelTextHandler::WaitSeconds(-3);
    KelTextHandler::SetTickCounter(nullptr);
    EXPECT_EQ(tickReads, 0);
    EXPECT_EQ(listener.pings, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, listener.hwnd, kPing, kPing, PM_REMOVE));
}

TEST(WaitSeconds, OneSecondHandlesMessagesAsTheyArriveWithoutBusyWaiting) {
    Listener listener;
    ASSERT_NE(listener.hwnd, nullptr);
    PostMessageA(listener.hwnd, kPing, 0, 0);
    SetTimer(listener.hwnd, 1, 100, nullptr);
    std::atomic<DWORD> postedAt{0};
    HWND target = listener.hwnd;
    std::thread late([&] {
        Sleep(400);
        postedAt = GetTickCount();
        PostMessageA(target, kPing, 0, 0);
    });

    const uint64_t cpuBefore = ProcessCpuMs();
    const auto begin = std::chrono::steady_clock::now();
    KelTextHandler::WaitSeconds(1);
    const auto wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - begin)
                            .count();
    const uint64_t cpuMs = ProcessCpuMs() - cpuBefore;
    late.join();
    KillTimer(listener.hwnd, 1);

    EXPECT_GE(wallMs, 980);
    EXPECT_LT(wallMs, 1600);
    EXPECT_EQ(listener.pings, 2);
    EXPECT_LT(listener.lastPingTick - postedAt.load(), 100u);  // handled as it arrived
    EXPECT_GE(listener.timers, 5);
    EXPECT_LT(cpuMs, static_cast<uint64_t>(wallMs) / 10) << "cpu " << cpuMs << " ms";
}

// A tick counter 200 ms short of its wrap when the wait begins.
DWORD fakeRealStart = 0;
uint32_t NearWrapTicks() {
    return 0xFFFFFFFFu - 199u + (GetTickCount() - fakeRealStart);
}

TEST(WaitSeconds, AWaitAcrossTheTickCountersWrapEndsAtTheWrap) {
    Listener listener;
    PostMessageA(listener.hwnd, kPing, 0, 0);
    fakeRealStart = GetTickCount();
    KelTextHandler::SetTickCounter(NearWrapTicks);
    const auto begin = std::chrono::steady_clock::now();
    KelTextHandler::WaitSeconds(5);
    const auto wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - begin)
                            .count();
    KelTextHandler::SetTickCounter(nullptr);
    EXPECT_GE(wallMs, 150);
    EXPECT_LT(wallMs, 1000);
    EXPECT_EQ(listener.pings, 1);
}

}  // namespace
