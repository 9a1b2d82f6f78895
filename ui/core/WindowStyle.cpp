#include "ui/core/WindowStyle.h"

namespace {

int StyleIndex(bool extended) { return extended ? GWL_EXSTYLE : GWL_STYLE; }

DWORD ReadStyle(HWND hwnd, bool extended)
{
    return static_cast<DWORD>(::GetWindowLongW(hwnd, StyleIndex(extended)));
}

void WriteStyle(HWND hwnd, bool extended, DWORD style)
{
    ::SetWindowLongW(hwnd, StyleIndex(extended), static_cast<LONG>(style));
}

} // namespace

void AddWindowStyle(HWND hwnd, DWORD bits, bool extended)
{
    const DWORD style = ReadStyle(hwnd, extended);
    if ((style & bits) != bits)
        WriteStyle(hwnd, extended, style | bits);
}

bool HasWindowStyle(HWND hwnd, DWORD bits, bool extended) { return (ReadStyle(hwnd, extended) & bits) != 0; }

void RemoveWindowStyle(HWND hwnd, DWORD bits, bool extended)
{
    const DWORD style = ReadStyle(hwnd, extended);
    if (style & bits)
        WriteStyle(hwnd, extended, style & ~bits);
}
