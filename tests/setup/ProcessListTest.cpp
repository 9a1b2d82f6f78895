#include "setup/ProcessList.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace WinTest;

namespace {

// Starts a copy of the idle fixture stored as folder\name.
Process StartIdleAs(const TempFolder& folder, const std::wstring& sub, const std::wstring& name)
{
    MakeFolders(folder / sub);
    const std::wstring path = folder / (sub + L"\\" + name);
    CopyTo(ProgramFolder() + L"\\idle_process.exe", path);
    return Process::Start(path);
}

bool Listed(DWORD pid)
{
    const auto records = ListProcesses();
    return std::any_of(records.begin(), records.end(),
                       [&](const ProcessRecord& r) { return r.processId == pid; });
}

} // namespace

TEST(ProcessList, ListsThisProcessWithItsImageName)
{
    const auto records = ListProcesses();
    ASSERT_FALSE(records.empty());
    const auto self = std::find_if(records.begin(), records.end(), [](const ProcessRecord& r) {
        return r.processId == GetCurrentProcessId();
    });
    ASSERT_NE(self, records.end());
    EXPECT_EQ(self->imageName, "setup_routines_test.exe");
    EXPECT_GT(self->threadCount, 0u);
}

TEST(ProcessList, OneCallStopsExactlyOneCopyMatchedWithoutCase)
{
    TempFolder folder(L"proc");
    Process first = StartIdleAs(folder, L"a", L"Zarvel.exe");
    Process second = StartIdleAs(folder, L"b", L"Zarvel.exe");
    ASSERT_TRUE(WaitUntil([&] { return Listed(first.Id()) && Listed(second.Id()); }));

    const std::uint32_t found = FindProcessByName("ZARVEL.EXE");
    ASSERT_TRUE(found == first.Id() || found == second.Id()) << found;
    EXPECT_EQ(FindProcessByName("zarvel.exe"), found);

    TerminateProcessById(found);
    const Process& stopped = found == first.Id() ? first : second;
    const Process& other = found == first.Id() ? second : first;
    // The call waits for the process to be gone, so its files are free now.
    EXPECT_TRUE(stopped.WaitExit(0ms));
    EXPECT_EQ(stopped.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(other.Running());

    TerminateProcessById(FindProcessByName("Zarvel.exe"));
    EXPECT_TRUE(other.WaitExit(0ms));
    EXPECT_EQ(FindProcessByName("Zarvel.exe"), 0u);
}

TEST(ProcessList, ChineseImageNamesCompareAsGbk)
{
    TempFolder folder(L"proc");
    Process process = StartIdleAs(folder, L"c", L"测试程序.exe");
    ASSERT_TRUE(WaitUntil([&] { return Listed(process.Id()); }));
    EXPECT_EQ(FindProcessByName(ToGbk(L"测试程序.EXE")), process.Id());
    EXPECT_EQ(FindProcessByName(ToGbk(L"测试程.exe")), 0u);
}

TEST(ProcessList, NothingHappensWithoutAMatch)
{
    EXPECT_EQ(FindProcessByName("no-such-image.exe"), 0u);
    EXPECT_EQ(FindProcessByName(""), 0u);
    TerminateProcessById(0);
    TerminateProcessById(0xFFFFFFF0u);
    EXPECT_TRUE(Listed(GetCurrentProcessId()));
}
