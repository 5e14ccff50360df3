// The property-page host: page info, objects, the page window's life and the dirty state.
#include <gtest/gtest.h>
#include <vector>
#include "BasePropertyPage.h"

namespace {

constexpr int kDialogTemplate = 200;  // in PageDialog.rc
constexpr int kMarkControl = 1020;

class RecordingPage : public BasePropertyPage {
public:
    RecordingPage() : BasePropertyPage(nullptr, L"Test Page", 321, 123, L"BaseTestPage") {}
    explicit RecordingPage(int dialogId) : BasePropertyPage(nullptr, L"Test Page", 321, 123, dialogId) {}
    HRESULT OnConnect(IUnknown* object) override {
        connected = object;
        return refuse ? E_NOINTERFACE : S_OK;
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
        messages.push_back(message);
        if (message == WM_INITDIALOG) markAtInit = GetDlgItem(window, kMarkControl) != nullptr;
        return BasePropertyPage::PageMessage(window, message, wParam, lParam);
    }
    bool Saw(UINT message) const {
        for (UINT m : messages)
            if (m == message) return true;
        return false;
    }

    IUnknown* connected = nullptr;
    bool refuse = false;
    int disconnects = 0;
    int applies = 0;
    bool activatedWithWindow = false;
    bool deactivatedWithWindow = true;
    bool markAtInit = false;
    std::vector<UINT> messages;
};

class RecordingSite : public IPropertyPageSite {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
    ULONG refs = 1;
    std::vector<DWORD> statuses;
};

class PropertyPage : public ::testing::Test {
protected:
    void SetUp() override {
        page->NonDelegatingAddRef();
        parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void ActivateDialogPage() {
        page->NonDelegatingRelease();
        page = new RecordingPage(kDialogTemplate);
        page->NonDelegatingAddRef();
        IUnknown* object = page->NonDelegating();
        ASSERT_EQ(S_OK, page->SetObjects(1, &object));
        ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    }
    void TearDown() override {
        page->NonDelegatingRelease();
        DestroyWindow(parent);
    }
    RecordingPage* page = new RecordingPage();
    HWND parent = nullptr;
    RECT rect = {10, 20, 500, 300};
};

TEST_F(PropertyPage, ReportsTitleAndSize) {
    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Test Page", info.pszTitle);
    EXPECT_EQ(321, info.size.cx);
    EXPECT_EQ(123, info.size.cy);
    EXPECT_EQ(nullptr, info.pszHelpFile);
    EXPECT_EQ(nullptr, info.pszDocString);
    CoTaskMemFree(info.pszTitle);
    EXPECT_EQ(E_POINTER, page->GetPageInfo(nullptr));
}

TEST_F(PropertyPage, WindowLivesFromActivateToDeactivate) {
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));
    EXPECT_EQ(nullptr, page->Window());
    IUnknown* object = page->NonDelegating();
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    EXPECT_EQ(object, page->connected);

    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    HWND window = page->Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(page->activatedWithWindow);
    EXPECT_TRUE(page->Saw(WM_CREATE));
    EXPECT_EQ(parent, GetParent(window));
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(321, client.right);
    EXPECT_EQ(123, client.bottom);
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));  // one window at a time

    ASSERT_EQ(S_OK, page->Show(SW_SHOW));
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
    RECT moved = {40, 50, 60, 70};
    ASSERT_EQ(S_OK, page->Move(&moved));
    RECT placed = {};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(40, placed.left);
    EXPECT_EQ(50, placed.top);
    EXPECT_EQ(321, placed.right - placed.left);  // the page keeps its size

    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_TRUE(page->deactivatedWithWindow);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, page->Window());
    EXPECT_TRUE(page->Saw(WM_DESTROY));
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());
    EXPECT_EQ(E_UNEXPECTED, page->Show(SW_SHOW));

    ASSERT_EQ(S_OK, page->SetObjects(0, nullptr));
    EXPECT_EQ(nullptr, page->connected);
    EXPECT_EQ(1, page->disconnects);
    EXPECT_EQ(E_UNEXPECTED, page->Activate(parent, &rect, FALSE));
}

TEST_F(PropertyPage, DialogTemplatePageGetsItsControlsAndInitDialog) {
    ActivateDialogPage();
    HWND window = page->Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(page->Saw(WM_INITDIALOG));
    EXPECT_FALSE(page->Saw(WM_CREATE));  // the dialog manager creates it, not our class
    EXPECT_TRUE(page->markAtInit);
    EXPECT_NE(nullptr, GetDlgItem(window, kMarkControl));
    EXPECT_EQ(parent, GetParent(window));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(321, client.right);  // the page's size, not the template's
    EXPECT_EQ(123, client.bottom);
    // Messages it does not handle are reported unhandled, as a dialog procedure must.
    EXPECT_EQ(0, SendMessageW(window, WM_USER + 7, 0, 0));
    EXPECT_TRUE(page->Saw(WM_USER + 7));
    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, page->Window());
    page->SetObjects(0, nullptr);
}

TEST_F(PropertyPage, RefusedObjectStillLetsThePageShow) {
    page->refuse = true;
    IUnknown* object = page->NonDelegating();
    EXPECT_EQ(E_NOINTERFACE, page->SetObjects(1, &object));
    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    EXPECT_EQ(S_OK, page->Deactivate());
}

TEST_F(PropertyPage, DirtyStateReachesTheSiteAndApplyClearsIt) {
    RecordingSite site;
    ASSERT_EQ(S_OK, page->SetPageSite(&site));
    EXPECT_EQ(2u, site.refs);
    EXPECT_EQ(E_UNEXPECTED, page->SetPageSite(&site));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(E_UNEXPECTED, page->Apply());  // no object yet
    IUnknown* object = page->NonDelegating();
    ASSERT_EQ(S_OK, page->SetObjects(1, &object));
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(0, page->applies);  // nothing to apply while clean

    page->SetDirty();
    EXPECT_EQ(S_OK, page->IsPageDirty());
    ASSERT_EQ(1u, site.statuses.size());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site.statuses[0]);
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, page->applies);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    ASSERT_EQ(S_OK, page->SetPageSite(nullptr));
    EXPECT_EQ(1u, site.refs);
    page->SetObjects(0, nullptr);
}

}  // namespace
