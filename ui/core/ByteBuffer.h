// A counted byte array: embedded images, the payload, decompressed data,
// UTF-16 texts held by elements and extracted file contents.
#pragma once

#include <cstdint>
#include <vector>

using ByteBuffer = std::vector<std::uint8_t>;
