// Reproducible test inputs: a mix of text-like and random bytes from a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SampleData {

inline std::vector<std::uint8_t> Mixed(std::size_t size, std::uint64_t seed)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size);
    std::uint64_t state = seed | 1;
    auto next = [&state] {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1DULL;
    };
    static const char* const kWords[] = { "pack ", "entry ", "index ", "payload ", "folder ", "name\r\n" };
    while (bytes.size() < size) {
        const std::uint64_t value = next();
        if (value % 3 == 0) {
            for (int i = 0; i < 8 && bytes.size() < size; ++i)
                bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        } else {
            for (const char* c = kWords[(value >> 8) % 6]; *c && bytes.size() < size; ++c)
                bytes.push_back(static_cast<std::uint8_t>(*c));
        }
    }
    return bytes;
}

} // namespace SampleData
