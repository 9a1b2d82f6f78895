#include "e2e/SetupProgram.h"

namespace E2e {

Process StartSetupAs(const std::wstring& path)
{
    CopyTo(ProgramFolder() + L"\\setup.exe", path);
    return Process::Start(path);
}

Box NextMessageBox(const Process& process)
{
    Box box;
    box.window = WaitForMessageBox(process.Id(), kProgramTimeout);
    if (box.window) {
        box.caption = WindowText(box.window);
        box.text = MessageBoxText(box.window);
    }
    return box;
}

bool WaitGone(HWND window)
{
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kProgramTimeout);
}

HWND SetupWindowOf(const Process& process)
{
    for (HWND window : FindTopWindows(L"Quenby", process.Id())) {
        if (WindowText(window) == L"Tavrin 安装向导")
            return window;
    }
    return nullptr;
}

} // namespace E2e
