// The payload that setup.exe carries: the resource holds exactly the bytes the
// build left as payload.bin, decompresses into the sample application's pack
// and extracts into the folder the build packed. The sample programs do what
// the installer relies on.
#include "package/DecompressPayload.h"
#include "package/PayloadResource.h"
#include "package/ResPack.h"
#include "setup/XmlTree.h"

#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace WinTest;

namespace {

std::wstring BuildFolder() { return ProgramFolder().substr(0, ProgramFolder().find_last_of(L'\\')); }

// The checkout's dist folder as Wine sees the host file system (drive Z:).
std::wstring DistFolder()
{
    std::wstring path = L"Z:" + FromGbk(TAVRIN_SOURCE_DIR) + L"/dist";
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return path;
}


// Machine and subsystem fields of a PE image.
struct PeInfo {
    unsigned machine = 0;
    unsigned subsystem = 0;
};

PeInfo ReadPe(const std::string& image)
{
    PeInfo info;
    if (image.size() < 0x40 || image.compare(0, 2, "MZ") != 0)
        return info;
    const auto u16 = [&](std::size_t at) {
        return at + 2 <= image.size() ? static_cast<unsigned>(static_cast<unsigned char>(image[at]) |
                                                               static_cast<unsigned char>(image[at + 1]) << 8)
                                      : 0u;
    };
    const std::size_t pe = u16(0x3C) | u16(0x3E) << 16;
    if (pe + 0x60 > image.size() || image.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        return info;
    info.machine = u16(pe + 4);
    info.subsystem = u16(pe + 24 + 68);
    return info;
}

class EmbeddedPayload : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        UniqueModule setup(LoadLibraryExW((ProgramFolder() + L"\\setup.exe").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(setup) << "setup.exe not found next to the test";
        s_payload = new ByteBuffer(LoadPayloadResource(setup.get()));
    }
    static void TearDownTestSuite()
    {
        delete s_payload;
        s_payload = nullptr;
    }
    static const ByteBuffer& Payload() { return *s_payload; }

private:
    static inline ByteBuffer* s_payload = nullptr;
};

} // namespace

TEST_F(EmbeddedPayload, IsTheBuildsPayloadFile)
{
    ASSERT_FALSE(Payload().empty());
    EXPECT_EQ(Payload(), ToBuffer(ReadFile(BuildFolder() + L"\\payload\\payload.bin")));
    EXPECT_EQ(Payload(), ToBuffer(ReadFile(DistFolder() + L"\\x64\\payload.bin")));
    // Both Windows builds embed the same bytes; the 32-bit one may not be built.
    if (!Exists(DistFolder() + L"\\payload.bin"))
        GTEST_SKIP() << "no 32-bit build to compare with";
    EXPECT_EQ(Payload(), ToBuffer(ReadFile(DistFolder() + L"\\payload.bin")));
}

TEST_F(EmbeddedPayload, DecompressesAndExtractsTheSampleApplication)
{
    ByteBuffer pack;
    ASSERT_EQ(DecompressPayload(Payload(), pack), 0);
    EXPECT_GT(pack.size(), 14u << 20);
    EXPECT_LT(pack.size(), 17u << 20);
    EXPECT_EQ(Payload()[Payload().size() - 9], 0x5D);

    ResPack resPack;
    ASSERT_TRUE(resPack.Open(nullptr, &pack));
    EXPECT_NE(resPack.FindEntry("Zarvel.exe"), 0u);
    EXPECT_NE(resPack.FindEntry("AutoUpdate.exe"), 0u);
    bool nested = false;
    for (const ResPackEntry& entry : resPack.Entries())
        nested = nested || entry.name.find('\\') != std::string::npos;
    EXPECT_TRUE(nested);

    TempFolder temp;
    const std::wstring target = temp / L"Zarvel";
    ASSERT_TRUE(resPack.ExtractAll(nullptr, &pack, ToGbk(target).c_str()));
    const auto installed = ReadTree(target);
    EXPECT_EQ(installed, ReadTree(BuildFolder() + L"\\payload\\app"));
    EXPECT_EQ(installed.size(), resPack.Entries().size());

    // The payload carries the 32-bit GUI programs of the product's platform.
    for (const wchar_t* program : { L"Zarvel.exe", L"AutoUpdate.exe" }) {
        const PeInfo info = ReadPe(installed.at(program));
        EXPECT_EQ(info.machine, 0x14Cu) << program;
        EXPECT_EQ(info.subsystem, 2u) << program;
    }
}

TEST_F(EmbeddedPayload, DamagedCopiesFailWithoutOutput)
{
    const std::size_t n = Payload().size();
    auto flipped = Payload();
    flipped[(n - 9) / 3] ^= 0x01;
    ByteBuffer truncated(Payload().begin(), Payload().begin() + (n - 9) / 2);
    truncated.insert(truncated.end(), Payload().end() - 9, Payload().end());
    auto huge = Payload();
    for (std::size_t i = n - 4; i < n; ++i)
        huge[i] = 0xFF;
    const std::pair<const char*, ByteBuffer> cases[] = {
        { "flipped bit", flipped }, { "truncated stream", truncated }, { "unpacked size 0xFFFFFFFF", huge } };
    for (const auto& [label, payload] : cases) {
        ByteBuffer out;
        EXPECT_NE(DecompressPayload(payload, out), 0) << label;
    }
}

TEST(SampleApplication, AutoUpdateListsEveryFileOfItsFolder)
{
    TempFolder temp;
    const std::wstring folder = temp / L"app";
    MakeFolders(folder + L"\\skin\\dark");
    WriteFile(folder + L"\\Zarvel.exe", "app");
    WriteFile(folder + L"\\skin\\main.png", "png");
    WriteFile(folder + L"\\skin\\dark\\a&b.png", "png");
    WriteFile(folder + L"\\updatelist.xml", "stale list");
    CopyTo(BuildFolder() + L"\\sample\\bin\\AutoUpdate.exe", folder + L"\\AutoUpdate.exe");

    Process updater = Process::Start(folder + L"\\AutoUpdate.exe");
    ASSERT_TRUE(updater.WaitExit());
    EXPECT_EQ(updater.ExitCode(), 0u);

    XmlTree list;
    ASSERT_TRUE(list.Load(ToGbk(folder + L"\\updatelist.xml")));
    std::set<std::string> names;
    const int count = list.ChildCount("root/files");
    for (int i = 1; i <= count; ++i)
        names.insert(list.Attribute("root/files/@" + std::to_string(i), "name"));
    EXPECT_EQ(names, (std::set<std::string>{ "AutoUpdate.exe", "Zarvel.exe", "skin\\main.png",
                                              "skin\\dark\\a&b.png" }));
}

TEST(SampleApplication, ZarvelShowsItsWindowUntilClosed)
{
    Process app = Process::Start(BuildFolder() + L"\\sample\\bin\\Zarvel.exe");
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowW(L"ZarvelSampleWindow", L"Zarvel")) != nullptr; }));
    EXPECT_TRUE(app.Running());
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}
