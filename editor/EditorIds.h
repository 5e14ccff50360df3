#pragma once
// Control identifiers of the editor page, its timer and its resources.
#include <windows.h>

// Top row of buttons.
constexpr int kBypassButton = 20010;
constexpr int kUndoButton = 20011;
constexpr int kSetupButton = 20012;
constexpr int kSetupMenuButton = 20013;
constexpr int kResetButton = 20014;
constexpr int kPresetsButton = 20015;
constexpr int kHelpButton = 20016;

// Parameter rows.
constexpr int kInputMuteButton = 10002;
constexpr int kInputField = 10000;
constexpr int kInputSlider = 10001;
constexpr int kLowCutField = 10005;
constexpr int kFreqDisplay = 10007;
constexpr int kHighCutField = 10006;
constexpr int kPreDelayField = 10008;
constexpr int kPreDelaySlider = 10009;
constexpr int kRoomSizeField = 10010;
constexpr int kRoomSizeSlider = 10011;
constexpr int kDiffusionField = 10012;
constexpr int kDiffusionSlider = 10013;
constexpr int kBassMultiplyField = 10014;
constexpr int kRevTimeDisplay = 10021;
constexpr int kCrossoverField = 10016;
constexpr int kDecayTimeField = 10018;
constexpr int kDampingField = 10020;
constexpr int kDryMuteButton = 10024;
constexpr int kDryField = 10022;
constexpr int kDrySlider = 10023;
constexpr int kEarlyMuteButton = 10027;
constexpr int kEarlyField = 10025;
constexpr int kEarlySlider = 10026;
constexpr int kReverbMuteButton = 10030;
constexpr int kReverbField = 10028;
constexpr int kReverbSlider = 10029;
constexpr int kWidthField = 10031;
constexpr int kStereoButton = 10004;
constexpr int kTailButton = 10003;

// Meters, their level texts and the clip indicators of the dialog template.
constexpr int kInputMeterLeft = 10600;
constexpr int kInputMeterRight = 10601;
constexpr int kInputLevelText = 10602;
constexpr int kOutputMeterLeft = 10603;
constexpr int kOutputMeterRight = 10604;
constexpr int kOutputLevelText = 10605;
constexpr int kInputClipLeft = 1020;
constexpr int kInputClipRight = 1021;
constexpr int kOutputClipLeft = 1022;
constexpr int kOutputClipRight = 1023;

// The undo key that takes a snapshot every time (a one-off command, not a continuing gesture).
constexpr int kUndoAlways = -2;

// The page's one timer: meters, clip indicators and the first-tick work.
constexpr UINT_PTR kMeterTimer = 0;
constexpr UINT kMeterTimerPeriod = 75;

// Resources.
constexpr int kPageDialog = 106;
constexpr int kPageTitleString = 1;
constexpr int kBackgroundBitmap = 103;
constexpr int kRevTimeOverlayBitmap = 130;
constexpr int kFreqOverlayBitmap = 131;
constexpr int kClipHeldBitmap = 139;
constexpr int kClipOffBitmap = 140;
constexpr int kClipLitBitmap = 141;

// The page's client size in pixels.
constexpr int kPageWidth = 428;
constexpr int kPageHeight = 451;
