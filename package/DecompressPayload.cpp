#include "package/DecompressPayload.h"

#include "package/LittleEndian.h"
#include "package/LzmaUncompress.h"

#include <Types.h>

#include <memory>
#include <new>

namespace {

// Payloads expanding by up to this much are decoded in place; real
// applications compress by a factor of a few.
constexpr std::uint64_t kDirectRatio = 64;

} // namespace

std::uint64_t MaxUnpackedSize(std::uint64_t streamSize)
{
    return streamSize * 16384 + 65536;
}

int DecompressPayload(const ByteBuffer& payload, ByteBuffer& out)
{
    out.clear();
    if (payload.size() < kPayloadTrailerSize)
        return SZ_ERROR_INPUT_EOF;
    const std::size_t streamSize = payload.size() - kPayloadTrailerSize;
    const std::uint8_t* trailer = payload.data() + streamSize;
    std::uint32_t unpackedSize = 0;
    LittleEndian::ReadU32(trailer, kPayloadTrailerSize, 5, unpackedSize);
    // A size no stream of this length can fill is a corrupt trailer; refusing
    // it here keeps a forged size from claiming gigabytes.
    if (unpackedSize > MaxUnpackedSize(streamSize))
        return SZ_ERROR_DATA;
    std::size_t destLength = unpackedSize;
    std::size_t sourceLength = streamSize;
    int result = SZ_OK;
    if (unpackedSize <= streamSize * kDirectRatio + 65536) {
        // The usual case: decode straight into out.
        try {
            out.assign(unpackedSize, 0);
        } catch (const std::bad_alloc&) {
            ByteBuffer().swap(out);
            return SZ_ERROR_MEM;
        }
        result = LzmaUncompress(out.data(), &destLength, payload.data(), &sourceLength, trailer, 5);
        out.resize(destLength);
        return result;
    }
    // A size far beyond the stream's: decode into a block whose pages are
    // touched only as output arrives, so that a forged size costs address
    // space rather than gigabytes of zeroing, and keep what was decoded.
    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[unpackedSize]);
    if (!block)
        return SZ_ERROR_MEM;
    result = LzmaUncompress(block.get(), &destLength, payload.data(), &sourceLength, trailer, 5);
    try {
        out.assign(block.get(), block.get() + destLength);
    } catch (const std::bad_alloc&) {
        ByteBuffer().swap(out);
        return SZ_ERROR_MEM;
    }
    return result;
}
