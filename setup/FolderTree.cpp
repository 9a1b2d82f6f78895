#include "setup/FolderTree.h"

#include "setup/GbkText.h"
#include "ui/core/Handles.h"

namespace FolderTree {

namespace {

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

void DeleteFileForced(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Empties folder (a plain folder, not a link) depth first.
void RemoveContents(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string child = folder + "\\" + name;
        const DWORD attributes = entry.dwFileAttributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileForced(child);
        } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A junction or directory link: remove the link itself.
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_DIRECTORY);
            RemoveDirectoryA(child.c_str());
        } else {
            RemoveContents(child);
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_DIRECTORY);
            RemoveDirectoryA(child.c_str());
        }
    } while (FindNextFileA(find.get(), &entry));
}

} // namespace

bool IsReparsePoint(std::string_view path)
{
    const DWORD attributes = Attributes(std::string(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Remove(std::string_view path)
{
    if (path.empty() || path == "\\")
        return false;
    std::string folder(path);
    // "C:\\dir\\" and "C:\\dir" name the same folder.
    while (!folder.empty() && GbkText::FindLastBackslash(folder) == folder.size() - 1)
        folder.pop_back();
    // Never a whole drive.
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
        return false;

    const DWORD attributes = Attributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveContents(folder);
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(folder.c_str());
    return Attributes(folder) == INVALID_FILE_ATTRIBUTES;
}

bool HasNoLinkedFolders(std::string_view base, std::string_view relative)
{
    const auto parts = GbkText::SplitPathComponents(relative);
    std::string path(base);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        path.append(parts[i]);
        if (IsReparsePoint(path))
            return false;
        path.push_back('\\');
    }
    return true;
}

} // namespace FolderTree
