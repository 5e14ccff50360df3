// The help file's path beside the module, the system's help viewer and the message that names
// a help file that cannot be opened. The Help button's test opens the real file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Help.h"
#include "HelpViewer.h"
#include "MessageSink.h"
#include "ServerModule.h"

namespace {

const HWND kPage = reinterpret_cast<HWND>(0x5150);

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

TEST(HelpPathTest, FileNamePartBecomesTheHelpFileCutToTheBuffer) {
    const std::string longFolder = "C:\\" + std::string(246, 'a') + "\\";  // 250 characters
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
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);  // kernel32's, with no help file
    const HMODULE saved = ServerModule();
    SetServerModule(GetModuleHandleA("kernel32.dll"));
    RecordedMessages messages;
    EXPECT_EQ(OpenHelpFile(kPage, ProcessHelpViewer(), messages), nullptr);
    SetServerModule(saved);
    const std::string text =
        "Unable to open the Quillorn qv:Ruvoda R3 help file:\n" + std::string(folder) + "\\deZovuvi.chm";
    const std::string flags = std::to_string(MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Error, " + flags + ": " + text});
}

}  // namespace
