// DecompressPayload and the LzmaUncompress adapter over streams from the SDK's
// encoder (the packing tool's), intact and damaged.
#include "package/DecompressPayload.h"
#include "package/LittleEndian.h"
#include "package/LzmaUncompress.h"
#include "tools/PayloadEncoder.h"

#include "package/SampleData.h"

#include <Types.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

ByteBuffer Encode(const ByteBuffer& data)
{
    ByteBuffer payload;
    EXPECT_EQ(PayloadEncoder::Encode(data, payload), SZ_OK);
    return payload;
}

} // namespace

TEST(DecompressPayload, RoundTripsAndKeepsTheTrailerLayout)
{
    for (std::size_t size : { 0u, 1u, 4096u, 300000u }) {
        const ByteBuffer data = SampleData::Mixed(size, size + 7);
        const ByteBuffer payload = Encode(data);
        ASSERT_GE(payload.size(), kPayloadTrailerSize);
        const std::size_t n = payload.size();
        EXPECT_EQ(payload[n - 9], 0x5D) << "lc 3, lp 0, pb 2";
        std::uint32_t unpacked = 0;
        ASSERT_TRUE(LittleEndian::ReadU32(payload.data(), n, n - 4, unpacked));
        EXPECT_EQ(unpacked, size);
        ByteBuffer out = { 1, 2, 3 };
        EXPECT_EQ(DecompressPayload(payload, out), SZ_OK) << size;
        EXPECT_EQ(out, data) << size;
    }
}

TEST(LzmaUncompress, ReportsLengthsAndRefusesBadProperties)
{
    const ByteBuffer data = SampleData::Mixed(20000, 3);
    const ByteBuffer payload = Encode(data);
    const std::size_t streamSize = payload.size() - kPayloadTrailerSize;
    const unsigned char* props = payload.data() + streamSize;

    ByteBuffer out(data.size());
    std::size_t destLength = out.size();
    std::size_t sourceLength = streamSize;
    ASSERT_EQ(LzmaUncompress(out.data(), &destLength, payload.data(), &sourceLength, props, 5), SZ_OK);
    EXPECT_EQ(destLength, data.size());
    EXPECT_LE(sourceLength, streamSize);
    EXPECT_GT(sourceLength, streamSize - 8);
    EXPECT_EQ(out, data);

    // Half the output: decoding stops there and reports what it consumed.
    destLength = data.size() / 2;
    sourceLength = streamSize;
    ASSERT_EQ(LzmaUncompress(out.data(), &destLength, payload.data(), &sourceLength, props, 5), SZ_OK);
    EXPECT_EQ(destLength, data.size() / 2);
    EXPECT_LT(sourceLength, streamSize);

    destLength = out.size();
    sourceLength = streamSize;
    EXPECT_EQ(LzmaUncompress(out.data(), &destLength, payload.data(), &sourceLength, props, 4), SZ_ERROR_UNSUPPORTED);
    const unsigned char badProps[5] = { 225, 0, 0, 1, 0 };
    EXPECT_EQ(LzmaUncompress(out.data(), &destLength, payload.data(), &sourceLength, badProps, 5),
              SZ_ERROR_UNSUPPORTED);
}

TEST(DecompressPayload, DamagedPayloadsEndInTheDecoderError)
{
    const ByteBuffer data = SampleData::Mixed(200000, 11);
    const ByteBuffer good = Encode(data);
    const std::size_t streamSize = good.size() - kPayloadTrailerSize;
    auto withUnpackedSize = [&](std::uint32_t size) {
        ByteBuffer payload(good.begin(), good.end() - 4);
        LittleEndian::AppendU32(payload, size);
        return payload;
    };
    auto truncated = [&] {
        ByteBuffer payload(good.begin(), good.begin() + streamSize / 2);
        payload.insert(payload.end(), good.end() - kPayloadTrailerSize, good.end());
        return payload;
    }();
    auto flipped = good;
    flipped[streamSize / 10] ^= 0x10;
    auto badProps = good;
    badProps[streamSize] = 225;

    struct Case {
        const char* label;
        ByteBuffer payload;
        int expected;
    };
    const Case cases[] = {
        { "shorter than the trailer", ByteBuffer(8, 0), SZ_ERROR_INPUT_EOF },
        { "truncated stream", truncated, SZ_ERROR_INPUT_EOF },
        { "flipped bit in the stream", flipped, SZ_ERROR_DATA },
        { "unpacked size 0xFFFFFFFF", withUnpackedSize(0xFFFFFFFFu), SZ_ERROR_DATA },
        { "unpacked size beyond the stream", withUnpackedSize(static_cast<std::uint32_t>(data.size() + 5000)),
          SZ_ERROR_INPUT_EOF },
        { "unsupported properties", badProps, SZ_ERROR_UNSUPPORTED },
    };
    for (const Case& c : cases) {
        ByteBuffer out;
        EXPECT_EQ(DecompressPayload(c.payload, out), c.expected) << c.label;
        EXPECT_LT(out.size(), data.size() + 1) << c.label;
    }
    // What was decoded before the stream ran out is kept, and is right.
    ByteBuffer out;
    ASSERT_EQ(DecompressPayload(truncated, out), SZ_ERROR_INPUT_EOF);
    EXPECT_GT(out.size(), data.size() / 4);
    EXPECT_LT(out.size(), data.size());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));
}

TEST(DecompressPayload, SizeLimitAdmitsTheBestCompressionTheEncoderAchieves)
{
    // Zeros compress about as well as LZMA can: the limit must still admit them.
    const ByteBuffer zeros(4 << 20, 0);
    ByteBuffer payload;
    ASSERT_EQ(PayloadEncoder::Encode(zeros, payload, 9), SZ_OK);
    const std::size_t streamSize = payload.size() - kPayloadTrailerSize;
    EXPECT_LT(zeros.size(), MaxUnpackedSize(streamSize) / 2);
    ByteBuffer out;
    ASSERT_EQ(DecompressPayload(payload, out), SZ_OK);
    EXPECT_EQ(out, zeros);
}
