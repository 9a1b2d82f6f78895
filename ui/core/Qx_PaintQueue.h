// The dirty-rectangle queue of one window host. Rectangles are painted in
// queue order; a layered window is presented once per run, an ordinary one
// per rectangle. A run is never started twice: rectangles added while one is
// in progress (from the painting itself) join it.
#pragma once

#include "ui/core/RectF.h"

#include <windows.h>

#include <deque>

class Qx_Window;

class Qx_PaintQueue {
public:
    void Init(Qx_Window* host) { m_host = host; }
    void Clear() { m_rects.clear(); }
    // Mode 0 appends, 2 puts first, 1 paints and presents at once without
    // queueing; then runs the queue unless a run is in progress.
    void Add(const RectF& rect, int mode);
    bool IsIdle() const { return !m_processing; }
    void Process();
    std::size_t Pending() const { return m_rects.size(); }

private:
    Qx_Window* m_host = nullptr;
    std::deque<RectF> m_rects;
    bool m_processing = false;
};
