// Top-level windows of the library: the host window class and window creation
// centred in the work area.
#pragma once

#include <windows.h>

#include <optional>

// The optional parts of a window class registration.
struct HostClassOptions {
    const char* className = nullptr;  // GBK; null: "Qx_DirectUI"
    std::optional<UINT> style;        // default CS_DBLCLKS
    HICON icon = nullptr;             // null: icon resource 129 of the executable
    HCURSOR cursor = nullptr;         // null: the library's DefaultCursor
    WNDPROC windowProc = nullptr;     // null: a procedure that only calls DefWindowProcW
};

// Registers a window class (background COLOR_BTNFACE) and makes its icon the
// library's DefaultIcon, even when the class exists already. Returns the class
// atom, 0 when the class could not be registered.
ATOM RegisterHostClass(const HostClassOptions& options = {});

// The optional parts of CreateTopWindow.
struct TopWindowOptions {
    HWND parent = nullptr;
    const char* title = nullptr;      // GBK
    std::optional<int> x;             // default: centred in the work area
    std::optional<int> y;
    std::optional<int> width;         // default 380
    std::optional<int> height;        // default 250
    const char* className = nullptr;  // GBK; null: "Qx_DirectUI"
    std::optional<DWORD> style;       // default WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX
    DWORD exStyle = 0;
    bool show = false;                // SW_SHOWNORMAL and UpdateWindow
};

// Creates a top-level window and gives it its class's small and big icons.
// Null on failure.
HWND CreateTopWindow(const TopWindowOptions& options = {});

// Where a window of the given size starts when it is centred in workArea
// (coordinates truncated toward zero).
POINT CentredOrigin(const RECT& workArea, int width, int height);
