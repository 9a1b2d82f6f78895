#include "package/PackIndex.h"

#include "package/LittleEndian.h"

#include <cstring>

bool PackIndex::ReadTrailer(const std::uint8_t* trailer, std::uint64_t packSize, std::uint32_t& indexOffset)
{
    if (packSize < kTrailerSize)
        return false;
    std::uint32_t magic = 0;
    std::uint32_t offset = 0;
    if (!LittleEndian::ReadU32(trailer, kTrailerSize, 4, magic) || magic != kMagic)
        return false;
    LittleEndian::ReadU32(trailer, kTrailerSize, 0, offset);
    // The index holds at least its end byte.
    if (static_cast<std::uint64_t>(offset) + 1 > packSize - kTrailerSize)
        return false;
    indexOffset = offset;
    return true;
}

bool PackIndex::ReadString(const std::uint8_t* data, std::size_t size, std::size_t& cursor, std::string& text)
{
    if (cursor >= size)
        return false;
    const void* nul = std::memchr(data + cursor, 0, size - cursor);
    if (!nul)
        return false;
    const auto* end = static_cast<const std::uint8_t*>(nul);
    const std::size_t length = static_cast<std::size_t>(end - (data + cursor));
    text.assign(reinterpret_cast<const char*>(data + cursor), length);
    cursor += length + 1;
    return true;
}

bool PackIndex::ParseRecords(const std::uint8_t* index, std::size_t indexSize, std::uint32_t dataSize,
                             std::vector<ResPackEntry>& entries)
{
    std::vector<ResPackEntry> parsed;
    std::size_t cursor = 0;
    for (;;) {
        ResPackEntry entry;
        if (!ReadString(index, indexSize, cursor, entry.name))
            return false;
        if (entry.name.empty())
            break;
        if (!LittleEndian::ReadU32(index, indexSize, cursor, entry.key) ||
            !LittleEndian::ReadU32(index, indexSize, cursor + 4, entry.offset) ||
            !LittleEndian::ReadU32(index, indexSize, cursor + 8, entry.size))
            return false;
        cursor += kRecordFieldsSize;
        if (static_cast<std::uint64_t>(entry.offset) + entry.size > dataSize)
            return false;
        parsed.push_back(std::move(entry));
    }
    entries = std::move(parsed);
    return true;
}

bool PackIndex::Parse(const std::uint8_t* pack, std::size_t size, std::vector<ResPackEntry>& entries)
{
    std::uint32_t indexOffset = 0;
    if (size < kTrailerSize || !ReadTrailer(pack + (size - kTrailerSize), size, indexOffset))
        return false;
    return ParseRecords(pack + indexOffset, size - kTrailerSize - indexOffset, indexOffset, entries);
}

void PackIndex::AppendRecord(std::vector<std::uint8_t>& out, std::string_view name, std::uint32_t key,
                             std::uint32_t offset, std::uint32_t size)
{
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    LittleEndian::AppendU32(out, key);
    LittleEndian::AppendU32(out, offset);
    LittleEndian::AppendU32(out, size);
}

void PackIndex::AppendEnd(std::vector<std::uint8_t>& out, std::uint32_t dataSize)
{
    out.push_back(0);
    LittleEndian::AppendU32(out, dataSize);
    LittleEndian::AppendU32(out, kMagic);
}
