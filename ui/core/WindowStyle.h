// Bit operations on a window's style (GWL_STYLE) or, with extended set, its
// extended style (GWL_EXSTYLE).
#pragma once

#include <windows.h>

// Writes the style with bits added, unless all of them are set already.
void AddWindowStyle(HWND hwnd, DWORD bits, bool extended = false);

// True when any of bits is set.
bool HasWindowStyle(HWND hwnd, DWORD bits, bool extended = false);

// Writes the style with bits cleared, when any of them is set.
void RemoveWindowStyle(HWND hwnd, DWORD bits, bool extended = false);
