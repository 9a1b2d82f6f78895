#include "ui/core/Qx_Object.h"

#include "ui/core/EventBlock.h"

using namespace Gdiplus::DllExports;

Qx_Object::~Qx_Object()
{
    // The derived part is gone: no event procedure can run for this object
    // any more, but the tree and the host must not keep pointers to it.
    if (!m_handle || !m_host)
        return;
    for (Qx_Object* child = m_children.first; child;) {
        Qx_Object* next = child->m_next;
        child->Destroy();
        child = next;
    }
    Detach();
}

// ---- creation and the tree --------------------------------------------------

void Qx_Object::Attach(HWND hwnd, ElementHost* host, const RectF& rect, int classId, bool visible,
                       const ElementOptions& options)
{
    m_handle = Self();
    m_hwnd = hwnd;
    m_rect = rect;
    m_text.clear();
    m_parent = nullptr;
    m_alpha = 255;
    m_classId = classId;
    m_cursor = options.systemCursor ? LoadSystemCursor(options.systemCursor) : options.cursor;
    m_visible = visible;
    m_focusable = options.focusable;
    m_disabled = false;
    m_updatesEnabled = true;
    m_host = host;
    m_prev = nullptr;
    m_next = nullptr;
    host->Adopt(*this);
}

ElementHandle Qx_Object::Finish(const ElementOptions& options)
{
    MakeCanvas();
    m_frameInterval = options.frameInterval;
    m_frameCount = options.frameCount;
    m_frameIndex = 0;
    m_transitionEffect = options.transitionEffect;
    SendEvent(WM_CREATE, reinterpret_cast<WPARAM>(Canvas()), reinterpret_cast<LPARAM>(CanvasGraphics()));
    SendEvent(WM_PAINT, reinterpret_cast<WPARAM>(Canvas()), reinterpret_cast<LPARAM>(CanvasGraphics()));
    return m_handle;
}

ElementHandle Qx_Object::Create(HWND hostWindow, const RectF& rect, int classId, bool visible,
                                const ElementOptions& options)
{
    if (m_handle)
        return m_handle;
    ElementHost* host = ElementHost::FromHwnd(hostWindow);
    if (!host)
        return 0;
    Attach(hostWindow, host, rect, classId, visible, options);
    SiblingList& list = host->TopLevel();
    Qx_Object* previousLast = list.last;
    if (!list.first)
        list.first = this;
    if (previousLast)
        previousLast->m_next = this;
    m_prev = previousLast;
    list.last = this;
    return Finish(options);
}

ElementHandle Qx_Object::Create(Qx_Object& parent, const RectF& rect, int classId, bool visible,
                                const ElementOptions& options)
{
    if (m_handle)
        return m_handle;
    // The parent must be a created element of the host bound to its window,
    // and must not hang below this element (a child left behind when this
    // element was destroyed before).
    ElementHost* host = parent.m_host;
    if (!parent.m_handle || !host || host != ElementHost::FromHwnd(parent.m_hwnd) || IsAncestorOf(parent))
        return 0;
    Attach(parent.m_hwnd, host, rect, classId, visible, options);
    SetParent(&parent);
    return Finish(options);
}

SiblingList& Qx_Object::ContainerList() { return m_parent ? m_parent->m_children : m_host->TopLevel(); }

bool Qx_Object::IsAncestorOf(const Qx_Object& element) const
{
    for (const Qx_Object* up = &element; up; up = up->m_parent) {
        if (up == this)
            return true;
    }
    return false;
}

void Qx_Object::SetParent(Qx_Object* newParent)
{
    if (newParent == m_parent || !m_handle)
        return;
    // A parent of another host, a parent that is not created or a parent
    // inside this element's own subtree would corrupt the tree.
    if (newParent && (!newParent->m_handle || newParent->m_host != m_host || IsAncestorOf(*newParent)))
        return;
    Unlink();
    SiblingList& list = newParent ? newParent->m_children : m_host->TopLevel();
    Qx_Object* previousLast = list.last;
    if (!list.first)
        list.first = this;
    list.last = this;
    if (previousLast)
        previousLast->m_next = this;
    m_prev = previousLast;
    m_parent = newParent;
    Invalidate();
}

void Qx_Object::Unlink()
{
    if (!m_parent && (!m_host || !m_host->ListsTopLevel(*this))) {
        m_prev = nullptr;
        m_next = nullptr;
        return;
    }
    SiblingList& list = ContainerList();
    if (list.first == this)
        list.first = m_next;
    if (list.last == this)
        list.last = m_prev;
    if (m_prev)
        m_prev->m_next = m_next;
    if (m_next)
        m_next->m_prev = m_prev;
    m_prev = nullptr;
    m_next = nullptr;
}

