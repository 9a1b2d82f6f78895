#include "package/SystemCrc32.h"

#include "package/Crc32.h"

#include <windows.h>

namespace {

using RtlComputeCrc32Fn = DWORD(WINAPI*)(DWORD initial, const BYTE* data, INT length);

RtlComputeCrc32Fn Resolve()
{
    static const RtlComputeCrc32Fn function = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll ? reinterpret_cast<RtlComputeCrc32Fn>(
                           reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlComputeCrc32")))
                     : nullptr;
    }();
    return function;
}

} // namespace

bool SystemCrc32::Available()
{
    return Resolve() != nullptr;
}

std::uint32_t SystemCrc32::Compute(const void* data, std::size_t size, std::uint32_t start)
{
    const RtlComputeCrc32Fn function = Resolve();
    // The export takes an INT length; longer inputs go through in pieces.
    if (!function)
        return Crc32::Compute(data, size, start);
    const auto* bytes = static_cast<const BYTE*>(data);
    std::uint32_t crc = start;
    constexpr std::size_t kPiece = 0x40000000;
    do {
        const std::size_t piece = size < kPiece ? size : kPiece;
        crc = function(crc, bytes, static_cast<INT>(piece));
        bytes += piece;
        size -= piece;
    } while (size != 0);
    return crc;
}
