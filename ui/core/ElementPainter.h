// The element side of painting: what an element class wraps around the
// drawing of its canvas, and the records the painter hands to classes.
//
//   ElementPaintRecord record;
//   if (BeginElementPaint(element, record, std::nullopt, true)) {
//       ... draw the new look into record.graphics ...
//       EndElementPaint(element, record);   // queues the repaint, or starts
//   }                                       // a transition from the old look
#pragma once

#include "ui/core/Handles.h"
#include "ui/core/Qx_Object.h"
#include "ui/core/RectF.h"

#include <optional>

class Qx_Window;

struct ElementPaintRecord {
    HWND hwnd = nullptr;                        // the element's host window
    Gdiplus::GpGraphics* graphics = nullptr;    // the element's canvas graphics
    RectF paintRect;                            // in canvas coordinates
    bool clear = false;                         // cleared first; shown at the end
    // The host and its surfaces, and the element's canvas.
    ElementHandle host = 0;
    HDC hostWindowDc = nullptr;
    HDC hostCanvasDc = nullptr;
    Gdiplus::GpGraphics* hostCanvasGraphics = nullptr;
    Gdiplus::GpBitmap* canvas = nullptr;
};

// What QXE_DRAWTRANSITION carries in lparam (a pointer to it): the surfaces
// of one transition frame. A class answering 1 or more drew the frame itself.
struct TransitionFrame {
    HDC canvasDc = nullptr;
    Gdiplus::GpGraphics* canvasGraphics = nullptr;
    HDC scratchDc = nullptr;
    Gdiplus::GpGraphics* scratchGraphics = nullptr;
    Gdiplus::GpImage* canvas = nullptr;     // the new look
    Gdiplus::GpImage* snapshot = nullptr;   // the old look
    RectF rect;                             // the element's rectangle
    float clipLeft = 0;
    float clipTop = 0;
};

// Prepares record for drawing element's canvas (rect: the whole canvas when
// absent). With clear, a running transition ends, the old look is kept as
// the element's Snapshot when the element has transition settings, and the
// area is cleared. False when the element is not on a window host.
bool BeginElementPaint(Qx_Object& element, ElementPaintRecord& record, std::optional<RectF> rect, bool clear);
// Shows what was drawn: queues the element's rectangle, or starts its
// transition (timer id = handle + 1, QXE_TRANSITIONSTART).
void EndElementPaint(Qx_Object& element, ElementPaintRecord& record);
