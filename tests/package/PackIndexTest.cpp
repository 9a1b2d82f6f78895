// The pack index and trailer, and the CRC-32 of entry names: pure code that
// runs on the host and under Wine alike.
#include "package/Crc32.h"
#include "package/LittleEndian.h"
#include "package/PackIndex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Record {
    std::string name;
    std::string content;
};

// A well-formed pack of the given records, built with the shared writer.
Bytes BuildPack(const std::vector<Record>& records)
{
    Bytes data;
    Bytes index;
    for (const Record& record : records) {
        PackIndex::AppendRecord(index, record.name, Crc32::ComputeText(record.name),
                                static_cast<std::uint32_t>(data.size()),
                                static_cast<std::uint32_t>(record.content.size()));
        data.insert(data.end(), record.content.begin(), record.content.end());
    }
    PackIndex::AppendEnd(index, static_cast<std::uint32_t>(data.size()));
    data.insert(data.end(), index.begin(), index.end());
    return data;
}

Bytes Trailer(std::uint32_t indexOffset, std::uint32_t magic = PackIndex::kMagic)
{
    Bytes bytes;
    LittleEndian::AppendU32(bytes, indexOffset);
    LittleEndian::AppendU32(bytes, magic);
    return bytes;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(Crc32, StandardCheckValuesAndChaining)
{
    struct Case {
        std::string text;
        std::uint32_t crc;
    };
    const Case cases[] = {
        { "", 0x00000000 },
        { "a", 0xE8B7BE43 },
        { "123456789", 0xCBF43926 },
        { "The quick brown fox jumps over the lazy dog", 0x414FA339 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Crc32::ComputeText(c.text), c.crc) << c.text;
    EXPECT_EQ(Crc32::ComputeText("6789", Crc32::ComputeText("12345")), 0xCBF43926u);
    EXPECT_NE(Crc32::ComputeText("BG.png"), Crc32::ComputeText("bg.png"));
}

TEST(PackIndex, EmptyPackIsNineBytes)
{
    Bytes pack;
    PackIndex::AppendEnd(pack, 0);
    EXPECT_EQ(pack, (Bytes{ 0x00, 0x00, 0x00, 0x00, 0x00, 0xF5, 0x2C, 0x2A, 0x05 }));
    std::vector<ResPackEntry> entries(3);
    ASSERT_TRUE(PackIndex::Parse(pack.data(), pack.size(), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(PackIndex, RecordsRoundTripInOrder)
{
    const std::vector<Record> records = {
        { "bg.png", "picture" },
        { "empty.txt", "" },
        { "sub\\file.dat", std::string(1000, 'x') },
        { "a\\b\\c.txt", "deep" },
        { "\xD6\xD0\xCE\xC4.txt", "GBK name" },
    };
    const Bytes pack = BuildPack(records);
    std::vector<ResPackEntry> entries;
    ASSERT_TRUE(PackIndex::Parse(pack.data(), pack.size(), entries));
    ASSERT_EQ(entries.size(), records.size());
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(entries[i].name, records[i].name);
        EXPECT_EQ(entries[i].key, Crc32::ComputeText(records[i].name));
        EXPECT_EQ(entries[i].offset, offset);
        EXPECT_EQ(entries[i].size, records[i].content.size());
        EXPECT_EQ(std::string(pack.begin() + entries[i].offset, pack.begin() + entries[i].offset + entries[i].size),
                  records[i].content);
        offset += entries[i].size;
    }
    std::uint32_t indexOffset = 0;
    ASSERT_TRUE(PackIndex::ReadTrailer(pack.data() + pack.size() - 8, pack.size(), indexOffset));
    EXPECT_EQ(indexOffset, offset);
}

TEST(PackIndex, ReadStringStopsAtNul)
{
    const Bytes bytes = { 'a', 'b', 0, 0, 'c' };
    std::size_t cursor = 0;
    std::string text;
    ASSERT_TRUE(PackIndex::ReadString(bytes.data(), bytes.size(), cursor, text));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(cursor, 3u);
    ASSERT_TRUE(PackIndex::ReadString(bytes.data(), bytes.size(), cursor, text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(cursor, 4u);
    EXPECT_FALSE(PackIndex::ReadString(bytes.data(), bytes.size(), cursor, text));
    EXPECT_EQ(cursor, 4u);
}

// Inputs that must not open: each case is a whole pack.
std::vector<std::pair<std::string, Bytes>> CorruptPacks()
{
    const Bytes good = BuildPack({ { "one.txt", "0123456789" }, { "two.txt", "abc" } });
    std::vector<std::pair<std::string, Bytes>> cases;
    cases.emplace_back("7 bytes", Bytes{ 0x00, 0x00, 0x00, 0x00, 0xF5, 0x2C, 0x2A });
    cases.emplace_back("8 bytes, wrong magic", Trailer(0, 0x052A2CF6));
    cases.emplace_back("8 bytes, no room for the index end", Trailer(0));
    cases.emplace_back("index offset past the end", Concat(Bytes{ 0 }, Trailer(100)));
    cases.emplace_back("index offset at the trailer", Concat(Bytes{ 0, 0, 0, 0 }, Trailer(4)));
    {
        Bytes index;
        PackIndex::AppendRecord(index, "big.bin", Crc32::ComputeText("big.bin"), 2, 3);
        index.push_back(0);
        cases.emplace_back("record passes the index", Concat(Concat(Bytes{ 'x', 'y', 'z', 'w' }, index), Trailer(4)));
    }
    {
        Bytes index;
        PackIndex::AppendRecord(index, "wrap.bin", 0, 0xFFFFFFF0u, 0x20);
        index.push_back(0);
        cases.emplace_back("offset + size wraps", Concat(index, Trailer(0)));
    }
    cases.emplace_back("name without its NUL", Concat(Bytes{ 'n', 'a', 'm', 'e' }, Trailer(0)));
    {
        Bytes index = { 'n', 0, 1, 2, 3, 4, 5, 6, 7 };
        cases.emplace_back("record fields cut short", Concat(index, Trailer(0)));
    }
    {
        Bytes index;
        PackIndex::AppendRecord(index, "a", Crc32::ComputeText("a"), 0, 0);
        cases.emplace_back("no index end", Concat(index, Trailer(0)));
    }
    {
        Bytes cut(good.begin(), good.end() - 9);
        const Bytes tail(good.end() - 8, good.end());
        cases.emplace_back("index end missing before the trailer", Concat(cut, tail));
    }
    return cases;
}

TEST(PackIndex, CorruptPacksAreRejected)
{
    for (const auto& [label, pack] : CorruptPacks()) {
        std::vector<ResPackEntry> entries = { ResPackEntry{ "kept", 1, 2, 3 } };
        EXPECT_FALSE(PackIndex::Parse(pack.data(), pack.size(), entries)) << label;
        ASSERT_EQ(entries.size(), 1u) << label << ": entries replaced on failure";
    }
}

#ifdef TAVRIN_FUZZ_CORPUS_DIR
// The fuzzer's seed packs and any input it once crashed on (now mended): they
// parse or are refused, and what parses lies inside the input.
TEST(PackIndex, FuzzRegressionInputs)
{
    int count = 0;
    for (const auto& file : std::filesystem::directory_iterator(TAVRIN_FUZZ_CORPUS_DIR)) {
        std::ifstream in(file.path(), std::ios::binary);
        ASSERT_TRUE(in) << file.path();
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<ResPackEntry> entries;
        if (PackIndex::Parse(bytes.data(), bytes.size(), entries)) {
            for (const ResPackEntry& entry : entries)
                EXPECT_LE(static_cast<std::uint64_t>(entry.offset) + entry.size, bytes.size()) << file.path();
        }
        ++count;
    }
    EXPECT_GT(count, 0);
}
#endif
