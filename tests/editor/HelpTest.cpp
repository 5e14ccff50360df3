// The editor's help: the help file's path beside the module, the run-time binding of the HTML
// Help viewer (against a stand-in system, and against Wine's own viewer) and the message that
// tells the user when the file cannot be opened. The Help button's test opens the real file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Help.h"
#include "HelpViewer.h"
#include "MessageSink.h"
#include "ServerModule.h"

namespace {

const HWND kPage = reinterpret_cast<HWND>(0x5150);
const HWND kViewerWindow = reinterpret_cast<HWND>(0x7e57);
const char kMessagePrefix[] = "Unable to open the Quillorn qv:Ruvoda R3 help file:\n";

// Where the help file of a module in the system folder (kernel32) would be.
std::string HelpPathInSystemFolder() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\deZovuvi.chm";
}

// How often the stand-in viewer entry was asked to open the file, and what it answers.
int g_viewerCalls = 0;
HWND g_viewerAnswer = kViewerWindow;

HWND WINAPI StandInHtmlHelp(HWND owner, LPCSTR, UINT command, DWORD_PTR) {
    EXPECT_EQ(owner, kPage);
    EXPECT_EQ(command, 0u);  // HH_DISPLAY_TOPIC: the file's default topic
    ++g_viewerCalls;
    return g_viewerAnswer;
}

// A system with a chosen registration and one loadable file, which may lack the entry.
class StandInSystem : public HelpViewerSystem {
public:
    StandInSystem(const char* registered, const char* loadable, bool exportsEntry)
        : registered_(registered), loadable_(loadable), exportsEntry_(exportsEntry) {}

    bool RegisteredControlPath(char* path, DWORD size) override {
        if (registered_ != nullptr) lstrcpynA(path, registered_, static_cast<int>(size));
        return registered_ != nullptr;
    }
    HMODULE LoadModule(const char* name) override {
        return loadable_ && lstrcmpA(name, loadable_) == 0 ? reinterpret_cast<HMODULE>(0x10000) : nullptr;
    }
    FARPROC ExportByOrdinal(HMODULE, WORD ordinal) override {
        EXPECT_EQ(ordinal, 14);  // HtmlHelpA
        return exportsEntry_ ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&StandInHtmlHelp)) : nullptr;
    }

private:
    const char* registered_;  // null: not registered
    const char* loadable_;
    bool exportsEntry_;
};

// Records the message boxes instead of showing them, as "caption, flags: text".
class RecordedMessages : public MessageSink {
public:
    int Show(HWND owner, const char* text, const char* caption, UINT flags) override {
        EXPECT_EQ(owner, kPage);
        shown.push_back(std::string(caption) + ", " + std::to_string(flags) + ": " + text);
        return IDOK;
    }
    std::vector<std::string> shown;
};

// The message that tells the user which help file could not be opened.
std::string HelpFailure(const std::string& path) {
    return "Error, " + std::to_string(MB_OK | MB_ICONEXCLAMATION) + ": " + kMessagePrefix + path;
}

// Makes `module` the server module for one test: the help file is looked for beside it.
class ServerModuleScope {
public:
    explicit ServerModuleScope(HMODULE module) : saved_(ServerModule()) { SetServerModule(module); }
    ~ServerModuleScope() { SetServerModule(saved_); }

private:
    HMODULE saved_;
};

TEST(HelpPathTest, FileNamePartBecomesTheHelpFileCutToTheBuffer) {
    const std::string longFolder = "C:\\" + std::string(246, 'a') + "\\";  // 250 characters
    const std::string fullFolder = "C:\\" + std::string(254, 'a') + "\\";  // 258 characters
    struct Case {
        std::string modulePath;
        size_t size;
        std::string expected;
    };
    const Case cases[] = {
        {"D:\\Plugins\\Some.dll", MAX_PATH, "D:\\Plugins\\deZovuvi.chm"},
        {"Some.dll", MAX_PATH, "deZovuvi.chm"},
        {"D:Some.dll", MAX_PATH, "D:deZovuvi.chm"},
        {longFolder + "Some.dll", MAX_PATH, longFolder + "deZovuvi."},
        {fullFolder + "x", MAX_PATH, fullFolder + "d"},
        {"C:\\Some.dll", 12, "C:\\deZovuvi"},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(c.size, '#');
        c.modulePath.copy(buffer.data(), c.modulePath.size());
        buffer[c.modulePath.size()] = '\0';
        PutHelpFileName(buffer.data(), buffer.size());
        EXPECT_EQ(std::string(buffer.data()), c.expected) << c.modulePath << " in " << c.size;
    }
}

// Whether the viewer is bound, refuses the file or cannot be bound at all, each press opens
// the file or tells the user which file failed.
TEST(OpenHelpFileTest, BindsTheViewerItFindsAndTellsTheUserWhichFileFailed) {
    ServerModuleScope module(GetModuleHandleA("kernel32.dll"));
    const std::string path = HelpPathInSystemFolder();
    const char kRegistered[] = "C:\\windows\\system32\\hhctrl.ocx";
    struct Case {
        const char* name;
        const char* registered;
        const char* loadable;
        bool exportsEntry;
        HWND answer;  // what the viewer entry returns
        bool bound;
    };
    const Case cases[] = {
        {"registered control", kRegistered, kRegistered, true, kViewerWindow, true},
        {"registered file does not load", "C:\\Gone\\hhctrl.ocx", "hhctrl.ocx", true, kViewerWindow, true},
        {"not registered", nullptr, "hhctrl.ocx", true, kViewerWindow, true},
        {"the viewer refuses the file", nullptr, "hhctrl.ocx", true, nullptr, true},
        {"no control at all", nullptr, nullptr, true, kViewerWindow, false},
        {"control without the entry", kRegistered, kRegistered, false, kViewerWindow, false},
    };
    for (const Case& c : cases) {
        g_viewerCalls = 0;
        g_viewerAnswer = c.answer;
        StandInSystem system(c.registered, c.loadable, c.exportsEntry);
        HelpViewer viewer(system);
        RecordedMessages messages;
        const HWND opened = c.bound ? c.answer : nullptr;
        for (int press = 0; press < 2; ++press) EXPECT_EQ(OpenHelpFile(kPage, viewer, messages), opened) << c.name;
        EXPECT_EQ(g_viewerCalls, c.bound ? 2 : 0) << c.name;
        EXPECT_EQ(messages.shown, std::vector<std::string>(opened ? 0 : 2, HelpFailure(path))) << c.name;
    }
}

TEST(SystemViewerTest, FindsTheRegisteredControlAndReportsAMissingHelpFile) {
    char path[MAX_PATH] = "";
    ASSERT_TRUE(SystemHelpViewer().RegisteredControlPath(path, sizeof path));
    EXPECT_NE(std::string(CharLowerA(path)).find("hhctrl.ocx"), std::string::npos) << path;
    ServerModuleScope module(GetModuleHandleA("kernel32.dll"));  // no help file beside it
    RecordedMessages messages;
    EXPECT_EQ(OpenHelpFile(kPage, ProcessHelpViewer(), messages), nullptr);
    EXPECT_EQ(messages.shown, std::vector<std::string>{HelpFailure(HelpPathInSystemFolder())});
}

}  // namespace
