// Builds a resource pack (layout in package/PackIndex.h) from a folder of the
// host file system, with the same index code as the product. Files of a
// folder come first, in byte order of their names, then its subfolders in
// byte order; names are stored as their bytes with '\\' between folders.
#pragma once

#include "package/ResPackEntry.h"
#include "ui/core/ByteBuffer.h"

#include <string>
#include <vector>

class FolderPacker {
public:
    // False when the folder cannot be read or the pack would exceed 4 GiB.
    bool Pack(const std::string& folder, ByteBuffer& pack);
    const std::string& Error() const { return m_error; }

    // Compares an opened pack with a folder: the same set of relative names,
    // equal contents, keys that are the CRC-32 of the names.
    static bool Matches(const ByteBuffer& pack, const std::string& folder, std::string& why);

    // Every file under folder as {relative name with '\\', host path}, in
    // pack order.
    static bool ListFiles(const std::string& folder, std::vector<std::pair<std::string, std::string>>& files);

private:
    bool AddFolder(const std::string& hostFolder, const std::string& prefix);

    ByteBuffer m_data;
    ByteBuffer m_index;
    std::string m_error;
};
