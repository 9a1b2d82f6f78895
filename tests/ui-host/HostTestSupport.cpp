#include "ui-host/HostTestSupport.h"

#include "ui/core/ElementPainter.h"
#include "ui/core/Library.h"
#include "ui/core/TopWindow.h"

using namespace Gdiplus::DllExports;

namespace HostTest {

namespace {

const char kClass[] = "QxHostTest";

LRESULT CALLBACK ClassProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    ClassProcMessages().push_back(msg);
    return ::DefWindowProcW(hwnd, msg, wparam, lparam);
}

} // namespace

std::vector<UINT>& ClassProcMessages()
{
    static std::vector<UINT> messages;
    return messages;
}

void EnsureLibrary()
{
    static const bool started = [] {
        StartLibrary();
        HostClassOptions options;
        options.className = kClass;
        options.windowProc = &ClassProc;
        RegisterHostClass(options);
        return true;
    }();
    (void)started;
}

HWND MakeWindow(int width, int height, DWORD style, int x, int y)
{
    EnsureLibrary();
    TopWindowOptions options;
    options.className = kClass;
    options.title = "host test";
    options.x = x;
    options.y = y;
    options.width = width;
    options.height = height;
    options.style = style;
    options.show = true;
    return CreateTopWindow(options);
}

void Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void PumpFor(int ms)
{
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        Pump();
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
    Pump();
}

int ColourElement::Count(UINT code) const { return static_cast<int>(Of(code).size()); }

std::vector<Event> ColourElement::Of(UINT code) const
{
    std::vector<Event> result;
    for (const Event& e : events) {
        if (e.code == code)
            result.push_back(e);
    }
    return result;
}

void ColourElement::Recolour(Gdiplus::ARGB colour)
{
    m_colour = colour;
    ElementPaintRecord record;
    if (!BeginElementPaint(*this, record, std::nullopt, true))
        return;
    GdipGraphicsClear(record.graphics, m_colour);
    EndElementPaint(*this, record);
}

LRESULT ColourElement::EventProc(UINT code, WPARAM wparam, LPARAM lparam)
{
    events.push_back({code, wparam, lparam, ::GetCurrentThreadId()});
    if (log)
        log->push_back(name + ":" + std::to_string(code));
    if (code == WM_PAINT) {
        // As element classes do: draw the look, then show it.
        ElementPaintRecord record;
        if (BeginElementPaint(*this, record, std::nullopt, true)) {
            GdipGraphicsClear(record.graphics, m_colour);
            EndElementPaint(*this, record);
        }
    }
    return answer ? answer(code, wparam, lparam) : -1;
}

} // namespace HostTest
