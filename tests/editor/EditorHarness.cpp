#include "EditorHarness.h"

#include <gtest/gtest.h>

#include <vector>

#include "ClassFactory.h"
#include "EditorIds.h"
#include "InlineEditor.h"
#include "ServerModule.h"

namespace {

IUnknown* MakeObject(REFCLSID clsid, REFIID iid) {
    // The module's class table lives in the filter library; naming it here links it in.
    if (g_FactoryTemplateCount == 0) return nullptr;
    IClassFactory* factory = nullptr;
    IUnknown* object = nullptr;
    if (SUCCEEDED(ServerGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&object));
        factory->Release();
    }
    return object;
}

// One host for all tests of the program: destroying a visible top-level window costs
// seconds under Wine.
HWND SharedHost() {
    static HWND host = nullptr;
    if (host) return host;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "EditorTestHost";
    RegisterClassA(&wc);
    host = CreateWindowExA(0, wc.lpszClassName, "host", WS_POPUP | WS_VISIBLE, 40, 40, kPageWidth, kPageHeight,
                           nullptr, nullptr, wc.hInstance, nullptr);
    return host;
}

}  // namespace

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void EditorTest::SetUp() {
    // The page finds its dialog and pictures in the module that holds it: here the test program.
    SetServerModule(GetModuleHandleA(nullptr));
    ASSERT_NE(filter.base, nullptr);
    pageObject = static_cast<IPropertyPage*>(MakeObject(CLSID_RuvodaR3Page, IID_IPropertyPage));
    ASSERT_NE(pageObject, nullptr);
    host = SharedHost();
    IUnknown* object = filter.base;
    ASSERT_EQ(S_OK, pageObject->SetObjects(1, &object));
    RECT place = {0, 0, kPageWidth, kPageHeight};
    ASSERT_EQ(S_OK, pageObject->Activate(host, &place, FALSE));
    pageObject->Show(SW_SHOW);
    page = GetWindow(host, GW_CHILD);
    ASSERT_NE(page, nullptr);
    // The tests tick the page themselves, so that no tick falls between two steps of a test.
    ASSERT_TRUE(KillTimer(page, kMeterTimer));
    Pump();
}

void EditorTest::TearDown() {
    CloseInlineEditor();
    if (pageObject) {
        pageObject->Deactivate();
        pageObject->SetObjects(0, nullptr);
        pageObject->Release();
    }
    Pump();
}

void EditorTest::StartStreaming() {
    ASSERT_EQ(S_OK, filter.ConnectAndPause(stereo.mt, 1024 * 8, 1024 * 8));
    Pump();
}

void EditorTest::PushConstant(float left, float right, int frames) {
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    ASSERT_EQ(S_OK, filter.source.Push(samples.data(), static_cast<long>(samples.size() * sizeof(float))));
}

std::string EditorTest::Text(int id) const {
    char text[64] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

void EditorTest::Type(int fieldId, const char* text) {
    SendMessageA(Item(fieldId), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
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

void EditorTest::Click(int id, int x, int y) {
    SendMessageA(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

void EditorTest::Tick() {
    SendMessageA(page, WM_TIMER, kMeterTimer, 0);
}

void EditorTest::ChooseFromMenu(int buttonId, int downs) {
    // The menu's own loop takes the keys from the thread's queue once it runs.
    for (int i = 0; i < downs; ++i) PostMessageA(page, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(page, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
    Click(buttonId);
}
