#include "setup/SpecialFolder.h"

#include "ui/core/Handles.h"

std::string GetSpecialFolderPath(int csidl)
{
    UniqueItemIdList idList;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, idList.put())) || !idList)
        return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(idList.get(), path))
        return {};
    return path;
}
