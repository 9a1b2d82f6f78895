#include "package/PayloadResource.h"

ByteBuffer LoadPayloadResource(HMODULE module)
{
    HRSRC resource = FindResourceA(module, kPayloadResourceName, RT_RCDATA);
    if (!resource)
        return {};
    const DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    const auto* begin = static_cast<const std::uint8_t*>(bytes);
    return ByteBuffer(begin, begin + size);
}
