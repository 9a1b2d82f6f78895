// ResPack under Wine on real files: building, opening from a file and from
// memory, lookup, extraction, corrupt and unsafe packs, and agreement with the
// packing tool's writer and reader.
#include "package/Crc32.h"
#include "package/LittleEndian.h"
#include "package/PackIndex.h"
#include "package/ResPack.h"
#include "package/SystemCrc32.h"
#include "tools/FolderPacker.h"

#include "package/SampleData.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>
#include <string>

using namespace WinTest;

namespace {

std::string Bytes(const ByteBuffer& buffer) { return std::string(buffer.begin(), buffer.end()); }
std::string Gbk(const std::wstring& path) { return ToGbk(path); }

// The sample tree used by most cases: top files, a subfolder and a deep one.
std::map<std::wstring, std::string> SampleTree()
{
    const ByteBuffer big = SampleData::Mixed(3 << 20, 9);
    return {
        { L"a.txt", "alpha" },
        { L"bg.png", "picture bytes" },
        { L"empty.dat", "" },
        { L"sub\\file.dat", Bytes(SampleData::Mixed(70000, 4)) },
        { L"a\\b\\c.txt", "deep" },
        { L"big.bin", Bytes(big) },
        { L"\x4E2D\x6587.txt", "GBK name" },
        // GBK 87 5C: a trail byte that is a backslash.
        { L"\x5630\\inner.txt", "folder named with a 0x5C trail byte" },
    };
}

// The tool takes host file names as they come; keep to ASCII names with it.
std::map<std::wstring, std::string> AsciiNamesOnly(std::map<std::wstring, std::string> files)
{
    for (auto it = files.begin(); it != files.end();) {
        bool ascii = true;
        for (wchar_t c : it->first)
            ascii = ascii && c < 0x80;
        it = ascii ? std::next(it) : files.erase(it);
    }
    return files;
}

void WriteTree(const std::wstring& folder, const std::map<std::wstring, std::string>& files)
{
    for (const auto& [name, content] : files) {
        const std::wstring path = folder + L"\\" + name;
        MakeFolders(path.substr(0, path.find_last_of(L'\\')));
        WriteFile(path, content);
    }
}

ByteBuffer PackOf(const std::wstring& folder, const std::wstring& output)
{
    ResPack pack;
    EXPECT_TRUE(pack.Pack(Gbk(folder).c_str(), Gbk(output).c_str()));
    return ToBuffer(ReadFile(output));
}

} // namespace

TEST(SystemCrc32, MatchesTheIndependentCrc32)
{
    ASSERT_TRUE(SystemCrc32::Available()) << "RtlComputeCrc32 not found in ntdll";
    const std::string texts[] = { "", "a", "123456789", "bg.png", "BG.png", "sub\\file.dat",
                                  "\xD6\xD0\xCE\xC4\\\xB1\xED.txt" };
    for (const std::string& text : texts)
        EXPECT_EQ(SystemCrc32::ComputeText(text), Crc32::ComputeText(text)) << text;
    EXPECT_EQ(SystemCrc32::ComputeText("123456789"), 0xCBF43926u);
    const ByteBuffer block = SampleData::Mixed(1 << 20, 77);
    EXPECT_EQ(SystemCrc32::Compute(block.data(), block.size(), 0x12345678),
              Crc32::Compute(block.data(), block.size(), 0x12345678));
}

TEST(ResPack, EmptyFolderGivesTheNineBytePack)
{
    TempFolder temp;
    MakeFolders(temp / L"empty");
    const ByteBuffer bytes = PackOf(temp / L"empty", temp / L"empty.pack");
    EXPECT_EQ(bytes, (ByteBuffer{ 0x00, 0x00, 0x00, 0x00, 0x00, 0xF5, 0x2C, 0x2A, 0x05 }));
    EXPECT_FALSE(Exists(temp / L"empty.pack.Header"));
    EXPECT_FALSE(Exists(temp / L"empty.pack.Data"));

    ResPack pack;
    ASSERT_TRUE(pack.Open(Gbk(temp / L"empty.pack").c_str()));
    EXPECT_TRUE(pack.IsOpen());
    EXPECT_TRUE(pack.Entries().empty());
    MakeFolders(temp / L"out");
    EXPECT_TRUE(pack.ExtractAll(nullptr, &bytes, Gbk(temp / L"out").c_str()));
    EXPECT_FALSE(pack.IsOpen());
    EXPECT_TRUE(ReadTree(temp / L"out").empty());
}

