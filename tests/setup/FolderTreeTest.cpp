#include "setup/FolderTree.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <winioctl.h>

#include <cstring>
#include <vector>

using WinTest::TempFolder;

namespace {

// Makes link a junction to target (an existing folder). False when the file
// system does not support it.
bool CreateJunction(const std::wstring& link, const std::wstring& target)
{
    if (!CreateDirectoryW(link.c_str(), nullptr))
        return false;
    UniqueFile handle(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle)
        return false;
    const std::wstring substitute = L"\\??\\" + target;
    const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
    const USHORT printBytes = static_cast<USHORT>(target.size() * sizeof(wchar_t));
    // Mount-point reparse data: tag, data length, reserved, then the
    // substitute and print names with their offsets and lengths.
    const std::size_t pathBytes = substituteBytes + sizeof(wchar_t) + printBytes + sizeof(wchar_t);
    std::vector<BYTE> data(8 + 8 + pathBytes, 0);
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const USHORT dataLength = static_cast<USHORT>(8 + pathBytes);
    const USHORT fields[4] = {0, substituteBytes, static_cast<USHORT>(substituteBytes + sizeof(wchar_t)),
                              printBytes};
    std::memcpy(&data[0], &tag, 4);
    std::memcpy(&data[4], &dataLength, 2);
    std::memcpy(&data[8], fields, sizeof fields);
    std::memcpy(&data[16], substitute.data(), substituteBytes);
    std::memcpy(&data[16 + substituteBytes + sizeof(wchar_t)], target.data(), printBytes);
    DWORD returned = 0;
    return DeviceIoControl(handle.get(), FSCTL_SET_REPARSE_POINT, data.data(), static_cast<DWORD>(data.size()),
                           nullptr, 0, &returned, nullptr);
}

std::string Gbk(const std::wstring& path) { return WinTest::ToGbk(path); }

} // namespace

TEST(FolderTree, RemovesEverythingBelowIncludingReadOnlyFiles)
{
    TempFolder root(L"tree");
    const std::wstring tree = root / L"下载";
    WinTest::MakeFolders(tree + L"\\a\\b\\c");
    WinTest::MakeFolders(tree + L"\\empty");
    WinTest::WriteFile(tree + L"\\top.txt", "1");
    WinTest::WriteFile(tree + L"\\a\\b\\c\\deep.bin", std::string(70000, 'x'));
    WinTest::WriteFile(tree + L"\\a\\只读.txt", "r");
    SetFileAttributesW((tree + L"\\a\\只读.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((tree + L"\\a\\b").c_str(), FILE_ATTRIBUTE_READONLY);
    WinTest::WriteFile(root / L"sibling.txt", "keep");

    EXPECT_TRUE(FolderTree::Remove(Gbk(tree) + "\\"));
    EXPECT_FALSE(WinTest::Exists(tree));
    EXPECT_TRUE(WinTest::Exists(root / L"sibling.txt"));
    EXPECT_TRUE(FolderTree::Remove(Gbk(tree)));  // already gone
}

TEST(FolderTree, RefusesPathsThatNameNoFolderOfTheirOwn)
{
    TempFolder root(L"tree");
    WinTest::WriteFile(root / L"file.txt", "f");
    for (const char* path : {"", "\\", "C:\\", "C:", "Z:\\\\"})
        EXPECT_FALSE(FolderTree::Remove(path)) << path;
    EXPECT_FALSE(FolderTree::Remove(Gbk(root / L"file.txt")));
    EXPECT_TRUE(WinTest::Exists(root / L"file.txt"));
}

TEST(FolderTree, RemovesJunctionsWithoutEnteringThem)
{
    TempFolder root(L"tree");
    const std::wstring outside = root / L"outside";
    WinTest::MakeFolders(outside);
    WinTest::WriteFile(outside + L"\\victim.txt", "precious");
    const std::wstring tree = root / L"download";
    WinTest::MakeFolders(tree);
    if (!CreateJunction(tree + L"\\link", outside))
        GTEST_SKIP() << "this file system cannot make junctions";
    ASSERT_TRUE(FolderTree::IsReparsePoint(Gbk(tree + L"\\link")));

    EXPECT_TRUE(FolderTree::Remove(Gbk(tree)));
    EXPECT_FALSE(WinTest::Exists(tree));
    EXPECT_EQ(WinTest::ReadFile(outside + L"\\victim.txt"), "precious");

    // A junction handed over as the folder itself goes as a link too.
    ASSERT_TRUE(CreateJunction(root / L"alias", outside));
    EXPECT_TRUE(FolderTree::Remove(Gbk(root / L"alias")));
    EXPECT_EQ(WinTest::ReadFile(outside + L"\\victim.txt"), "precious");

    // And a listed name cannot pass through one.
    ASSERT_TRUE(CreateJunction(root / L"via", outside));
    EXPECT_FALSE(FolderTree::HasNoLinkedFolders(Gbk(root.Path()) + "\\", "via\\victim.txt"));
    EXPECT_TRUE(FolderTree::HasNoLinkedFolders(Gbk(root.Path()) + "\\", "outside\\victim.txt"));
    EXPECT_TRUE(FolderTree::HasNoLinkedFolders(Gbk(root.Path()) + "\\", "missing\\victim.txt"));
}
