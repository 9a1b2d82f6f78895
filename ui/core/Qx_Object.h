// Qx_Object: the base class of everything drawn inside a host window.
//
// Elements form one retained tree per host window. Top-level elements hang
// from the host (ElementHost), children from their parent; siblings form a
// doubly linked list whose order is the painting order (first painted first,
// last painted on top and hit first). Each element draws itself into its own
// 32-bit ARGB canvas the size of its rectangle; the host composes the canvases.
//
// Life cycle:
//
//   MyButton button;                              // constructed: not created
//   button.Create(hwnd, {10, 10, 80, 24}, 2, true);   // listed on the host,
//                                                 // canvas made, WM_CREATE and
//                                                 // WM_PAINT delivered
//   button.OnEvent(QXE_CLICK, [](const ElementEvent& e) { ... });
//   button.Move(20, std::nullopt);                // any operations
//   button.Destroy();                             // children first, then
//                                                 // WM_DESTROY; unlinked and
//                                                 // emptied, object still valid
//   button.Create(...) again, or let the object go.
//
// An element's handle is its own address. Destroy leaves the object allocated
// because messages already posted may still name it: free an element only
// when its host window has no more messages for it. Freeing an element that
// is still created unlinks it and destroys its children, but its own class
// receives no WM_DESTROY (call Destroy first for that).
//
// Threads: element state belongs to the thread that owns the host window.
// SendEvent, PostEvent, Invalidate and the host notification of Move travel
// as window messages, so other threads may call them; the event code itself
// then runs on the host window's thread.
#pragma once

#include "ui/core/ElementHandle.h"
#include "ui/core/ElementHost.h"
#include "ui/core/EventCodes.h"
#include "ui/core/EventHandlerTable.h"
#include "ui/core/Handles.h"
#include "ui/core/RectF.h"
#include "ui/core/SystemCursor.h"

#include <optional>
#include <string>
#include <string_view>

struct ElementPaintRecord;

// Kinds of element, fixed by each class.
namespace ElementClass {
constexpr int SystemButton = 1;  // never takes the keyboard focus
constexpr int Text = 2;
constexpr int Label = 3;
constexpr int Image = 4;
constexpr int Edit = 9;
constexpr int ScrollBar = 19;
constexpr int MenuItem = 20;
} // namespace ElementClass

// Where BringToEdge puts an element in its sibling list.
enum class Edge {
    Top = 1,     // end of the list: painted last, hit first
    Bottom = 2,  // start of the list
};

// The optional arguments of Create.
struct ElementOptions {
    bool focusable = true;
    HCURSOR cursor = nullptr;        // null: the host's cursor
    LPCSTR systemCursor = nullptr;   // system cursor id (IDC_HAND...); replaces cursor when set
    int frameInterval = 0;           // transition timer interval, ms; 0 = none
    int frameCount = 0;              // transition frames; 0 = none
    int transitionEffect = 0;
};

class Qx_Object {
public:
    Qx_Object() = default;
    virtual ~Qx_Object();
    Qx_Object(const Qx_Object&) = delete;
    Qx_Object& operator=(const Qx_Object&) = delete;

    // ---- identity and tree ------------------------------------------------

    static Qx_Object* FromHandle(ElementHandle handle) { return reinterpret_cast<Qx_Object*>(handle); }
    // The handle of this object, created or not.
    ElementHandle Self() const { return HandleOf(this); }
    // The handle while created, 0 otherwise.
    ElementHandle GetHandle() const { return m_handle; }
    bool IsCreated() const { return m_handle != 0; }
    HWND GetHwnd() const { return m_hwnd; }
    ElementHost* Host() const { return m_host; }
    // Null for a top-level element.
    Qx_Object* GetParent() const { return m_parent; }
    int ClassId() const { return m_classId; }

    const SiblingList& Children() const { return m_children; }
    Qx_Object* FirstChild() const { return m_children.first; }
    Qx_Object* LastChild() const { return m_children.last; }
    Qx_Object* PrevSibling() const { return m_prev; }
    Qx_Object* NextSibling() const { return m_next; }

    // Creates the element on the host published on hwnd, at the end of the
    // host's top-level list. Returns the handle, or 0 when hwnd has no host.
    // On an element that is already created it does nothing and returns the
    // handle.
    ElementHandle Create(HWND hostWindow, const RectF& rect, int classId, bool visible,
                         const ElementOptions& options = {});
    // Creates the element as the last child of parent. Returns 0 when parent
    // is not created.
    ElementHandle Create(Qx_Object& parent, const RectF& rect, int classId, bool visible,
                         const ElementOptions& options = {});

