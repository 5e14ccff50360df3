// The editor's help: the help file's path beside the module, the run-time binding of the HTML
// Help viewer (against a stand-in system, and against Wine's own viewer) and the message that
// tells the user when the file cannot be opened. The Help button's test opens the real file.
#include <gtest/gtest.h>

#include <algorithm>
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

// The files the stand-in viewer entry was asked to open, and what it answers.
std::vector<std::string> g_viewerCalls;
HWND g_viewerAnswer = kViewerWindow;

HWND WINAPI RecordingHtmlHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    EXPECT_EQ(owner, kPage);
    EXPECT_EQ(command, 0u);  // HH_DISPLAY_TOPIC: the file's default topic
    EXPECT_EQ(data, 0u);
    g_viewerCalls.push_back(file);
    return g_viewerAnswer;
}

// A system with a chosen registration and chosen loadable files; it records what the binding
// asks of it.
class StandInSystem : public HelpViewerSystem {
public:
    const char* registered = nullptr;  // the control's registered file; null: not registered
    std::vector<std::string> loadable;
    bool exportsEntry = true;

    int registryReads = 0;
    std::vector<std::string> loads;
    int entryLookups = 0;

    bool RegisteredControlPath(char* path, DWORD size) override {
        ++registryReads;
        if (registered == nullptr) return false;
        lstrcpynA(path, registered, static_cast<int>(size));
        return true;
    }
    HMODULE LoadModule(const char* name) override {
        loads.push_back(name);
        const bool found = std::find(loadable.begin(), loadable.end(), name) != loadable.end();
        return found ? reinterpret_cast<HMODULE>(0x10000) : nullptr;
    }
    FARPROC ExportByOrdinal(HMODULE module, WORD ordinal) override {
        ++entryLookups;
        EXPECT_EQ(module, reinterpret_cast<HMODULE>(0x10000));
        EXPECT_EQ(ordinal, 14);  // HtmlHelpA
        return exportsEntry ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordingHtmlHelp)) : nullptr;
    }
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

TEST(OpenHelpFileTest, BindsTheViewerItFindsAndTellsTheUserWhichFileFailed) {
    ServerModuleScope module(GetModuleHandleA("kernel32.dll"));
    const std::string path = HelpPathInSystemFolder();
    const char kRegistered[] = "C:\\windows\\system32\\hhctrl.ocx";
    const char kGone[] = "C:\\Gone\\hhctrl.ocx";
    struct Case {
        const char* name;
        const char* registered;
        std::vector<std::string> loadable;
        bool exportsEntry;
        HWND answer;  // what the viewer entry returns
        std::vector<std::string> loads;
        bool bound;
    };
    const Case cases[] = {
        {"registered control", kRegistered, {kRegistered}, true, kViewerWindow, {kRegistered}, true},
        {"registered file does not load", kGone, {"hhctrl.ocx"}, true, kViewerWindow, {kGone, "hhctrl.ocx"}, true},
        {"not registered", nullptr, {"hhctrl.ocx"}, true, kViewerWindow, {"hhctrl.ocx"}, true},
        {"the viewer refuses the file", nullptr, {"hhctrl.ocx"}, true, nullptr, {"hhctrl.ocx"}, true},
        {"no control at all", nullptr, {}, true, kViewerWindow, {"hhctrl.ocx"}, false},
        {"control without the entry", kRegistered, {kRegistered}, false, kViewerWindow, {kRegistered}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_viewerCalls.clear();
        g_viewerAnswer = c.answer;
        StandInSystem system;
        system.registered = c.registered;
        system.loadable = c.loadable;
        system.exportsEntry = c.exportsEntry;
        HelpViewer viewer(system);
        RecordedMessages messages;
        const HWND opened = c.bound ? c.answer : nullptr;
        for (int press = 0; press < 2; ++press) EXPECT_EQ(OpenHelpFile(kPage, viewer, messages), opened);
        // Bound or failed, the second press looks for nothing again; each failed press tells
        // the user again.
        EXPECT_EQ(system.registryReads, 1);
        EXPECT_EQ(system.loads, c.loads);
        if (c.bound) EXPECT_EQ(system.entryLookups, 1);
        EXPECT_EQ(g_viewerCalls, std::vector<std::string>(c.bound ? 2 : 0, path));
        EXPECT_EQ(messages.shown, std::vector<std::string>(opened ? 0 : 2, HelpFailure(path)));
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
