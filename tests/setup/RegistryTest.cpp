#include "setup/Registry.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

using namespace WinTest;

namespace {

const wchar_t kTestKey[] = L"Software\\TavrinRegistryTest";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTree(HKEY_CURRENT_USER, kTestKey); }
};

} // namespace

TEST_F(RegistryTest, TextsRoundTripInGbkAndMissingOnesGiveTheFallback)
{
    const std::string folder = ToGbk(L"C:\\Program Files (x86)\\程序\\");
    EXPECT_EQ(Registry::ReadText(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Sub\\Path", "dflt"), "dflt");
    ASSERT_TRUE(Registry::WriteText(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Sub\\Path", folder));
    EXPECT_EQ(Registry::ReadText(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Sub\\Path", "dflt"), folder);

    std::wstring stored;
    ASSERT_TRUE(RegRead(HKEY_CURRENT_USER, std::wstring(kTestKey) + L"\\Sub", L"Path", &stored));
    EXPECT_EQ(stored, L"C:\\Program Files (x86)\\程序\\");

    ASSERT_TRUE(Registry::WriteText(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Empty", ""));
    EXPECT_EQ(Registry::ReadText(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Empty", "dflt"), "");
}

TEST_F(RegistryTest, DeleteTakesTheValueElseTheKeyOfTheFullPath)
{
    const std::wstring key = std::wstring(kTestKey) + L"\\Zarvel";
    RegWrite(HKEY_CURRENT_USER, key, L"Comments", L"c");
    RegWrite(HKEY_CURRENT_USER, key, L"DisplayName", L"d");

    EXPECT_TRUE(Registry::DeleteEntry(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Zarvel\\Comments"));
    EXPECT_FALSE(RegRead(HKEY_CURRENT_USER, key, L"Comments"));
    EXPECT_TRUE(RegRead(HKEY_CURRENT_USER, key, L"DisplayName"));

    // Not a value: the key of that name goes, but only once it is empty.
    RegWrite(HKEY_CURRENT_USER, key + L"\\Child", L"v", L"x");
    EXPECT_FALSE(Registry::DeleteEntry(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Zarvel"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key));
    RegDeleteTree(HKEY_CURRENT_USER, key + L"\\Child");
    EXPECT_TRUE(Registry::DeleteEntry(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Zarvel\\DisplayName"));
    EXPECT_TRUE(Registry::DeleteEntry(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Zarvel"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));

    EXPECT_FALSE(Registry::DeleteEntry(HKEY_CURRENT_USER, "Software\\TavrinRegistryTest\\Missing\\Value"));
}
