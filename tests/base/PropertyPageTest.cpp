// The property-page host: the page window's life, and what a frame may ask out of turn.
#include <gtest/gtest.h>
#include "BasePropertyPage.h"

namespace {

constexpr int kDialogTemplate = 200;  // in PageDialog.rc
constexpr int kMarkControl = 1020;

class RecordingPage : public BasePropertyPage {
public:
    RecordingPage() : BasePropertyPage(nullptr, L"Test Page", 321, 123, kDialogTemplate) {}
    HRESULT OnApplyChanges() override {
        ++applies;
        return S_OK;
    }
    LRESULT PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_INITDIALOG) markAtInit = GetDlgItem(window, kMarkControl) != nullptr;
        return BasePropertyPage::PageMessage(window, message, wParam, lParam);
    }
    int applies = 0;
    bool markAtInit = false;
};

TEST(PropertyPage, WindowLivesFromActivateToDeactivateAndApplyClearsTheDirtyState) {
    RecordingPage* page = new RecordingPage();
    page->NonDelegatingAddRef();
    HWND parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    RECT rect = {10, 20, 500, 300};
    // Nothing works before the frame hands over the object.
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));
    EXPECT_EQ(E_UNEXPECTED, page->Apply());
    IUnknown* object = page->NonDelegating();
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    HWND window = page->Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(page->markAtInit);
    EXPECT_EQ(parent, GetParent(window));
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(321, client.right);  // the page's size, not the template's
    EXPECT_EQ(123, client.bottom);
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));  // one window at a time
    // Messages it does not handle are reported unhandled, as a dialog procedure must.
    EXPECT_EQ(0, SendMessageW(window, WM_USER + 7, 0, 0));

    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(0, page->applies);  // nothing to apply while clean
    page->SetDirty();
    EXPECT_EQ(S_OK, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applies);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, page->Window());
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW));
    page->SetObjects(0, nullptr);
    page->NonDelegatingRelease();
    DestroyWindow(parent);
}

}  // namespace