TEST(ResPack, PackThenOpenFromFileAndFromMemory)
{
    TempFolder temp;
    const auto files = SampleTree();
    WriteTree(temp / L"src", files);
    // An older pack and stale temporary files are replaced.
    WriteFile(temp / L"tree.pack", "old");
    WriteFile(temp / L"tree.pack.Header", "stale");
    const ByteBuffer bytes = PackOf(temp / L"src", temp / L"tree.pack");
    EXPECT_FALSE(Exists(temp / L"tree.pack.Header"));

    ResPack fromFile;
    ResPack fromMemory;
    ASSERT_TRUE(fromFile.Open(Gbk(temp / L"tree.pack").c_str()));
    ASSERT_TRUE(fromMemory.Open(nullptr, &bytes));
    for (ResPack* pack : { &fromFile, &fromMemory }) {
        ASSERT_EQ(pack->Entries().size(), files.size());
        for (const auto& [name, content] : files) {
            const std::string gbk = Gbk(name);
            EXPECT_NE(pack->FindEntry(gbk.c_str()), 0u) << gbk;
            EXPECT_EQ(Bytes(pack->GetData(gbk.c_str())), content) << gbk;
        }
        // Files of a folder come before the contents of its subfolders.
        std::size_t lastTop = 0;
        std::size_t firstNested = pack->Entries().size();
        for (std::size_t i = 0; i < pack->Entries().size(); ++i) {
            const std::string& name = pack->Entries()[i].name;
            EXPECT_NE(name[0], '\\');
            if (name.find('\\') == std::string::npos)
                lastTop = i;
            else
                firstNested = std::min(firstNested, i);
        }
        EXPECT_LT(lastTop, firstNested);
        EXPECT_TRUE(pack->GetData("missing.txt").empty());
    }
    // The memory source is a private copy: the caller's buffer may go.
    ByteBuffer copy = bytes;
    ResPack fromCopy;
    ASSERT_TRUE(fromCopy.Open(nullptr, &copy));
    const std::string first = fromCopy.Entries().front().name;
    ByteBuffer().swap(copy);
    EXPECT_EQ(Bytes(fromCopy.GetData(first.c_str())), files.at(FromGbk(first)));
    fromCopy.Close();
    EXPECT_FALSE(fromCopy.IsOpen());
    EXPECT_TRUE(fromCopy.GetData(first.c_str()).empty());
}

TEST(ResPack, FindEntryComparesKeysCaseSensitively)
{
    TempFolder temp;
    WriteTree(temp / L"src", { { L"bg.png", "lower" }, { L"Sub\\Icon.PNG", "mixed" } });
    const ByteBuffer bytes = PackOf(temp / L"src", temp / L"p.pack");
    ResPack pack;
    ASSERT_TRUE(pack.Open(nullptr, &bytes));
    EXPECT_EQ(pack.FindEntry("bg.png"), 1u);
    EXPECT_EQ(pack.FindEntry("BG.png"), 0u);
    EXPECT_TRUE(pack.GetData("BG.png").empty());
    EXPECT_EQ(pack.FindEntry("Sub\\Icon.PNG"), 2u);
    EXPECT_EQ(pack.FindEntry("sub\\icon.png"), 0u);
    EXPECT_EQ(pack.ReadIndexString(), "bg.png");
}

TEST(ResPack, ExtractAllWithAndWithoutTrailingBackslash)
{
    TempFolder temp;
    const auto files = SampleTree();
    WriteTree(temp / L"src", files);
    const ByteBuffer bytes = PackOf(temp / L"src", temp / L"tree.pack");
    struct Case {
        const wchar_t* target;
        bool fromFile;
    };
    for (const Case& c : { Case{ L"plain", false }, Case{ L"slash\\", false }, Case{ L"file", true },
                           Case{ L"new\\nested\\folder", true } }) {
        const std::wstring target = temp / c.target;
        ResPack pack;
        const bool done = c.fromFile ? pack.ExtractAll(Gbk(temp / L"tree.pack").c_str(), nullptr, Gbk(target).c_str())
                                     : pack.ExtractAll(nullptr, &bytes, Gbk(target).c_str());
        ASSERT_TRUE(done) << c.target;
        EXPECT_FALSE(pack.IsOpen());
        EXPECT_EQ(ReadTree(target), files) << c.target;
    }
    // Existing files are replaced; the open pack is used when no source is given.
    const std::wstring target = temp / L"plain";
    WriteFile(target + L"\\a.txt", "something much longer than alpha");
    ResPack pack;
    ASSERT_TRUE(pack.Open(nullptr, &bytes));
    ASSERT_TRUE(pack.ExtractAll(nullptr, nullptr, Gbk(target).c_str()));
    EXPECT_EQ(ReadFile(target + L"\\a.txt"), "alpha");
    EXPECT_FALSE(pack.ExtractAll(nullptr, nullptr, Gbk(target).c_str())) << "nothing open any more";
}

