// System cursors by id. The ids (IDC_ARROW, IDC_HAND...) are small integers
// in resource-name form; the program is built without UNICODE, so they come
// as narrow resource names.
#pragma once

#include <windows.h>

inline HCURSOR LoadSystemCursor(LPCSTR id) { return ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(id)); }
