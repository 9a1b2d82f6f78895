#include "package/LzmaUncompress.h"

#include <LzmaDec.h>

#include <cstdlib>

namespace {

void* SdkAlloc(void*, size_t size) { return size ? std::malloc(size) : nullptr; }
void SdkFree(void*, void* address) { std::free(address); }

ISzAlloc g_sdkAlloc = { SdkAlloc, SdkFree };

} // namespace

int LzmaUncompress(unsigned char* dest, std::size_t* destLen, const unsigned char* src, std::size_t* srcLen,
                   const unsigned char* props, std::size_t propsSize)
{
    if (propsSize != LZMA_PROPS_SIZE)
        return SZ_ERROR_UNSUPPORTED;
    SizeT outSize = *destLen;
    SizeT inSize = *srcLen;
    ELzmaStatus status = LZMA_STATUS_NOT_SPECIFIED;
    const SRes result = LzmaDecode(dest, &outSize, src, &inSize, props, static_cast<unsigned>(propsSize),
                                   LZMA_FINISH_ANY, &status, &g_sdkAlloc);
    *destLen = outSize;
    *srcLen = inSize;
    return result;
}