Qx_Object* Qx_Object::BringToEdge(Edge where, bool redraw)
{
    if (!m_handle || !m_host)
        return nullptr;
    Unlink();
    SiblingList& list = ContainerList();
    Qx_Object* edge = nullptr;
    if (where == Edge::Bottom) {
        edge = list.first;
        m_next = edge;
        if (edge)
            edge->m_prev = this;
        else
            list.last = this;
        list.first = this;
    } else {
        edge = list.last;
        m_prev = edge;
        if (edge)
            edge->m_next = this;
        else
            list.first = this;
        list.last = this;
    }
    if (redraw)
        Invalidate();
    return edge;
}

void Qx_Object::Destroy()
{
    if (!m_handle || !m_host)
        return;
    m_visible = false;
    Invalidate();
    for (Qx_Object* child = m_children.first; child;) {
        Qx_Object* next = child->m_next;
        child->Destroy();
        child = next;
    }
    EventProc(WM_DESTROY, 0, 0);
    Detach();
    Empty();
}

void Qx_Object::Detach()
{
    ::KillTimer(m_hwnd, m_handle + 1);
    m_host->ForgetElement(*this);
    Unlink();
    m_host->Release(*this);
}

void Qx_Object::Empty()
{
    m_text.clear();
    m_tag.clear();
    m_canvasGraphics.reset();
    m_canvas.reset();
    m_snapshot.reset();
    m_handlers.Clear();
    // The rectangle keeps its values: the repaint Destroy posted reads it
    // later and must still cover the area the element occupied.
    m_hwnd = nullptr;
    m_handle = 0;
    m_parent = nullptr;
    m_visible = false;
    m_disabled = false;
    m_focusable = false;
    m_updatesEnabled = false;
    m_cursor = nullptr;
    m_classId = 0;
    m_children = {};
    m_prev = nullptr;
    m_next = nullptr;
    m_frameIndex = 0;
    m_host = nullptr;
    m_alpha = 0;
    m_frameInterval = 0;
    m_userData = nullptr;
    m_prevRect = {};
    m_frameCount = 0;
    m_transitionEffect = 0;
}

void Qx_Object::MakeCanvas()
{
    m_canvasGraphics.reset();
    m_canvas.reset();
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(static_cast<INT>(m_rect.width), static_cast<INT>(m_rect.height), 0,
                                  PixelFormat32bppARGB, nullptr, &bitmap)
            != Gdiplus::Ok
        || !bitmap)
        return;
    m_canvas.reset(bitmap);
    if (GdipGetImageGraphicsContext(bitmap, m_canvasGraphics.put()) != Gdiplus::Ok)
        return;
    GdipSetSmoothingMode(m_canvasGraphics.get(), Gdiplus::SmoothingModeAntiAlias);
    GdipSetTextRenderingHint(m_canvasGraphics.get(), Gdiplus::TextRenderingHintAntiAliasGridFit);
}

// ---- geometry ---------------------------------------------------------------

void Qx_Object::ShiftDescendants(float dx, float dy)
{
    for (Qx_Object* child = m_children.first; child; child = child->m_next) {
        child->m_rect.left += dx;
        child->m_rect.top += dy;
        child->ShiftDescendants(dx, dy);
    }
}

void Qx_Object::Move(std::optional<float> left, std::optional<float> top, std::optional<float> width,
                     std::optional<float> height, bool redraw)
{
    const RectF next{left.value_or(m_rect.left), top.value_or(m_rect.top), width.value_or(m_rect.width),
                     height.value_or(m_rect.height)};
    if (next.SameAs(m_rect))
        return;
    m_prevRect = m_rect;
    m_rect = next;
    ShiftDescendants(next.left - m_prevRect.left, next.top - m_prevRect.top);
    if (!RectF::Near(next.width, m_prevRect.width) || !RectF::Near(next.height, m_prevRect.height)) {
        MakeCanvas();
        const auto w = static_cast<WPARAM>(Width());
        const auto h = static_cast<LPARAM>(Height());
        SendEvent(QXE_RESIZED, w, h);
        SendEvent(WM_PAINT, w, h);
    }
    // The host refuses (0) while it is busy and answers 1 once it took the
    // move; another thread waits for that. On the window's own thread the
    // busy work sits lower on this very stack and cannot end while we wait,
    // and a window without a host never answers: one attempt each.
    const LPARAM repaint = redraw && m_visible ? 1 : 0;
    for (;;) {
        const HWND hwnd = m_hwnd;
        if (!ElementHost::FromHwnd(hwnd) || ::SendMessageW(hwnd, QXM_MOVED, m_handle, repaint) == 1
            || ::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId())
            break;
        ::Sleep(1);
    }
}

