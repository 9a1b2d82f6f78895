// Byte-level helpers for GBK (code page 936) text, the setup program's only
// narrow text type. Pure logic: no Windows headers, so it also builds natively.
//
// A GBK character is one byte below 0x80, or a lead byte 0x81-0xFE followed by
// a trail byte 0x40-0xFE. Trail bytes include 0x5C ('\\'), so searching a path
// for backslashes byte by byte can split a Chinese character; these helpers
// step over double-byte characters instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace GbkText {

// True for a byte that starts a two-byte character.
constexpr bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte != 0xFF; }

// 'A'-'Z' become 'a'-'z'; every byte of a double-byte character is kept.
std::string LowerAscii(std::string_view text);

// Offset of the last single-byte backslash, or npos.
std::size_t FindLastBackslash(std::string_view path);

// The part after the last backslash; the whole text when there is none.
std::string_view FileNamePart(std::string_view path);

// Splits at single-byte '\\' and '/' separators; empty components are kept.
std::vector<std::string_view> SplitPathComponents(std::string_view path);

// True when path names something strictly inside the folder it is appended
// to: not empty, not absolute or rooted (no leading separator), no ':' anywhere
// (drive letters, alternate data streams), no "." or ".." component, no empty
// component, and no incomplete double-byte character at the end.
bool IsContainedRelativePath(std::string_view path);

} // namespace GbkText
