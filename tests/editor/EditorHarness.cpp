#include "EditorHarness.h"

#include "Controls.h"

void EditorTest::SetUp() {
    ASSERT_EQ(Open(), "");
    // The tests tick the page themselves, so that no tick falls between two steps of a test.
    ASSERT_TRUE(KillTimer(page, kMeterTimer));
    Pump();
}

void EditorTest::StartStreaming() {
    ASSERT_EQ(S_OK, ConnectStereo());
    Pump();
}

std::string EditorTest::Text(int id) const {
    char text[64] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

void EditorTest::Type(int fieldId, const char* text) {
    SendMessageA(Item(fieldId), WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    Pump();  // what the field posted as it lost the focus to the box comes before any typing
    HWND box = OpenInlineEditorWindow();
    ASSERT_NE(box, nullptr);
    SetWindowTextA(box, text);
    SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
}

void EditorTest::Key(int id, UINT key) {
    SendMessageA(Item(id), WM_KEYDOWN, key, 0);
    Pump();
}

void EditorTest::Click(int id) {
    Press(Item(id), 3, 3);
    Release(Item(id), 3, 3);
    Pump();
}

void EditorTest::ChooseFromMenu(int buttonId, int downs) {
    // The menu's own loop takes the keys from the thread's queue once it runs.
    for (int i = 0; i < downs; ++i) PostMessageA(page, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(page, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
    Click(buttonId);
}
