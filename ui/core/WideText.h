// Conversion between GBK text, the library's narrow text, and UTF-16 at the
// GDI+ and wide window-API boundary. Code page 0 (CP_ACP) is the system's
// ANSI code page, GBK on the systems the program runs on.
#pragma once

#include "ui/core/ByteBuffer.h"

#include <windows.h>

#include <string>

// The UTF-16 form of text including its terminating zero. A null text gives
// an empty buffer (WideChars turns it into a null pointer for the API); an
// empty text gives the terminating zero alone.
ByteBuffer ToWide(const char* text, UINT codePage = CP_ACP);
inline ByteBuffer ToWide(const std::string& text, UINT codePage = CP_ACP) { return ToWide(text.c_str(), codePage); }

// The characters of a ToWide buffer, or null for an empty buffer.
inline const wchar_t* WideChars(const ByteBuffer& wide)
{
    return wide.empty() ? nullptr : reinterpret_cast<const wchar_t*>(wide.data());
}

// The narrow form of UTF-16 text, up to its first zero character; a buffer
// without one is converted whole (an odd last byte is ignored). Nothing
// convertible gives an empty text.
std::string ToNarrow(const ByteBuffer& wide, UINT codePage = CP_ACP);
std::string ToNarrow(const wchar_t* wide, UINT codePage = CP_ACP);
