#include "ReverbEditor.h"

#include <new>
#include <string>

#include "ClassKey.h"
#include "EditorIds.h"
#include "EditorLayout.h"
#include "Help.h"
#include "InlineEditor.h"
#include "PresetStore.h"
#include "ServerModule.h"
#include "SkinClasses.h"
#include "SkinProtocol.h"

namespace {

// The page title is string 1 of the module, so a translated module carries its own.
std::wstring PageTitle() {
    wchar_t title[256] = L"";
    LoadStringW(ServerModule(), kPageTitleString, title, 256);
    return title;
}

constexpr char kPluginName[] = "qv:Reverb";
constexpr char kPresetFileName[] = "qvRuvodaR3.ini";

}  // namespace

IUnknown* ReverbEditor::Create(IUnknown* outer, HRESULT* hr) {
    auto* page = new (std::nothrow) ReverbEditor(outer);
    if (page == nullptr) {
        *hr = E_OUTOFMEMORY;
        return nullptr;
    }
    return page->NonDelegating();
}

ReverbEditor::ReverbEditor(IUnknown* outer)
    : BasePropertyPage(outer, PageTitle().c_str(), kPageWidth, kPageHeight, kPageDialog) {
    RegisterSkinClasses(ServerModule());
}

ReverbEditor::~ReverbEditor() {
    // A host that never cleared the objects still gets the filter released.
    if (control_) control_->Release();
}

HRESULT ReverbEditor::OnConnect(IUnknown* object) {
    if (!object) return E_POINTER;
    if (control_) OnDisconnect();
    IReverbControl* control = nullptr;
    if (FAILED(object->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(&control))) || !control)
        return E_NOINTERFACE;
    control_ = control;
    if (Window()) {
        control_->SetNotifyWindow(Window(), ID_FILTER_NOTIFY);
        UpdateControls(0, kWithTexts);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbEditor::Help(LPCOLESTR) {
    OpenHelpFile(Window());
    return S_OK;
}

HRESULT ReverbEditor::OnDisconnect() {
    if (!control_) return E_UNEXPECTED;
    if (Window()) control_->SetNotifyWindow(Window(), 0);
    control_->Release();
    control_ = nullptr;
    return S_OK;
}

LRESULT ReverbEditor::PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return 0;  // no focus yet: the first tick places it
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_ERASEBKGND:
        OnEraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_TIMER:
        if (wParam == kMeterTimer && control_) OnTimer();
        return 0;
    case WM_LBUTTONDOWN:
        CloseInlineEditor();  // a click on the background drops a value being typed
        return 0;
    case WM_RBUTTONDOWN:
        return OnRightButtonDown(lParam) ? 1 : 0;
    case WM_COMMAND:
        return control_ ? OnCommand(wParam, lParam) : 0;
    case MSG_GET_PRESET_DATA:
        if (control_) OnGetPresetData(reinterpret_cast<char**>(wParam));
        return 0;
    }
    if (!control_) return 0;
    switch (message) {
    case QVSN_POSCHANGED:
        OnSliderMoved(reinterpret_cast<HWND>(lParam), static_cast<int>(wParam));
        return 1;
    case QVSN_DBLCLK:
        OnSliderDoubleClick(static_cast<int>(wParam));
        return 1;
    case QVEN_STEP:
        OnFieldStep(reinterpret_cast<HWND>(lParam), static_cast<short>(HIWORD(wParam)));
        return 1;
    case QVFN_CHANGED:
        OnDisplayChanged(GraphicKind::FreqDisplay, HIWORD(wParam), static_cast<int>(lParam));
        return 1;
    case QVFN_DBLCLK:
        OnDisplayDoubleClick(GraphicKind::FreqDisplay, static_cast<int>(lParam));
        return 1;
    case QVRN_CHANGED:
        OnDisplayChanged(GraphicKind::RevTime, HIWORD(wParam), static_cast<int>(lParam));
        return 1;
    case QVRN_DBLCLK:
        OnDisplayDoubleClick(GraphicKind::RevTime, static_cast<int>(lParam));
        return 1;
    }
    return 0;
}

void ReverbEditor::OnInitDialog(HWND window) {
    if (control_) control_->SetNotifyWindow(window, ID_FILTER_NOTIFY);
    skin_ = new (std::nothrow) EditorSkin;
    if (skin_) {
        skin_->Load(ServerModule());
        CreateEditorControls(window, ServerModule(), *skin_);
    }
    presetStore_ = new (std::nothrow) PresetStore(ServerModule(), window, kPluginName);
    if (presetStore_) {
        presetStore_->SetAlternateClassKey(ClassKeyPath(CLSID_RuvodaR3Plugin).c_str());
        presetStore_->Load(ClassKeyPath(CLSID_RuvodaR3).c_str(), kPresetFileName);
        if (control_) presetStore_->SetCurrentId(control_->GetPresetIndex());
    }
    if (control_) {
        SendDlgItemMessageA(window, kBypassButton, QVBM_SETCHECK, static_cast<WPARAM>(control_->GetBypass()), 0);
        SetDlgItemTextA(window, kSetupButton, control_->GetCurrentSetup() == 1 ? "Setup B" : "Setup A");
    }
    SetControlRanges();
    UpdateWidthEnable();
    UpdateControls(0, kWithTexts);
    UpdateMeters();
    SetTimer(window, kMeterTimer, kMeterTimerPeriod, nullptr);
}

void ReverbEditor::OnDestroy(HWND window) {
    KillTimer(window, kMeterTimer);
    if (control_) {
        if (presetStore_) control_->SetPresetIndex(presetStore_->CurrentId());
        control_->SetNotifyWindow(window, 0);
    }
    delete presetStore_;
    presetStore_ = nullptr;
    // The controls go after this message; they only borrowed the pictures, and paint no more.
    delete skin_;
    skin_ = nullptr;
}

void ReverbEditor::OnEraseBackground(HDC dc) const {
    if (!skin_ || !skin_->Background()) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, skin_->Background());
    BitBlt(dc, 0, 0, kPageWidth, kPageHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void ReverbEditor::OnTimer() {
    TickClipIndicators();
    if (firstTickPending_) OnFirstTick();
    UpdateMeters();
}

LRESULT ReverbEditor::OnCommand(WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == ID_FILTER_NOTIFY) {
        // Parameters loaded from a stream and format changes are refreshed alike.
        UpdateControls(code == kNotifyCodeLoaded ? 0 : ID_FILTER_NOTIFY, kWithTexts);
        return 1;
    }
    if (code == EN_CHANGE) {
        if (const ParamBinding* row = FindByNumericField(id)) {
            OnFieldTyped(*row);
            return 1;
        }
    }
    return OnButton(id, code) || OnMeterClick(id) ? 1 : 0;
}
