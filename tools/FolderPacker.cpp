#include "tools/FolderPacker.h"

#include "package/Crc32.h"
#include "package/PackIndex.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

bool ReadWholeFile(const std::string& path, ByteBuffer& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Walk(const std::string& hostFolder, const std::string& prefix,
          std::vector<std::pair<std::string, std::string>>& files)
{
    std::error_code error;
    std::vector<std::string> names;
    std::vector<std::string> folders;
    for (fs::directory_iterator it(hostFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (it->is_directory(error))
            folders.push_back(name);
        else
            names.push_back(name);
    }
    if (error)
        return false;
    std::sort(names.begin(), names.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string& name : names)
        files.emplace_back(prefix + name, hostFolder + "/" + name);
    for (const std::string& name : folders) {
        if (!Walk(hostFolder + "/" + name, prefix + name + "\\", files))
            return false;
    }
    return true;
}

} // namespace

bool FolderPacker::ListFiles(const std::string& folder, std::vector<std::pair<std::string, std::string>>& files)
{
    files.clear();
    return Walk(folder, "", files);
}

bool FolderPacker::Pack(const std::string& folder, ByteBuffer& pack)
{
    m_data.clear();
    m_index.clear();
    std::vector<std::pair<std::string, std::string>> files;
    if (!ListFiles(folder, files)) {
        m_error = "cannot read folder " + folder;
        return false;
    }
    ByteBuffer content;
    for (const auto& [name, path] : files) {
        if (!ReadWholeFile(path, content)) {
            m_error = "cannot read " + path;
            return false;
        }
        if (m_data.size() + content.size() > 0xFFFFFFFFu) {
            m_error = "pack exceeds 4 GiB";
            return false;
        }
        PackIndex::AppendRecord(m_index, name, Crc32::ComputeText(name), static_cast<std::uint32_t>(m_data.size()),
                                static_cast<std::uint32_t>(content.size()));
        m_data.insert(m_data.end(), content.begin(), content.end());
    }
    PackIndex::AppendEnd(m_index, static_cast<std::uint32_t>(m_data.size()));
    pack = std::move(m_data);
    pack.insert(pack.end(), m_index.begin(), m_index.end());
    m_index.clear();
    return true;
}

bool FolderPacker::Matches(const ByteBuffer& pack, const std::string& folder, std::string& why)
{
    std::vector<ResPackEntry> entries;
    if (!PackIndex::Parse(pack.data(), pack.size(), entries)) {
        why = "not a valid pack";
        return false;
    }
    std::vector<std::pair<std::string, std::string>> files;
    if (!ListFiles(folder, files)) {
        why = "cannot read folder " + folder;
        return false;
    }
    if (files.size() != entries.size()) {
        why = "pack has " + std::to_string(entries.size()) + " entries, folder " + std::to_string(files.size()) +
            " files";
        return false;
    }
    ByteBuffer content;
    for (const auto& file : files) {
        const std::string& name = file.first;
        const std::string& path = file.second;
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const ResPackEntry& e) { return e.name == name; });
        if (entry == entries.end()) {
            why = "no entry " + name;
            return false;
        }
        if (entry->key != Crc32::ComputeText(name)) {
            why = "wrong key for " + name;
            return false;
        }
        if (!ReadWholeFile(path, content) || content.size() != entry->size ||
            !std::equal(content.begin(), content.end(), pack.begin() + entry->offset)) {
            why = "content differs: " + name;
            return false;
        }
    }
    return true;
}
