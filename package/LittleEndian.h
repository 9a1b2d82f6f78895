// Fixed-width little-endian fields of the package formats. Readers take a
// byte range and an offset and refuse fields that do not fit inside it, so
// untrusted offsets never become raw pointer arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace LittleEndian {

// u32 at offset of [data, data + size); false when it does not fit.
inline bool ReadU32(const std::uint8_t* data, std::size_t size, std::size_t offset, std::uint32_t& value)
{
    if (offset > size || size - offset < 4)
        return false;
    const std::uint8_t* p = data + offset;
    value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return true;
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void AppendU64(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace LittleEndian
