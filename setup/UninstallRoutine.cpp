#include "setup/UninstallRoutine.h"

#include "setup/FolderTree.h"
#include "setup/GbkText.h"
#include "setup/ProcessList.h"
#include "setup/Registry.h"
#include "setup/SetupStrings.h"
#include "setup/SpecialFolder.h"
#include "setup/XmlTree.h"

#include <windows.h>

#include <string>

namespace {

const char* const kUninstallValues[] = {
    "Comments",  "DisplayIcon",     "DisplayName",     "HelpLink",     "InstallLocation",
    "Publisher", "UninstallPath",   "UninstallString", "URLInfoAbout",
};

// Deletes folder + name when name stays inside folder (which ends with a
// backslash). The list is data in a folder the user can write to, and the
// uninstaller may run with administrator rights: a name that could reach
// outside, directly or through a linked folder, deletes nothing.
void DeleteListedFile(const std::string& folder, const std::string& name)
{
    if (!GbkText::IsContainedRelativePath(name) || !FolderTree::HasNoLinkedFolders(folder, name))
        return;
    const std::string path = folder + name;
    SetFileAttributesA(path.c_str(), 0);
    DeleteFileA(path.c_str());
}

void DeleteListedFiles(XmlTree& list, const std::string& folder)
{
    const int count = list.ChildCount(SetupStrings::kFileListNode);
    for (int i = 1; i <= count; ++i) {
        const std::string node = std::string(SetupStrings::kFileListNode) + "/@" + std::to_string(i);
        const std::string name = list.Attribute(node, "name");
        if (!name.empty())
            DeleteListedFile(folder, name);
    }
}

} // namespace

void UninstallRoutine()
{
    TerminateProcessById(FindProcessByName(SetupStrings::kProductImage));
    TerminateProcessById(FindProcessByName(SetupStrings::kApplicationImage));

    std::string folder = Registry::ReadText(HKEY_CURRENT_USER, SetupStrings::kInstallPathValue);
    XmlTree list;
    if (!folder.empty()) {
        folder += "\\";
        if (list.Load(folder + SetupStrings::kFileListName)) {
            DeleteListedFiles(list, folder);
            FolderTree::Remove(folder + SetupStrings::kDownloadFolder);
            DeleteFileA((folder + SetupStrings::kFileListName).c_str());
        }
    }

    Registry::DeleteEntry(HKEY_CURRENT_USER, SetupStrings::kRunValue);
    for (const char* value : kUninstallValues)
        Registry::DeleteEntry(HKEY_LOCAL_MACHINE, std::string(SetupStrings::kUninstallKey) + "\\" + value);
    Registry::DeleteEntry(HKEY_LOCAL_MACHINE, SetupStrings::kUninstallKey);

    const std::string programs = GetSpecialFolderPath(CSIDL_COMMON_PROGRAMS);
    DeleteFileA((GetSpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY) + SetupStrings::kDesktopLink).c_str());
    DeleteFileA((programs + SetupStrings::kProgramLink).c_str());
    DeleteFileA((programs + SetupStrings::kUninstallLink).c_str());
    // Each removal needs a known special folder: with an empty one the path
    // would be rooted at the current drive.
    if (!programs.empty()) {
        FolderTree::Remove(programs + SetupStrings::kProgramFolder);
        FolderTree::Remove(programs + SetupStrings::kPublisherFolder);
    }

    const std::string text = std::string(SetupStrings::kUninstallDoneText) + folder;
    MessageBoxA(nullptr, text.c_str(), SetupStrings::kUninstallDoneCaption, MB_OK | MB_ICONINFORMATION);
    list.Release();
}
