// Event codes an element receives and the private messages of a host window.
// Elements also receive ordinary window-message codes (WM_CREATE, WM_PAINT,
// mouse and keyboard messages) forwarded by the host; the library's own codes
// start at 0x2800.
#pragma once

#include <windows.h>

// wparam of a WM_LBUTTONDOWN that the host made from a double click.
constexpr WPARAM DoubleClickMarker = 10086;

constexpr UINT QXE_SETFOCUS = 10240;
constexpr UINT QXE_KILLFOCUS = 10241;
constexpr UINT QXE_MOUSEENTER = 10242;
constexpr UINT QXE_MOUSELEAVE = 10243;
constexpr UINT QXE_CLICK = 10244;
constexpr UINT QXE_RESIZED = 10245;
constexpr UINT QXE_HIDDEN = 10246;
constexpr UINT QXE_SHOWN = 10247;
constexpr UINT QXE_DRAWTRANSITION = 10248;
constexpr UINT QXE_QUERYPRESS = 10250;
constexpr UINT QXE_QUERYDISABLEDLOOK = 10254;
constexpr UINT QXE_QUERYFOCUSED = 10260;
constexpr UINT QXE_ALPHACHANGED = 10261;
constexpr UINT QXE_SNAPSHOT = 10262;
constexpr UINT QXE_TRANSITIONSTART = 10263;
constexpr UINT QXE_TRANSITIONEND = 10264;

// Messages of a host window. QXM_MOVED also reaches the moved element as an
// event.
constexpr UINT QXM_MNEMONIC = 10251;    // wparam element, lparam character code
constexpr UINT QXM_PRESENT = 10253;     // present the whole canvas
constexpr UINT QXM_INVALIDATE = 10256;  // wparam mode, lparam const RectF*
constexpr UINT QXM_MOVED = 10257;       // wparam element, lparam 1 = repaint
constexpr UINT QXM_EVENT = 10258;       // wparam element, lparam EventBlock (see EventBlock.h)
