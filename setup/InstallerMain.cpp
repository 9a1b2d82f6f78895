#include "setup/InstallerMain.h"

#include "setup/SetupStrings.h"

#include <windows.h>

namespace {

constexpr int kWindowWidth = 460;
constexpr int kWindowHeight = 340;

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

void InstallerMain()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = SetupStrings::kWindowClass;
    RegisterClassExA(&windowClass);

    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int x = workArea.left + (workArea.right - workArea.left - kWindowWidth) / 2;
    const int y = workArea.top + (workArea.bottom - workArea.top - kWindowHeight) / 2;
    HWND window = CreateWindowExA(0, SetupStrings::kWindowClass, SetupStrings::kWindowTitle,
                                  WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU, x, y, kWindowWidth, kWindowHeight,
                                  nullptr, nullptr, instance, nullptr);
    if (!window)
        return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
