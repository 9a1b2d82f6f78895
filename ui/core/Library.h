// Start-up of the UI library and the process-wide values every window host
// and element reads. StartLibrary fills them once, on the UI thread, before
// any window of the library exists; they live until the process ends.
#pragma once

#include "ui/core/Handles.h"

// Starts GDI+ (never shut down) and fills the shared values: the Windows
// major version, the default font, the arrow as default cursor, the
// system-button glyph strip, and the host window class "Qx_DirectUI" (its
// window procedure only calls DefWindowProcW until a host binds the window).
void StartLibrary();

// Starts the library for the lifetime of the process entry's scope.
class LibraryScope {
public:
    LibraryScope() { StartLibrary(); }
    LibraryScope(const LibraryScope&) = delete;
    LibraryScope& operator=(const LibraryScope&) = delete;
};

// Major version of the running Windows, as the process environment block
// records it (not subject to GetVersionEx's compatibility answers).
int OsMajorVersion();

// The library font (12 pixels, regular); shared, never deleted by its users.
// Null when no font family was found.
Gdiplus::GpFont* DefaultFont();

// Cursor every host copies when it binds a window and uses where an element
// has none of its own. Hosts bound earlier keep their copy.
HCURSOR DefaultCursor();
void SetDefaultCursor(HCURSOR cursor);
// Stores the system cursor id (IDC_ARROW, IDC_HAND...), loaded with
// LoadCursorW.
void SetDefaultSystemCursor(LPCSTR id);

// Icon of the class RegisterHostClass registered last (set there).
HICON DefaultIcon();
void SetDefaultIcon(HICON icon);

// The system-button glyph strip (729 x 20), drawn by the system buttons.
Gdiplus::GpImage* SysButtonGlyphs();
