#pragma once
// The filter's property page: the skinned editor. It works only through the filter's
// parameter interface and keeps no copy of the parameters, so every view shows what the
// filter holds.
#include "BasePropertyPage.h"
#include "EditorSkin.h"
#include "ParamBinding.h"
#include "qvRuvodaR3.h"

class PresetStore;

class ReverbEditor : public BasePropertyPage {
public:
    // How much UpdateControls rewrites besides the graphical controls.
    enum RefreshMode {
        kGraphicsOnly = 0,       // the typed text stays as the user left it
        kWithTexts = 1,
        kTextsButNotRevTime = 2, // while the reverb-time display is dragged
    };

    // Class-factory entry: a new page's nondelegating IUnknown, or null with *hr set.
    static IUnknown* Create(IUnknown* outer, HRESULT* hr);

    explicit ReverbEditor(IUnknown* outer);
    ~ReverbEditor() override;

    // Opens the help file beside the module; the help directory is not used.
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    HRESULT OnConnect(IUnknown* object) override;
    HRESULT OnDisconnect() override;
    LRESULT PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual int SetControlRanges();
    // id 0 or ID_FILTER_NOTIFY: every control; else the group keyed by that id.
    virtual int UpdateControls(int id, int mode);
    void UpdateWidthEnable();
    void UpdateMeters();

private:
    void OnInitDialog(HWND window);
    void OnDestroy(HWND window);
    void OnEraseBackground(HDC dc) const;
    void OnTimer();
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);

    // From a control to a parameter (EditorEvents.cpp).
    void OnSliderMoved(HWND slider, int value);
    void OnSliderDoubleClick(int sliderId);
    void OnFieldTyped(const ParamBinding& row);
    void OnFieldStep(HWND field, int step);
    void OnDisplayChanged(GraphicKind display, int handle, int value);
    void OnDisplayDoubleClick(GraphicKind display, int part);
    void PutDefault(const ParamBinding& row);

    // Commands (EditorCommands.cpp).
    bool OnButton(int id, int code);
    void RefreshAll();
    void SelectSetup(int setup);
    void Reset();
    void ShowSetupMenu();
    // Shows `menu` below the button, left-aligned; the chosen command or 0.
    UINT TrackButtonMenu(HMENU menu, int buttonId);
    void ApplyPresetText(const char* text, int version);
    // Presets (EditorPresets.cpp).
    void ShowPresetsMenu();
    bool OnRightButtonDown(LPARAM position);
    void OnGetPresetData(char** data) const;
    void OnFirstTick();

    // Meters and clip indicators (EditorMeters.cpp).
    void TickClipIndicators();
    bool OnMeterClick(int id);

    IReverbControl* control_ = nullptr;
    EditorSkin* skin_ = nullptr;
    PresetStore* presetStore_ = nullptr;
    bool firstTickPending_ = true;
};
