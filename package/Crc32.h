// The standard CRC-32 (reflected polynomial 0xEDB88320), table driven and
// free of system calls. Compute(data, size, start) equals what ntdll's
// RtlComputeCrc32(start, data, size) answers; with start 0 it is the key of a
// resource pack entry name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class Crc32 {
public:
    static std::uint32_t Compute(const void* data, std::size_t size, std::uint32_t start = 0);
    static std::uint32_t ComputeText(std::string_view text, std::uint32_t start = 0)
    {
        return Compute(text.data(), text.size(), start);
    }
};
