// Starting the real setup.exe under a chosen file name, and answering the
// system message boxes it shows, as a user would.
#pragma once

#include "support/WinTestSupport.h"

#include <string>

namespace E2e {

using namespace WinTest;

// COM start-up under Wine can wait on its service once per process; every
// wait for the program allows for that.
constexpr auto kProgramTimeout = 40s;

// Copies the built setup.exe to path and starts it there.
Process StartSetupAs(const std::wstring& path);

struct Box {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// Waits for the next message box of process and reads it; window is null on
// timeout.
Box NextMessageBox(const Process& process);

// Waits until the message box window is gone (after a button press).
bool WaitGone(HWND window);

// The setup window of process ("Quenby", "Tavrin 安装向导"), or null.
HWND SetupWindowOf(const Process& process);

} // namespace E2e
