// The editor's help: the help file's path beside the module, the run-time binding of the HTML
// Help viewer (against a stand-in system, and against Wine's own viewer) and the message that
// tells the user when the file cannot be opened. The Help button's test opens the real file.
#include <gtest/gtest.h>

#include <cstdio>
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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// Where the help file of a module in the system folder (kernel32) would be.
std::string HelpPathInSystemFolder() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\deZovuvi.chm";
}

// A call of the viewer entry as one line.
std::string ViewerCallLine(HWND owner, const std::string& file, UINT command, DWORD_PTR data) {
    char head[96];
    snprintf(head, sizeof head, "owner %p, command %u, data %llu: ", static_cast<void*>(owner),
             command, static_cast<unsigned long long>(data));
    return head + file;
}

// What the stand-in viewer entry was asked, and what it answers.
std::vector<std::string> g_viewerCalls;
HWND g_viewerAnswer = kViewerWindow;

HWND WINAPI RecordingHtmlHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    g_viewerCalls.push_back(ViewerCallLine(owner, file, command, data));
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
    std::vector<WORD> ordinals;

    bool RegisteredControlPath(char* path, DWORD size) override {
        ++registryReads;
        if (registered == nullptr) return false;
        lstrcpynA(path, registered, static_cast<int>(size));
        return true;
    }
    HMODULE LoadModule(const char* name) override {
        loads.push_back(name);
        for (size_t i = 0; i < loadable.size(); ++i) {
            if (loadable[i] == name) return reinterpret_cast<HMODULE>(0x10000 * (i + 1));
        }
        return nullptr;
    }
    FARPROC ExportByOrdinal(HMODULE, WORD ordinal) override {
        ordinals.push_back(ordinal);
        if (!exportsEntry) return nullptr;
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordingHtmlHelp));
    }
};

// A message box as one line: its caption, flags, owner and text.
std::string MessageLine(HWND owner, const std::string& text, const char* caption, UINT flags) {
    char head[96];
    snprintf(head, sizeof head, "[%s, flags %#x, owner %p] ", caption, flags,
             static_cast<void*>(owner));
    return head + text;
}

// Records the message boxes instead of showing them.
class RecordedMessages : public MessageSink {
public:
    int Show(HWND owner, const char* text, const char* caption, UINT flags) override {
        shown.push_back(MessageLine(owner, text, caption, flags));
        return IDOK;
    }
    std::vector<std::string> shown;
};

std::string HelpFailureLine(HWND owner, const std::string& path) {
    return MessageLine(owner, kMessagePrefix + path, "Error", MB_OK | MB_ICONEXCLAMATION);
}

// Makes `module` the server module for one test: the help file is looked for beside it.
class ServerModuleScope {
public:
    explicit ServerModuleScope(HMODULE module) : saved_(ServerModule()) { SetServerModule(module); }
    ~ServerModuleScope() { SetServerModule(saved_); }

private:
    HMODULE saved_;
};

// --- The path -------------------------------------------------------------------------------

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

// --- Binding the viewer and opening the help file -----------------------------------------

class OpenHelpFileTest : public ::testing::Test {
protected:
    ServerModuleScope module_{GetModuleHandleA("kernel32.dll")};
    std::string path_ = HelpPathInSystemFolder();
};

TEST_F(OpenHelpFileTest, BindsTheViewerItFindsAndTellsTheUserWhichFileFailed) {
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
        // Bound or failed, the second press looks for nothing again. Command 0 is
        // HH_DISPLAY_TOPIC: the file's default topic. Each failed press tells the user again.
        EXPECT_EQ(system.registryReads, 1);
        EXPECT_EQ(system.loads, c.loads);
        for (WORD ordinal : system.ordinals) EXPECT_EQ(ordinal, 14);  // HtmlHelpA
        if (c.bound) EXPECT_EQ(system.ordinals.size(), 1u);
        EXPECT_EQ(g_viewerCalls, std::vector<std::string>(c.bound ? 2 : 0, ViewerCallLine(kPage, path_, 0, 0)));
        EXPECT_EQ(messages.shown, std::vector<std::string>(opened ? 0 : 2, HelpFailureLine(kPage, path_)));
    }
}

// --- The real viewer and the real help file -------------------------------------------------

TEST(SystemViewerTest, FindsTheRegisteredControlAndReportsAMissingHelpFile) {
    char path[MAX_PATH] = "";
    ASSERT_TRUE(SystemHelpViewer().RegisteredControlPath(path, sizeof path));
    EXPECT_NE(Lower(path).find("hhctrl.ocx"), std::string::npos) << path;

    HWND owner = CreateWindowExA(0, "STATIC", "qv:Ruvoda R3 page", WS_OVERLAPPEDWINDOW, 40, 40, 428, 451, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ServerModuleScope module(GetModuleHandleA("kernel32.dll"));  // no help file beside it
    RecordedMessages messages;
    EXPECT_EQ(OpenHelpFile(owner, ProcessHelpViewer(), messages), nullptr);
    EXPECT_EQ(messages.shown, std::vector<std::string>{HelpFailureLine(owner, HelpPathInSystemFolder())});
    DestroyWindow(owner);
}

}  // namespace
