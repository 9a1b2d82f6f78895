// Paths of shell special folders.
#pragma once

#include <string>

// The GBK path of the special folder csidl (a CSIDL_* value), without a
// trailing backslash; empty when the shell cannot give it.
std::string GetSpecialFolderPath(int csidl);