    // Moves the element to the end of newParent's child list, or of the host's
    // top-level list for null, and invalidates. Nothing happens when newParent
    // is the current parent, when the element is not created, or when
    // newParent is not a created element of the same host, is this element or
    // one of its descendants.
    void SetParent(Qx_Object* newParent);

    // Hides and invalidates the element, destroys its descendants, delivers
    // WM_DESTROY to its class (not to registered handlers), releases the host's
    // references to it, unlinks it and empties it. Does nothing when the
    // element is not created.
    void Destroy();

    // Takes the element out of its sibling list and clears its links; the
    // element keeps its parent.
    void Unlink();

    // Unlinks the element and inserts it at one end of its list; returns the
    // member that was at that end before (null when the list was empty).
    // Invalidates unless redraw is false.
    Qx_Object* BringToEdge(Edge where = Edge::Top, bool redraw = true);

    // ---- geometry ---------------------------------------------------------

    // Rectangle in host-window client pixels. The object keeps this storage
    // for its whole life: Invalidate posts a pointer to it.
    const RectF& Rect() const { return m_rect; }
    void SetRect(const RectF& rect) { Move(rect.left, rect.top, rect.width, rect.height, true); }
    // The rectangle before the last Move.
    const RectF& PrevRect() const { return m_prevRect; }

    // Moves and/or resizes; absent values keep the current ones. Descendants
    // shift by the same offset; a new size remakes the canvas and delivers
    // QXE_RESIZED and WM_PAINT. Then notifies the host with QXM_MOVED (lparam
    // 1 when redraw and visible); called from another thread, it asks again
    // every millisecond while the host is busy. A move to the current
    // rectangle does nothing.
    void Move(std::optional<float> left, std::optional<float> top = std::nullopt,
              std::optional<float> width = std::nullopt, std::optional<float> height = std::nullopt,
              bool redraw = true);

    // Integer (truncated) views of Rect; the setters move when the value
    // changes.
    int Left() const { return static_cast<int>(m_rect.left); }
    int Top() const { return static_cast<int>(m_rect.top); }
    int Width() const { return static_cast<int>(m_rect.width); }
    int Height() const { return static_cast<int>(m_rect.height); }
    void SetLeft(float value);
    void SetTop(float value);
    void SetWidth(float value);
    void SetHeight(float value);

    // ---- state ------------------------------------------------------------

    bool Visible() const { return m_visible; }
    // On a change: QXE_SHOWN or QXE_HIDDEN, then Invalidate.
    void SetVisible(bool visible);

    bool Disabled() const { return m_disabled; }
    // On a change: a focused element loses the host's focus and gets
    // QXE_KILLFOCUS posted; then QXE_MOUSELEAVE is posted and the element
    // invalidated.
    void SetDisabled(bool disabled);

    bool Focusable() const { return m_focusable; }
    void SetFocusable(bool focusable) { m_focusable = focusable; }

    // Asks the class (QXE_QUERYFOCUSED); when it defers (-1), whether the
    // host's focus element is this one.
    bool IsFocused();

    bool UpdatesEnabled() const { return m_updatesEnabled; }
    void LockUpdates() { m_updatesEnabled = false; }
    void UnlockUpdates() { m_updatesEnabled = true; }

