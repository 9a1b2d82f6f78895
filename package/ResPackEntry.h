// One record of a resource pack's index.
#pragma once

#include <cstdint>
#include <string>

struct ResPackEntry {
    std::string name;        // GBK, relative, subfolders separated by '\\'
    std::uint32_t offset = 0; // of the content in the data area
    std::uint32_t size = 0;
    std::uint32_t key = 0;    // CRC-32 of name
};
