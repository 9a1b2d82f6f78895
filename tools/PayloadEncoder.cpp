#include "tools/PayloadEncoder.h"

#include "package/DecompressPayload.h"
#include "package/LittleEndian.h"

#include <LzmaEnc.h>

#include <cstdlib>

namespace {

void* SdkAlloc(void*, size_t size) { return size ? std::malloc(size) : nullptr; }
void SdkFree(void*, void* address) { std::free(address); }
ISzAlloc g_sdkAlloc = { SdkAlloc, SdkFree };

} // namespace

int PayloadEncoder::Encode(const ByteBuffer& pack, ByteBuffer& payload, int level, std::uint32_t dictionarySize)
{
    if (pack.size() > 0xFFFFFFFFu)
        return SZ_ERROR_PARAM;
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = level;
    props.lc = 3;
    props.lp = 0;
    props.pb = 2;
    props.numThreads = 1;
    if (dictionarySize == 0) {
        dictionarySize = 1 << 16;
        while (dictionarySize < pack.size() && dictionarySize < (1u << 26))
            dictionarySize <<= 1;
    }
    props.dictSize = dictionarySize;
    props.reduceSize = static_cast<UInt32>(pack.size());
    // Worst case: incompressible input grows by a little.
    payload.resize(pack.size() + pack.size() / 32 + 4096);
    SizeT destLength = payload.size();
    Byte encodedProps[LZMA_PROPS_SIZE];
    SizeT propsSize = LZMA_PROPS_SIZE;
    const SRes result = LzmaEncode(payload.data(), &destLength, pack.data(), pack.size(), &props, encodedProps,
                                   &propsSize, 0, nullptr, &g_sdkAlloc, &g_sdkAlloc);
    if (result != SZ_OK) {
        payload.clear();
        return result;
    }
    payload.resize(destLength);
    payload.insert(payload.end(), encodedProps, encodedProps + LZMA_PROPS_SIZE);
    LittleEndian::AppendU32(payload, static_cast<std::uint32_t>(pack.size()));
    return SZ_OK;
}
