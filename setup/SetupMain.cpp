#include "setup/SetupMain.h"

#include "setup/GbkText.h"
#include "setup/InstallerMain.h"
#include "setup/SetupStrings.h"
#include "setup/UninstallRoutine.h"

#include <objbase.h>

#include <string>

namespace {

std::string OwnFileName()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(GbkText::FileNamePart(std::string_view(path, length)));
}

} // namespace

void ActivateExistingWindow(HWND window)
{
    ShowWindow(window, SW_SHOW);
    ShowWindow(window, SW_SHOWNORMAL);
    ShowWindow(window, SW_RESTORE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

void SetupMain()
{
    if (OwnFileName() == SetupStrings::kUninstallerName) {
        if (MessageBoxA(nullptr, SetupStrings::kConfirmText, SetupStrings::kConfirmCaption,
                        MB_YESNO | MB_ICONQUESTION) == IDYES)
            UninstallRoutine();
        return;
    }

    CoInitialize(nullptr);
    if (HWND running = FindWindowA(SetupStrings::kWindowClass, SetupStrings::kWindowTitle)) {
        ActivateExistingWindow(running);
        return;
    }
    InstallerMain();
    CoUninitialize();
}
