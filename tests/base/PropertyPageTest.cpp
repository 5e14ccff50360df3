// The property-page host: page info, objects, the page window's life and the dirty state.
#include <gtest/gtest.h>
#include "BasePropertyPage.h"

namespace {

constexpr int kDialogTemplate = 200;  // in PageDialog.rc
constexpr int kMarkControl = 1020;

class RecordingPage : public BasePropertyPage {
public:
    RecordingPage() : BasePropertyPage(nullptr, L"Test Page", 321, 123, kDialogTemplate) {}
    HRESULT OnConnect(IUnknown* object) override {
        connected = object;
        return S_OK;
    }
    HRESULT OnDisconnect() override {
        connected = nullptr;
        ++disconnects;
        return S_OK;
    }
    HRESULT OnActivate() override {
        activatedWithWindow = IsWindow(Window()) != FALSE;
        return S_OK;
    }
    HRESULT OnDeactivate() override {
        deactivatedWithWindow = IsWindow(Window()) != FALSE;
        return S_OK;
    }
    HRESULT OnApplyChanges() override {
        ++applies;
        return S_OK;
    }
    LRESULT PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        lastMessage = message;
        if (message == WM_INITDIALOG) markAtInit = GetDlgItem(window, kMarkControl) != nullptr;
        return BasePropertyPage::PageMessage(window, message, wParam, lParam);
    }
    IUnknown* connected = nullptr;
    int disconnects = 0;
    int applies = 0;
    bool activatedWithWindow = false;
    bool deactivatedWithWindow = true;
    bool markAtInit = false;
    UINT lastMessage = 0;
};

class PropertyPage : public ::testing::Test {
protected:
    void SetUp() override {
        page->NonDelegatingAddRef();
        parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override {
        page->NonDelegatingRelease();
        DestroyWindow(parent);
    }
    RecordingPage* page = new RecordingPage();
    HWND parent = nullptr;
    RECT rect = {10, 20, 500, 300};
};

TEST_F(PropertyPage, DialogWindowLivesFromActivateToDeactivate) {
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));  // no object yet
    IUnknown* object = page->NonDelegating();
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    EXPECT_EQ(object, page->connected);
    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    HWND window = page->Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(page->activatedWithWindow);
    EXPECT_TRUE(page->markAtInit);
    EXPECT_EQ(parent, GetParent(window));
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(321, client.right);  // the page's size, not the template's
    EXPECT_EQ(123, client.bottom);
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));  // one window at a time
    // Messages it does not handle are reported unhandled, as a dialog procedure must.
    EXPECT_EQ(0, SendMessageW(window, WM_USER + 7, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 7), page->lastMessage);

    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_TRUE(page->deactivatedWithWindow);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, page->Window());
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW));
    ASSERT_EQ(S_OK, page->SetObjects(0, nullptr));
    EXPECT_EQ(nullptr, page->connected);
    EXPECT_EQ(1, page->disconnects);
}

TEST_F(PropertyPage, ApplyNeedsAnObjectAndClearsTheDirtyState) {
    EXPECT_EQ(E_UNEXPECTED, page->Apply());  // no object yet
    IUnknown* object = page->NonDelegating();
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    page->SetDirty();
    EXPECT_EQ(S_OK, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applies);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applies);  // nothing to apply while clean
    page->SetObjects(0, nullptr);
}

}  // namespace
