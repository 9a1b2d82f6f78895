#include "ui/core/ElementPainter.h"

#include "ui/core/EventCodes.h"
#include "ui/core/Qx_Window.h"
#include "ui/graphics/Shapes.h"

using namespace Gdiplus::DllExports;

namespace {

bool HasTransition(const Qx_Object& element) { return element.FrameCount() != 0 && element.FrameInterval() != 0; }

// One frame of an element's transition; the element is found from the timer
// id, its handle plus 1.
void CALLBACK TransitionTick(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    Qx_Object* element = Qx_Object::FromHandle(static_cast<ElementHandle>(id - 1));
    Qx_Window* host = Qx_Window::FromHwnd(hwnd);
    if (!host || !element->IsCreated() || element->Host() != host) {
        ::KillTimer(hwnd, id);
        return;
    }
    element->SetFrameIndex(element->FrameIndex() + 1);
    host->PaintRect(element->Rect(), true);
    if (element->FrameIndex() >= element->FrameCount()) {
        ::KillTimer(hwnd, id);
        element->SetSnapshot(GpImagePtr());
        element->SetFrameIndex(0);
        element->Dispatch(QXE_TRANSITIONEND, 0, 0);
    }
}

} // namespace

bool BeginElementPaint(Qx_Object& element, ElementPaintRecord& record, std::optional<RectF> rect, bool clear)
{
    const RectF paint = rect ? *rect : RectF{0, 0, static_cast<float>(element.Width()), static_cast<float>(element.Height())};
    Qx_Window* host = dynamic_cast<Qx_Window*>(element.Host());
    if (!element.GetHwnd() || !host)
        return false;
    record.hwnd = element.GetHwnd();
    record.graphics = element.CanvasGraphics();
    record.paintRect = paint;
    record.clear = clear;
    record.host = host->Handle();
    record.hostWindowDc = host->WindowDC();
    record.hostCanvasDc = host->Canvas().Dc();
    record.hostCanvasGraphics = host->Canvas().Graphics();
    record.canvas = element.Canvas();
    if (clear) {
        element.SetSnapshot(GpImagePtr());
        if (!host->Busy() && HasTransition(element)) {
            ::KillTimer(record.hwnd, element.GetHandle() + 1);
            element.SetFrameIndex(element.FrameCount());
            host->PaintRect(element.Rect(), true);
            Gdiplus::GpBitmap* snapshot = nullptr;
            if (element.Canvas()
                && GdipCloneBitmapArea(paint.left, paint.top, paint.width, paint.height, PixelFormat32bppARGB,
                                       element.Canvas(), &snapshot)
                       == Gdiplus::Ok)
                element.SetSnapshot(GpImagePtr(snapshot));
        }
        if (Gdiplus::GpGraphics* g = element.CanvasGraphics()) {
            SetClipRect(g, paint);
            GdipGraphicsClear(g, 0);
            GdipResetClip(g);
        }
    }
    element.NotifyBeginPaint(record);
    return true;
}

void EndElementPaint(Qx_Object& element, ElementPaintRecord& record)
{
    element.NotifyEndPaint(record);
    if (!record.clear || !element.UpdatesEnabled() || !element.Visible())
        return;
    if (!HasTransition(element)) {
        ::SendMessageW(record.hwnd, QXM_INVALIDATE, 0, reinterpret_cast<LPARAM>(&element.Rect()));
        return;
    }
    element.SetFrameIndex(0);
    element.Dispatch(QXE_TRANSITIONSTART, 0, 0);
    ::SetTimer(record.hwnd, element.GetHandle() + 1, static_cast<UINT>(element.FrameInterval()), TransitionTick);
}
