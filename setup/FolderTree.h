// Removing folders with everything in them, and the checks that keep a
// removal inside the folder it was asked for. Paths are GBK.
#pragma once

#include <string>
#include <string_view>

namespace FolderTree {

// Removes path depth first: every file (read-only ones too) and subfolder
// below it, then the folder itself. An empty path, a single backslash and a
// drive root are refused. Junctions and symbolic links are removed as links: what they point
// to is never entered. Returns true when the folder is gone afterwards.
bool Remove(std::string_view path);

// True when path exists and is a junction, symbolic link or other reparse point.
bool IsReparsePoint(std::string_view path);

// True when every folder between base (which must end with a backslash) and
// the last component of relative exists as a plain folder or does not exist:
// none of them is a reparse point that could lead outside base.
bool HasNoLinkedFolders(std::string_view base, std::string_view relative);

} // namespace FolderTree
