#include "setup/GbkText.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

// GBK bytes written as escapes so that this file means the same to every
// compiler: "\xB2\xE2\xCA\xD4" is 测试; "\x95\x5C" is a character whose trail
// byte is a backslash.
namespace {
const std::string kTest = "\xB2\xE2\xCA\xD4";
const std::string kTrailBackslash = "\x95\x5C";
} // namespace

#ifdef _WIN32
TEST(GbkLiteral, CompilesToGbkBytes)
{
    const std::string literal = "安装目录：";
    EXPECT_EQ(literal, "\xB0\xB2\xD7\xB0\xC4\xBF\xC2\xBC\xA3\xBA"s);
}
#endif

TEST(GbkText, LowerAsciiLeavesDoubleByteCharacters)
{
    struct Case {
        std::string input, expected;
    } cases[] = {
        {"ZARVEL.EXE", "zarvel.exe"},
        {"Zarvel.exe", "zarvel.exe"},
        {"", ""},
        // 0xC1 0x41 is one character: its trail byte 'A' stays upper case.
        {"\xC1\x41" "B", "\xC1\x41" "b"},
        {kTest + "ABC.exe", kTest + "abc.exe"},
        {"@[`{", "@[`{"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkText::LowerAscii(c.input), c.expected) << c.input;
}

TEST(GbkText, FileNamePartStepsOverTrailBackslashes)
{
    struct Case {
        std::string path, expected;
    } cases[] = {
        {"C:\\dir\\uninstall.exe", "uninstall.exe"},
        {"uninstall.exe", "uninstall.exe"},
        {"C:\\dir\\", ""},
        {"", ""},
        {"C:\\" + kTrailBackslash + "uninstall.exe", kTrailBackslash + "uninstall.exe"},
        {"C:\\" + kTrailBackslash + "\\a.exe", "a.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkText::FileNamePart(c.path), c.expected) << c.path;
}

TEST(GbkText, ContainedRelativePaths)
{
    struct Case {
        std::string path;
        bool contained;
    } cases[] = {
        {"Zarvel.exe", true},
        {"sub\\file.dat", true},
        {"sub/file.dat", true},
        {kTest + "\\" + kTest + ".txt", true},
        {kTrailBackslash + ".txt", true},
        {"a..b\\c", true},
        {"", false},
        {"..\\victim.txt", false},
        {"../victim.txt", false},
        {"sub\\..\\..\\victim.txt", false},
        {"sub\\..", false},
        {"..", false},
        {".", false},
        {"...", false},
        {". .\\x", false},
        {"C:\\victim.txt", false},
        {"C:victim.txt", false},
        {"\\victim.txt", false},
        {"/victim.txt", false},
        {"\\\\server\\share\\victim.txt", false},
        {"file.txt:stream", false},
        {"sub\\\\file", false},
        {"sub\\", false},
        {"name\xB2", false},   // ends inside a double-byte character
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkText::IsContainedRelativePath(c.path), c.contained) << c.path;
}

TEST(GbkText, SplitKeepsDoubleByteCharactersWhole)
{
    const std::string path = "a\\" + kTrailBackslash + "b/c";
    const auto parts = GbkText::SplitPathComponents(path);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], "a");
    EXPECT_EQ(parts[1], kTrailBackslash + "b");
    EXPECT_EQ(parts[2], "c");
}
