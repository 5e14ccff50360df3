#include "EditorPageHost.h"

#include <vector>

#include "ClassFactory.h"
#include "EditorIds.h"
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

// One host for the whole program: destroying a visible top-level window costs seconds
// under Wine. A plain static window will do: the page handles its own messages.
HWND SharedHost() {
    static HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 40, 40, kPageWidth, kPageHeight,
                                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
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

EditorPageHost::~EditorPageHost() { Close(); }

std::string EditorPageHost::Open() {
    SetServerModule(GetModuleHandleA(nullptr));
    if (!filter.base) return "the filter could not be made";
    pageObject = static_cast<IPropertyPage*>(MakeObject(CLSID_RuvodaR3Page, IID_IPropertyPage));
    if (!pageObject) return "the page could not be made through its class factory";
    host = SharedHost();
    IUnknown* object = filter.base;
    if (pageObject->SetObjects(1, &object) != S_OK) return "the page refused the filter";
    RECT place = {0, 0, kPageWidth, kPageHeight};
    if (pageObject->Activate(host, &place, FALSE) != S_OK) return "the page could not be activated";
    pageObject->Show(SW_SHOW);
    page = GetWindow(host, GW_CHILD);
    if (!page) return "the page made no window";
    return "";
}

void EditorPageHost::Close() {
    if (pageObject) {
        pageObject->Deactivate();
        pageObject->SetObjects(0, nullptr);
        pageObject->Release();
        pageObject = nullptr;
        page = nullptr;
    }
    Pump();
}

HRESULT EditorPageHost::ConnectStereo() { return filter.ConnectAndPause(stereo, 1024 * 8, 1024 * 8); }

HRESULT EditorPageHost::Push(float left, float right, int frames) {
    std::vector<float> samples;
    samples.reserve(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        samples.push_back(left);
        samples.push_back(right);
    }
    return filter.source.Push(samples.data(), static_cast<long>(samples.size() * sizeof(float)));
}
