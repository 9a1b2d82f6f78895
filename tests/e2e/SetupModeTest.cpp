// Mode choice by file name and the single-instance rule, through the real
// executable.
#include "e2e/SetupProgram.h"

#include <gtest/gtest.h>

using namespace E2e;

namespace {

void CloseAndExpectExit(const Process& process, HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process.WaitExit(kProgramTimeout));
    EXPECT_EQ(process.ExitCode(), 0u);
}

} // namespace

TEST(SetupMode, NamesOtherThanUninstallExeStartTheInstaller)
{
    for (const wchar_t* name : {L"setup.exe", L"Uninstall.exe", L"UNINSTALL.EXE", L"uninstall.exe.exe"}) {
        SCOPED_TRACE(testing::Message() << WinTest::ToGbk(name));
        TempFolder folder(L"mode");
        const Process process = StartSetupAs(folder / name);
        HWND window = nullptr;
        // The window exists a moment before it is shown.
        EXPECT_TRUE(WaitUntil([&] { return (window = SetupWindowOf(process)) && IsWindowVisible(window); },
                              kProgramTimeout));
        ASSERT_TRUE(window);
        EXPECT_TRUE(FindTopWindows(L"#32770", process.Id()).empty());
        CloseAndExpectExit(process, window);
    }
}

TEST(SetupMode, ASecondInstallerRestoresTheFirstWindowAndExits)
{
    TempFolder folder(L"mode");
    const Process first = StartSetupAs(folder / L"setup.exe");
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = SetupWindowOf(first)) && IsWindowVisible(window); },
                          kProgramTimeout));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));

    const Process second = Process::Start(folder / L"setup.exe");
    ASSERT_TRUE(second.WaitExit(kProgramTimeout));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window) && IsWindowVisible(window); }));
    EXPECT_EQ(FindTopWindows(L"Quenby").size(), 1u);
    EXPECT_TRUE(first.Running());

    CloseAndExpectExit(first, window);
}