    HCURSOR Cursor() const { return m_cursor; }
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }
    // A system cursor id such as IDC_HAND.
    void SetSystemCursor(LPCSTR id) { m_cursor = LoadSystemCursor(id); }

    // GBK texts. Setting them does not repaint.
    const std::string& Text() const { return m_text; }
    void SetText(std::string text, bool alsoTooltip = false);
    const std::string& Tag() const { return m_tag; }
    void SetTag(std::string tag) { m_tag = std::move(tag); }

    // Tooltip shown by the host; no text means the element's Text.
    void Tooltip(std::optional<std::string_view> text = std::nullopt);

    // Opacity 0-255 used when the canvas is composed.
    int Alpha() const { return m_alpha; }
    // Stores, delivers QXE_ALPHACHANGED with the value, invalidates unless
    // redraw is false.
    void SetAlpha(int alpha, bool redraw = true);

    // Transition settings (used by the painter).
    int FrameCount() const { return m_frameCount; }
    void SetTransition(std::optional<int> frameCount, std::optional<int> frameInterval = std::nullopt);
    int FrameInterval() const { return m_frameInterval; }
    void SetFrameInterval(int interval) { m_frameInterval = interval; }
    int FrameIndex() const { return m_frameIndex; }
    void SetFrameIndex(int index) { m_frameIndex = index; }
    int TransitionEffect() const { return m_transitionEffect; }
    void SetTransitionEffect(int effect) { m_transitionEffect = effect; }

    // The element's private surface and its graphics (null when GDI+ failed).
    Gdiplus::GpBitmap* Canvas() const { return static_cast<Gdiplus::GpBitmap*>(m_canvas.get()); }
    Gdiplus::GpGraphics* CanvasGraphics() const { return m_canvasGraphics.get(); }
    // The element's previous look while a transition runs.
    Gdiplus::GpImage* Snapshot() const { return m_snapshot.get(); }
    void SetSnapshot(GpImagePtr snapshot) { m_snapshot = std::move(snapshot); }

    // Kept for the element's owner; the library never reads it.
    void* UserData() const { return m_userData; }
    void SetUserData(void* data) { m_userData = data; }

    // ---- events -----------------------------------------------------------

    // Registers handler for code, replacing an earlier handler of that code in
    // place. Handlers run after the class's own event procedure.
    void OnEvent(UINT code, EventHandler handler) { m_handlers.Set(code, std::move(handler)); }
    const EventHandlerTable& Handlers() const { return m_handlers; }

    // Delivers an event on the host window's thread (QXM_EVENT) and returns
    // the class's answer; 0 when the element has no host window.
    LRESULT SendEvent(UINT code, WPARAM wparam, LPARAM lparam);
    // Posts an event to the host window; true when it was posted.
    bool PostEvent(UINT code, WPARAM wparam, LPARAM lparam);

    // Asks the class to redraw its canvas (WM_PAINT with 0, 0).
    void Repaint() { SendEvent(WM_PAINT, 0, 0); }
    // Asks the host to repaint the element's rectangle (posted QXM_INVALIDATE).
    void Invalidate();

    // Runs the class's event procedure, then the first matching handler.
    // Returns the event procedure's answer (-1 = not handled).
    LRESULT Dispatch(UINT code, WPARAM wparam, LPARAM lparam);
    // Dispatch through a handle; 0 for a null handle.
    static LRESULT DispatchEvent(ElementHandle handle, UINT code, WPARAM wparam, LPARAM lparam);
    // For a host's QXM_EVENT: takes the event block and dispatches it to the
    // element named by wparam.
    static LRESULT DispatchEventMessage(WPARAM wparam, LPARAM lparam);

    // Called by the painter around the drawing of the canvas.
    void NotifyBeginPaint(ElementPaintRecord& record) { OnBeginPaint(record); }
    void NotifyEndPaint(ElementPaintRecord& record) { OnEndPaint(record); }

protected:
    // The class's event procedure: -1 when it does not handle the event.
    virtual LRESULT EventProc(UINT code, WPARAM wparam, LPARAM lparam) = 0;
    virtual void OnBeginPaint(ElementPaintRecord&) {}
    virtual void OnEndPaint(ElementPaintRecord&) {}

private:
    void Attach(HWND hwnd, ElementHost* host, const RectF& rect, int classId, bool visible,
                const ElementOptions& options);
    ElementHandle Finish(const ElementOptions& options);
    void MakeCanvas();
    SiblingList& ContainerList();
    bool IsAncestorOf(const Qx_Object& element) const;
    void ShiftDescendants(float dx, float dy);
    void Detach();
    void Empty();

    HWND m_hwnd = nullptr;
    ElementHandle m_handle = 0;
    Qx_Object* m_parent = nullptr;
    bool m_visible = false;
    bool m_disabled = false;
    bool m_focusable = false;
    bool m_updatesEnabled = false;
    HCURSOR m_cursor = nullptr;
    EventHandlerTable m_handlers;
    RectF m_rect;
    std::string m_text;
    std::string m_tag;
    int m_classId = 0;
    SiblingList m_children;
    Qx_Object* m_prev = nullptr;
    Qx_Object* m_next = nullptr;
    int m_frameIndex = 0;
    GpImagePtr m_canvas;
    GpGraphicsPtr m_canvasGraphics;
    ElementHost* m_host = nullptr;
    int m_alpha = 0;
    GpImagePtr m_snapshot;
    int m_frameInterval = 0;
    void* m_userData = nullptr;
    RectF m_prevRect;
    int m_frameCount = 0;
    int m_transitionEffect = 0;
};
