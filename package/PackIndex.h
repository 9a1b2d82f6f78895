// The index and trailer of a resource pack: parsing with every offset checked
// against the pack, and writing. Pure logic, shared by ResPack, the host
// packing tool and the fuzzer.
//
// Pack layout (integers are u32 little-endian; offsets count from byte 0):
//
//   0             +-------------------------------+
//                 | data area: every entry's      |
//                 | content back to back, in      |
//                 | index order, no padding       |
//   index offset  +-------------------------------+
//                 | record: name bytes, 00        |  name: relative GBK path,
//                 |         key     u32           |  '\\' between folders
//                 |         offset  u32           |  key: CRC-32 of name
//                 |         size    u32           |  offset: into data area
//                 | ... one record per entry      |
//                 | 00  (index end: empty name)   |
//   size - 8      +-------------------------------+
//                 | index offset  u32             |  = size of the data area
//                 | magic         u32             |  F5 2C 2A 05
//   size          +-------------------------------+
//
// A pack is at least 8 bytes; the empty pack is 00 00000000 F52C2A05.
#pragma once

#include "package/ResPackEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PackIndex {
public:
    static constexpr std::uint32_t kMagic = 0x052A2CF5;
    static constexpr std::size_t kTrailerSize = 8;
    static constexpr std::size_t kRecordFieldsSize = 12;

    // Checks the 8 trailer bytes of a pack of packSize bytes: the magic, and an
    // index offset that leaves room for at least the index end before the
    // trailer. Gives the index offset.
    static bool ReadTrailer(const std::uint8_t* trailer, std::uint64_t packSize, std::uint32_t& indexOffset);

    // Parses the index bytes [index, index + indexSize) (from the index offset
    // up to the trailer) into entries. Every record must be complete, its name
    // NUL-terminated, and its content inside the data area of dataSize bytes;
    // the index must end with an empty name. entries is replaced only on
    // success.
    static bool ParseRecords(const std::uint8_t* index, std::size_t indexSize, std::uint32_t dataSize,
                             std::vector<ResPackEntry>& entries);

    // Both steps over a whole pack held in memory.
    static bool Parse(const std::uint8_t* pack, std::size_t size, std::vector<ResPackEntry>& entries);

    // The NUL-terminated text at cursor within [data, data + size); the cursor
    // moves past the NUL. A text without its NUL within the range answers
    // false and leaves the cursor.
    static bool ReadString(const std::uint8_t* data, std::size_t size, std::size_t& cursor, std::string& text);

    // Writing: one record, then the index end with the trailer.
    static void AppendRecord(std::vector<std::uint8_t>& out, std::string_view name, std::uint32_t key,
                             std::uint32_t offset, std::uint32_t size);
    static void AppendEnd(std::vector<std::uint8_t>& out, std::uint32_t dataSize);
};
