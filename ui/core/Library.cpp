#include "ui/core/Library.h"

#include "ui/core/SystemCursor.h"

#include "ui/core/SystemFont.h"
#include "ui/core/TopWindow.h"
#include "ui/graphics/EmbeddedPictures.h"
#include "ui/graphics/Images.h"

#include <winternl.h>

#include <cstdint>
#include <cstring>

namespace {

struct SharedState {
    ULONG_PTR gdiplusToken = 0;
    int osMajorVersion = 0;
    GpFontPtr defaultFont;
    HCURSOR defaultCursor = nullptr;
    HICON defaultIcon = nullptr;
    GpImagePtr sysButtonGlyphs;
};

// Never destroyed: the values outlive every global object of the program,
// whatever order those are torn down in; the process end reclaims them.
SharedState& State()
{
    static SharedState* const state = new SharedState;
    return *state;
}

// The OSMajorVersion field of this process's environment block.
int ReadOsMajorVersion()
{
    using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0
        || !info.PebBaseAddress)
        return 0;
    constexpr std::size_t kOsMajorVersionOffset = sizeof(void*) == 8 ? 0x118 : 0xA4;
    std::uint32_t major = 0;
    std::memcpy(&major, reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress) + kOsMajorVersionOffset,
                sizeof major);
    return static_cast<int>(major);
}

} // namespace

void StartLibrary()
{
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&State().gdiplusToken, &input, nullptr);
    State().osMajorVersion = ReadOsMajorVersion();
    State().defaultFont = CreateDefaultFont();
    SetDefaultSystemCursor(IDC_ARROW);
    State().sysButtonGlyphs = LoadImageFromBytes(SysButtonGlyphsPng(), true);
    RegisterHostClass();
}

int OsMajorVersion() { return State().osMajorVersion; }

Gdiplus::GpFont* DefaultFont() { return State().defaultFont.get(); }

HCURSOR DefaultCursor() { return State().defaultCursor; }

void SetDefaultCursor(HCURSOR cursor) { State().defaultCursor = cursor; }

void SetDefaultSystemCursor(LPCSTR id) { State().defaultCursor = LoadSystemCursor(id); }

HICON DefaultIcon() { return State().defaultIcon; }

void SetDefaultIcon(HICON icon) { State().defaultIcon = icon; }

Gdiplus::GpImage* SysButtonGlyphs() { return State().sysButtonGlyphs.get(); }
