#include "ui/core/HostTrampolineCode.h"

namespace {

template <typename Array, typename Value>
void PutLittleEndian(Array& bytes, std::size_t offset, Value value)
{
    for (std::size_t i = 0; i < sizeof(Value); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

HostTrampoline32 BuildHostTrampoline32(std::uint32_t handle, std::uint32_t routine)
{
    HostTrampoline32 code{0xE8, 0x04, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0x59, 0xC7, 0x44, 0x24, 0x04, 0, 0, 0, 0, 0xFF, 0x21};
    PutLittleEndian(code, 5, routine);
    PutLittleEndian(code, 14, handle);
    return code;
}

HostTrampoline64 BuildHostTrampoline64(std::uint64_t handle, std::uint64_t routine)
{
    HostTrampoline64 code{0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0, 0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
    PutLittleEndian(code, 2, handle);
    PutLittleEndian(code, 12, routine);
    return code;
}