void Qx_Object::SetLeft(float value)
{
    if (!RectF::Near(value, m_rect.left))
        Move(value);
}

void Qx_Object::SetTop(float value)
{
    if (!RectF::Near(value, m_rect.top))
        Move(std::nullopt, value);
}

void Qx_Object::SetWidth(float value)
{
    if (!RectF::Near(value, m_rect.width))
        Move(std::nullopt, std::nullopt, value);
}

void Qx_Object::SetHeight(float value)
{
    if (!RectF::Near(value, m_rect.height))
        Move(std::nullopt, std::nullopt, std::nullopt, value);
}

// ---- state ------------------------------------------------------------------

void Qx_Object::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    SendEvent(visible ? QXE_SHOWN : QXE_HIDDEN, 0, 0);
    Invalidate();
}

void Qx_Object::SetDisabled(bool disabled)
{
    if (disabled == m_disabled)
        return;
    m_disabled = disabled;
    if (IsFocused()) {
        if (m_host)
            m_host->SetFocusElement(nullptr);
        PostEvent(QXE_KILLFOCUS, 0, 0);
    }
    PostEvent(QXE_MOUSELEAVE, 0, 0);
    Invalidate();
}

bool Qx_Object::IsFocused()
{
    const LRESULT answer = SendEvent(QXE_QUERYFOCUSED, 0, 0);
    if (answer != -1)
        return answer == 1;
    return m_host && m_host->FocusElement() == this;
}

void Qx_Object::SetText(std::string text, bool alsoTooltip)
{
    m_text = std::move(text);
    if (alsoTooltip)
        Tooltip(m_text);
}

void Qx_Object::Tooltip(std::optional<std::string_view> text)
{
    if (m_host)
        m_host->SetTooltip(*this, text);
}

void Qx_Object::SetAlpha(int alpha, bool redraw)
{
    m_alpha = alpha;
    SendEvent(QXE_ALPHACHANGED, 0, alpha);
    if (redraw)
        Invalidate();
}

void Qx_Object::SetTransition(std::optional<int> frameCount, std::optional<int> frameInterval)
{
    if (frameCount)
        m_frameCount = *frameCount;
    if (frameInterval)
        m_frameInterval = *frameInterval;
}

// ---- events -----------------------------------------------------------------

LRESULT Qx_Object::SendEvent(UINT code, WPARAM wparam, LPARAM lparam)
{
    // Only a host window takes the block back; anything else would leak it.
    const HWND hwnd = m_hwnd;
    if (!ElementHost::FromHwnd(hwnd))
        return 0;
    return ::SendMessageW(hwnd, QXM_EVENT, m_handle, EventBlock::Pack(code, wparam, lparam));
}

bool Qx_Object::PostEvent(UINT code, WPARAM wparam, LPARAM lparam)
{
    const HWND hwnd = m_hwnd;
    if (!ElementHost::FromHwnd(hwnd))
        return false;
    const LPARAM block = EventBlock::Pack(code, wparam, lparam);
    if (::PostMessageW(hwnd, QXM_EVENT, m_handle, block))
        return true;
    EventBlock::Discard(block);
    return false;
}

void Qx_Object::Invalidate()
{
    // Without a window the post would land in this thread's own queue.
    if (m_hwnd)
        ::PostMessageW(m_hwnd, QXM_INVALIDATE, 1, reinterpret_cast<LPARAM>(&m_rect));
}

LRESULT Qx_Object::Dispatch(UINT code, WPARAM wparam, LPARAM lparam)
{
    const LRESULT answer = EventProc(code, wparam, lparam);
    if (const EventHandler* match = m_handlers.Match(code, wparam)) {
        // A copy: the handler may replace itself or destroy the element.
        const EventHandler handler = *match;
        if (handler)
            handler(ElementEvent{this, m_parent, code, wparam, lparam});
    }
    return answer;
}

LRESULT Qx_Object::DispatchEvent(ElementHandle handle, UINT code, WPARAM wparam, LPARAM lparam)
{
    Qx_Object* element = FromHandle(handle);
    return element ? element->Dispatch(code, wparam, lparam) : 0;
}

LRESULT Qx_Object::DispatchEventMessage(WPARAM wparam, LPARAM lparam)
{
    if (!lparam)
        return 0;
    const EventBlock block = EventBlock::Take(lparam);
    return DispatchEvent(wparam, block.code, block.wparam, block.lparam);
}
