#pragma once
// The private window messages between the editor and its skinned controls, the
// notifications the controls send back, the class names and the default tint.
// Each class owns one block of numbers above WM_USER.
#include <windows.h>

// Window class names.
inline constexpr char kPushButtonClassName[] = "qv:PushButton";
inline constexpr char kSliderClassName[] = "qv:Slider";
inline constexpr char kEditClassName[] = "qv:Edit";
inline constexpr char kStaticTextClassName[] = "qv:StaticText";
inline constexpr char kStaticImageClassName[] = "qv:StaticImage";
inline constexpr char kFreqDisplayClassName[] = "qv:FreqDisplay";
inline constexpr char kRevTimeClassName[] = "qv:RevTime";
inline constexpr char kMeterClassName[] = "qv:Meter";

// Light factors for a lit image: bytes f0 (red), f1 (green), f2 (blue), d (divisor) from the
// least significant; 0 = not lit.
using Tint = DWORD;
inline constexpr Tint kDefaultTint = 0xEB78F8FF;  // a warm yellow glow

// qv:PushButton
inline constexpr UINT QVBM_SETCHECK = 0x7E9;          // wParam lit (0/1), lParam non-zero = paint now
inline constexpr UINT QVBM_GETCHECK = 0x7EA;          // returns the lit state
inline constexpr UINT QVBM_REDRAW = 0x7EB;            // lParam non-zero = paint now
inline constexpr UINT QVBM_SETDBLCLKNOTIFY = 0x7EC;   // wParam non-zero = report double-clicks
inline constexpr UINT QVBN_RCLICK = 0x7EF;            // wParam id, lParam WM_RBUTTONDOWN position
inline constexpr UINT QVBM_CANCELPRESS = 0x7F0;       // ends a press and drops one queued click
inline constexpr UINT QVBM_SETIMAGES = 0x7F1;         // wParam normal image, lParam pressed image
inline constexpr UINT QVBM_SETFOCUSMARGINS = 0x7F2;   // wParam const RECT* margins, lParam narrow lit border
inline constexpr UINT QVBM_SETTINT = 0x7F4;           // wParam tint
// Push button codes in the high word of WM_COMMAND's wParam.
inline constexpr WORD QVBN_CLICKED = 0;
inline constexpr WORD QVBN_PRESSED = 1;
inline constexpr WORD QVBN_DBLCLK = 2;
inline constexpr WORD QVBN_REENTER = 3;
inline constexpr WORD QVBN_LEAVE = 4;
// Push button style bits.
inline constexpr DWORD kPushButtonArrowStyle = 1;  // drop-down arrow at the right
inline constexpr DWORD kPushButtonGlyphStyle = 2;  // small glyph bitmap at the right

// qv:Slider
inline constexpr UINT QVSM_GETPOS = 0x84D;            // returns the value
inline constexpr UINT QVSM_SETPOS = 0x84E;            // wParam value, lParam non-zero = paint now
inline constexpr UINT QVSM_SETRANGE = 0x84F;          // wParam minimum, lParam maximum
inline constexpr UINT QVSN_POSCHANGED = 0x851;        // wParam value, lParam slider window
inline constexpr UINT QVSN_DBLCLK = 0x852;            // wParam id, lParam slider window
inline constexpr UINT QVSM_SETSQUAREDDRAG = 0x853;    // wParam non-zero = squared drag
inline constexpr UINT QVSM_SETTICKSTEP = 0x854;       // wParam tick spacing, 0 = none
inline constexpr UINT QVSM_SETPAGESIZE = 0x855;       // wParam Page Up/Down step
inline constexpr UINT QVSM_SETTICKOFFSET = 0x856;     // wParam extra offset after the first tick
inline constexpr UINT QVSM_SETTHUMBIMAGE = 0x858;     // wParam thumb image
inline constexpr UINT QVSN_ENDTRACK = 0x859;          // wParam 0, lParam slider window
inline constexpr UINT QVSM_SETGROOVE = 0x85A;         // wParam non-zero = groove and ticks
inline constexpr UINT QVSM_SETTHUMBLENGTH = 0x85B;    // wParam thumb length in pixels

// qv:Edit
inline constexpr UINT QVEN_STEP = 0x8B1;              // wParam id | signed delta << 16, lParam edit window
inline constexpr UINT QVEM_SETSQUAREDDRAG = 0x8B2;    // wParam non-zero = squared drag deltas
inline constexpr UINT QVEM_SETFLAGS = 0x8B3;          // wParam flags (kEditReverseFlag)
inline constexpr UINT QVEM_SETIMAGE = 0x8B6;          // wParam face image
inline constexpr WPARAM kEditReverseFlag = 2;         // negate drag and wheel deltas
// Edit style bits.
inline constexpr DWORD kEditLinearDragStyle = 1;      // no squared drag
inline constexpr DWORD kEditRightAlignStyle = 2;      // right-aligned text

// qv:FreqDisplay
inline constexpr UINT QVFN_CHANGED = 0x915;           // wParam id | edge << 16, lParam frequency
inline constexpr UINT QVFM_SETLIMIT = 0x916;          // wParam which limit (0..3), lParam Hz
inline constexpr UINT QVFM_SETLOW = 0x917;            // wParam low edge in Hz
inline constexpr UINT QVFM_SETHIGH = 0x918;           // wParam high edge in Hz
inline constexpr UINT QVFN_DBLCLK = 0x919;            // wParam id, lParam part hit
inline constexpr UINT QVFM_SETOVERLAY = 0x91A;        // wParam shading overlay bitmap

// qv:RevTime
inline constexpr UINT QVRN_CHANGED = 0x979;           // wParam id | index << 16, lParam value
inline constexpr UINT QVRM_SETVALUE = 0x97A;          // wParam index (0..3), lParam value
inline constexpr UINT QVRN_DBLCLK = 0x97B;            // wParam id, lParam part hit
inline constexpr UINT QVRM_SETOVERLAY = 0x97C;        // wParam shading overlay bitmap

// qv:Meter
inline constexpr UINT QVMM_SETRANGE = 0xA41;          // wParam bottom level, lParam top level
inline constexpr UINT QVMM_SETLEVELS = 0xA42;         // wParam level 1, lParam level 2
inline constexpr UINT QVMM_GETPEAKS = 0xA43;          // wParam int* peak 1, lParam int* peak 2
inline constexpr UINT QVMM_RESETMAX = 0xA44;
inline constexpr UINT QVMM_GETMAX = 0xA45;            // wParam int* max 1, lParam int* max 2
inline constexpr UINT QVMM_SETIMAGES = 0xA46;         // wParam unlit face, lParam lit bar
inline constexpr UINT QVMM_SETDECAY = 0xA47;          // wParam fall per update

// qv:StaticImage
inline constexpr UINT QVIM_SETBITMAP = 0xB3A;         // wParam BITMAP resource id, negative = none
inline constexpr UINT QVIN_CLICKED = 0xB3B;           // wParam id, lParam mouse position

// The child id of the inline text box that a qv:Edit opens over itself.
inline constexpr int kInlineEditorId = 4321;