TEST(ResPack, CorruptPacksDoNotOpenAndWriteNothing)
{
    auto trailer = [](std::uint32_t offset, std::uint32_t magic = PackIndex::kMagic) {
        ByteBuffer bytes;
        LittleEndian::AppendU32(bytes, offset);
        LittleEndian::AppendU32(bytes, magic);
        return bytes;
    };
    auto join = [](ByteBuffer a, const ByteBuffer& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    ByteBuffer pastIndex = { 'x', 'y', 'z', 'w' };
    PackIndex::AppendRecord(pastIndex, "big.bin", Crc32::ComputeText("big.bin"), 2, 3);
    pastIndex.push_back(0);
    const std::pair<const char*, ByteBuffer> cases[] = {
        { "7 bytes", ByteBuffer{ 0, 0, 0, 0, 0xF5, 0x2C, 0x2A } },
        { "8 bytes, wrong magic", trailer(0, 0x12345678) },
        { "index offset past the end", join(ByteBuffer{ 0 }, trailer(1000)) },
        { "record passes the index", join(pastIndex, trailer(4)) },
        { "name without its NUL", join(ByteBuffer{ 'n', 'a', 'm', 'e' }, trailer(0)) },
    };
    TempFolder temp;
    for (const auto& [label, bytes] : cases) {
        const std::wstring file = temp / L"corrupt.pack";
        WriteFile(file, Bytes(bytes));
        ResPack pack;
        EXPECT_FALSE(pack.Open(nullptr, &bytes)) << label;
        EXPECT_FALSE(pack.IsOpen()) << label;
        EXPECT_FALSE(pack.Open(Gbk(file).c_str())) << label;
        EXPECT_FALSE(pack.ExtractAll(nullptr, &bytes, Gbk(temp / L"out").c_str())) << label;
        EXPECT_FALSE(pack.ExtractAll(Gbk(file).c_str(), nullptr, Gbk(temp / L"out").c_str())) << label;
        EXPECT_FALSE(Exists(temp / L"out")) << label;
    }
    ResPack pack;
    EXPECT_FALSE(pack.Open(Gbk(temp / L"missing.pack").c_str()));
    EXPECT_FALSE(pack.Open(nullptr, nullptr));
}

TEST(ResPack, NamesThatLeaveTheTargetAreRefusedBeforeWriting)
{
    const char* const names[] = { "..\\evil.txt", "a\\..\\..\\evil.txt", "\\evil.txt", "C:\\evil.txt",
                                  "C:evil.txt", "sub\\..\\..\\evil.txt" };
    TempFolder temp;
    const std::wstring target = temp / L"inner\\target";
    MakeFolders(target);
    for (const char* bad : names) {
        // A harmless entry first: it must not be written either.
        ByteBuffer bytes = ToBuffer("firstbad");
        ByteBuffer index;
        PackIndex::AppendRecord(index, "first.txt", Crc32::ComputeText("first.txt"), 0, 5);
        PackIndex::AppendRecord(index, bad, Crc32::ComputeText(bad), 5, 3);
        PackIndex::AppendEnd(index, 8);
        bytes.insert(bytes.end(), index.begin(), index.end());
        ResPack pack;
        EXPECT_TRUE(pack.Open(nullptr, &bytes)) << bad << ": the layout itself is sound";
        EXPECT_FALSE(pack.ExtractAll(nullptr, &bytes, Gbk(target).c_str())) << bad;
        EXPECT_TRUE(ReadTree(temp.Path()).empty()) << bad;
    }
}

TEST(ResPack, AgreesWithThePackingToolBothWays)
{
    TempFolder temp;
    const auto files = AsciiNamesOnly(SampleTree());
    WriteTree(temp / L"src", files);
    // Product writer -> tool reader.
    const ByteBuffer productPack = PackOf(temp / L"src", temp / L"product.pack");
    std::string why;
    EXPECT_TRUE(FolderPacker::Matches(productPack, Gbk(temp / L"src"), why)) << why;
    // Tool writer -> product reader.
    FolderPacker packer;
    ByteBuffer toolPack;
    ASSERT_TRUE(packer.Pack(Gbk(temp / L"src"), toolPack)) << packer.Error();
    EXPECT_EQ(toolPack.size(), productPack.size());
    ResPack pack;
    ASSERT_TRUE(pack.ExtractAll(nullptr, &toolPack, Gbk(temp / L"out").c_str()));
    EXPECT_EQ(ReadTree(temp / L"out"), files);
}

// Leaves a product-built pack and its source folder in the build folder for
// the next check, package_tool_reads_product_pack, which runs the native
// packing tool on them.
TEST(ResPack, LeavesAPackForTheNativeTool)
{
    const std::wstring build = ProgramFolder().substr(0, ProgramFolder().find_last_of(L'\\'));
    const std::wstring folder = build + L"\\roundtrip";
    RemoveTree(folder);
    const auto files = AsciiNamesOnly(SampleTree());
    WriteTree(folder + L"\\src", files);
    const ByteBuffer bytes = PackOf(folder + L"\\src", folder + L"\\product.pack");
    EXPECT_GT(bytes.size(), 3u << 20);
}

TEST(CreateDirectoryPath, CreatesEveryMissingFolder)
{
    TempFolder temp;
    // U+5630 is GBK 87 5C: its trail byte must not split the path.
    const std::wstring deep = temp / L"one\\\x5630\\three";
    CreateDirectoryPath(Gbk(deep));
    EXPECT_TRUE(Exists(deep));
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW((temp / L"one\\*").c_str(), &found));
    ASSERT_TRUE(find);
    std::vector<std::wstring> names;
    do {
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..")
            names.push_back(found.cFileName);
    } while (FindNextFileW(find.get(), &found));
    EXPECT_EQ(names, std::vector<std::wstring>{ L"\x5630" });
    CreateDirectoryPath(Gbk(deep));
    EXPECT_TRUE(Exists(deep));
}
