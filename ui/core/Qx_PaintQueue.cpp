#include "ui/core/Qx_PaintQueue.h"

#include "ui/core/Qx_Window.h"

void Qx_PaintQueue::Add(const RectF& rect, int mode)
{
    if (!m_host)
        return;
    if (mode == 1)
        m_host->PaintRect(rect, true);
    else if (mode == 2)
        m_rects.push_front(rect);
    else
        m_rects.push_back(rect);
    // A rectangle painted at once was presented already: an empty run would
    // only present the same canvas again.
    if (!m_processing && !(mode == 1 && m_rects.empty()))
        Process();
}

void Qx_PaintQueue::Process()
{
    if (!m_host)
        return;
    m_processing = true;
    const bool eachRect = !m_host->Layered();
    while (!m_rects.empty()) {
        const RectF rect = m_rects.front();
        m_rects.pop_front();
        m_host->PaintRect(rect, eachRect);
    }
    if (m_host->Layered() && !m_host->Busy())
        m_host->Present({0, 0, static_cast<float>(m_host->ClientSize().cx), static_cast<float>(m_host->ClientSize().cy)});
    m_processing = false;
}
