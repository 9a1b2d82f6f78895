// CRC-32 through ntdll's RtlComputeCrc32, resolved by name once. Where the
// export is missing the table-driven Crc32 gives the same values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class SystemCrc32 {
public:
    static std::uint32_t Compute(const void* data, std::size_t size, std::uint32_t start = 0);
    static std::uint32_t ComputeText(std::string_view text, std::uint32_t start = 0)
    {
        return Compute(text.data(), text.size(), start);
    }
    // True when RtlComputeCrc32 was found in ntdll.
    static bool Available();
};
