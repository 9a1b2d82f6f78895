#include "ui/core/TopWindow.h"

#include "ui/core/Library.h"
#include "ui/core/WideText.h"

namespace {

const char kHostClassName[] = "Qx_DirectUI";
constexpr DWORD kDefaultTopStyle = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr int kDefaultWidth = 380;
constexpr int kDefaultHeight = 250;
constexpr WORD kApplicationIconId = 129;

LRESULT CALLBACK ForwardToDefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

RECT WorkArea()
{
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The window's own icon of that kind, else its class's.
void CopyClassIcon(HWND hwnd, WPARAM kind, int classIndex)
{
    auto icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, kind, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrW(hwnd, classIndex));
    ::SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
}

} // namespace

ATOM RegisterHostClass(const HostClassOptions& options)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const ByteBuffer name = ToWide(options.className ? options.className : kHostClassName);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = options.style.value_or(CS_DBLCLKS);
    windowClass.lpfnWndProc = options.windowProc ? options.windowProc : ForwardToDefWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = options.icon ? options.icon : ::LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIconId));
    windowClass.hCursor = options.cursor ? options.cursor : DefaultCursor();
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WideChars(name);
    SetDefaultIcon(windowClass.hIcon);
    return ::RegisterClassExW(&windowClass);
}

POINT CentredOrigin(const RECT& workArea, int width, int height)
{
    const double areaWidth = static_cast<double>(workArea.right) - workArea.left;
    const double areaHeight = static_cast<double>(workArea.bottom) - workArea.top;
    return POINT{static_cast<LONG>(workArea.left + (areaWidth - width) / 2),
                 static_cast<LONG>(workArea.top + (areaHeight - height) / 2)};
}

HWND CreateTopWindow(const TopWindowOptions& options)
{
    const int width = options.width.value_or(kDefaultWidth);
    const int height = options.height.value_or(kDefaultHeight);
    const POINT centred = CentredOrigin(WorkArea(), width, height);
    const ByteBuffer title = ToWide(options.title);
    const ByteBuffer className = ToWide(options.className ? options.className : kHostClassName);
    int creationData = 0;
    const HWND hwnd = ::CreateWindowExW(options.exStyle, WideChars(className), WideChars(title),
                                        options.style.value_or(kDefaultTopStyle), options.x.value_or(centred.x),
                                        options.y.value_or(centred.y), width, height, options.parent, nullptr,
                                        ::GetModuleHandleW(nullptr), &creationData);
    if (!hwnd)
        return nullptr;
    CopyClassIcon(hwnd, ICON_SMALL, GCLP_HICONSM);
    CopyClassIcon(hwnd, ICON_BIG, GCLP_HICON);
    if (options.show) {
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
    }
    return hwnd;
}
