// Registry texts addressed the way the setup program stores them: a path whose
// last component is the value name and whose rest is the key, for example
// "Software\\Zarvel\\InstallPath" = key "Software\\Zarvel", value "InstallPath".
// All texts are GBK.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace Registry {

// The REG_SZ text at path, or fallback when the key, the value or its text
// cannot be read.
std::string ReadText(HKEY root, std::string_view path, std::string_view fallback = {});

// Writes a REG_SZ value, creating the key when missing. True on success.
bool WriteText(HKEY root, std::string_view path, std::string_view data);

// One deletion: the value named by the last component of path; if that does
// not succeed, the key of the full path (which must then have no subkeys).
// True when either went.
bool DeleteEntry(HKEY root, std::string_view path);

} // namespace Registry
