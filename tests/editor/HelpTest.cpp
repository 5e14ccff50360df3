// The editor's help: the help file's path beside the module, the run-time binding of the
// system's HTML Help viewer and the message that tells the user when the file cannot be
// opened. The Help button's test opens the real file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Help.h"
#include "HelpViewer.h"
#include "MessageSink.h"
#include "ServerModule.h"

namespace {

const HWND kPage = reinterpret_cast<HWND>(0x5150);
const char kMessagePrefix[] = "Unable to open the Quillorn qv:Ruvoda R3 help file:\n";

// Where the help file of a module in the system folder (kernel32) would be.
std::string HelpPathInSystemFolder() {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\deZovuvi.chm";
}

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
