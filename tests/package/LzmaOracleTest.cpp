// Independent LZMA implementations as oracles (host only): xz's raw LZMA1
// streams decode with DecompressPayload, and the packing tool's payloads
// decode with xz and 7-Zip once given the 13-byte .lzma header. The tool
// itself is run as a program on a folder.
#include "package/DecompressPayload.h"
#include "package/LittleEndian.h"
#include "package/PackIndex.h"
#include "tools/FolderPacker.h"
#include "tools/PayloadEncoder.h"

#include "package/SampleData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <string>

namespace fs = std::filesystem;

namespace {

class ScratchFolder {
public:
    ScratchFolder()
    {
        m_path = fs::temp_directory_path() / ("tavrin-pack-test-" + std::to_string(::getpid()) + "-" +
                                              std::to_string(s_counter++));
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~ScratchFolder() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& Path() const { return m_path; }

private:
    static inline int s_counter = 0;
    fs::path m_path;
};

void WriteBytes(const std::string& path, const ByteBuffer& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ByteBuffer ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Shell(const std::string& command)
{
    return std::system((command + " 2>&1").c_str());
}

} // namespace

TEST(LzmaOracle, RawXzStreamsDecodeWithDecompressPayload)
{
    struct Case {
        const char* options;
        int lc, lp, pb;
        std::uint32_t dictionary;
    };
    const Case cases[] = {
        { "preset=6,lc=3,lp=0,pb=2,dict=1MiB", 3, 0, 2, 1u << 20 },
        { "preset=1,lc=0,lp=2,pb=0,dict=64KiB", 0, 2, 0, 1u << 16 },
        { "preset=9e,lc=4,lp=0,pb=4,dict=64MiB", 4, 0, 4, 1u << 26 },
    };
    ScratchFolder scratch;
    const ByteBuffer data = SampleData::Mixed(500000, 42);
    WriteBytes(scratch / "data", data);
    for (const Case& c : cases) {
        const std::string stream = scratch / "stream";
        ASSERT_EQ(Shell("xz --format=raw --lzma1=" + std::string(c.options) + " -c " + scratch / "data" + " > " +
                      stream),
                  0)
            << c.options;
        ByteBuffer payload = ReadBytes(stream);
        ASSERT_FALSE(payload.empty());
        payload.push_back(static_cast<std::uint8_t>((c.pb * 5 + c.lp) * 9 + c.lc));
        LittleEndian::AppendU32(payload, c.dictionary);
        LittleEndian::AppendU32(payload, static_cast<std::uint32_t>(data.size()));
        ByteBuffer out;
        EXPECT_EQ(DecompressPayload(payload, out), 0) << c.options;
        EXPECT_EQ(out, data) << c.options;
    }
}

TEST(LzmaOracle, ToolPayloadsDecodeWithXzAnd7Zip)
{
    ScratchFolder scratch;
    const ByteBuffer data = SampleData::Mixed(700000, 5);
    ByteBuffer payload;
    ASSERT_EQ(PayloadEncoder::Encode(data, payload), 0);
    // .lzma: the 5 property bytes, the unpacked size as u64, then the stream.
    const std::size_t streamSize = payload.size() - kPayloadTrailerSize;
    ByteBuffer alone(payload.begin() + streamSize, payload.begin() + streamSize + 5);
    LittleEndian::AppendU64(alone, data.size());
    alone.insert(alone.end(), payload.begin(), payload.begin() + streamSize);
    WriteBytes(scratch / "payload.lzma", alone);

    ASSERT_EQ(Shell("xz --format=lzma -dc " + scratch / "payload.lzma" + " > " + scratch / "xz.out"), 0);
    EXPECT_EQ(ReadBytes(scratch / "xz.out"), data);
    ASSERT_EQ(Shell("cd " + scratch.Path().string() + " && 7zz e -y -bd -o7z payload.lzma > /dev/null"), 0);
    EXPECT_EQ(ReadBytes(scratch / "7z/payload"), data);
}

TEST(PackTool, PacksListsAndVerifiesAFolder)
{
    ScratchFolder scratch;
    const std::string source = scratch / "source";
    WriteBytes(source + "/Zarvel.exe", SampleData::Mixed(5000, 1));
    WriteBytes(source + "/b.txt", ByteBuffer{ 'b' });
    WriteBytes(source + "/sub/deep/c.dat", SampleData::Mixed(70000, 2));
    WriteBytes(source + "/sub/a.txt", ByteBuffer{});
    const std::string tool = TAVRIN_PACK_TOOL;

    ASSERT_EQ(Shell(tool + " pack " + source + " " + scratch / "folder.pack"), 0);
    ASSERT_EQ(Shell(tool + " verify " + scratch / "folder.pack" + " " + source), 0);
    std::vector<ResPackEntry> entries;
    const ByteBuffer pack = ReadBytes(scratch / "folder.pack");
    ASSERT_TRUE(PackIndex::Parse(pack.data(), pack.size(), entries));
    std::vector<std::string> names;
    for (const ResPackEntry& entry : entries)
        names.push_back(entry.name);
    // Files of a folder first, then its subfolders.
    EXPECT_EQ(names, (std::vector<std::string>{ "Zarvel.exe", "b.txt", "sub\\a.txt", "sub\\deep\\c.dat" }));

    ASSERT_EQ(Shell(tool + " payload " + source + " " + scratch / "payload.bin"), 0);
    ASSERT_EQ(Shell(tool + " unpack " + scratch / "payload.bin" + " " + scratch / "unpacked.pack"), 0);
    EXPECT_EQ(ReadBytes(scratch / "unpacked.pack"), pack);

    // A changed file no longer verifies; nor does a pack of another folder.
    WriteBytes(source + "/b.txt", ByteBuffer{ 'B' });
    EXPECT_NE(Shell(tool + " verify " + scratch / "folder.pack" + " " + source), 0);
    EXPECT_NE(Shell(tool + " verify " + scratch / "payload.bin" + " " + source), 0);
    EXPECT_NE(Shell(tool + " pack " + scratch / "missing" + " " + scratch / "x.pack"), 0);
}
