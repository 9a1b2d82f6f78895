// Qx_Window: the host that turns a top-level window into a surface for
// elements.
//
//   Qx_Window host;
//   HWND hwnd = CreateTopWindow({...});
//   BindOptions options;
//   options.flags = 0;                    // no caption parts
//   options.windowAlpha = 255;            // layered, per-pixel alpha
//   host.Bind(hwnd, options);             // subclassed, canvas rendered
//   ... create elements on hwnd ...
//   DestroyWindow(hwnd);                  // WM_DESTROY unbinds
//
// Bind subclasses the window through a per-host trampoline (executable code
// that passes the host's handle as the first argument to the host's window
// procedure), strips the system frame, renders the window's look into an
// off-screen canvas and a background cache, and publishes the host as the
// window property "Qx_Wnd_Control". From then on the host paints from the
// canvas, repaints dirty rectangles through its paint queue, routes mouse and
// keyboard input to elements and delivers events other threads send through
// window messages. Unbind (on WM_DESTROY) restores the previous window
// procedure before anything is freed; the object can then bind again.
//
// Callbacks follow the library's rule: a message callback answering -1 lets
// the host continue; input callbacks receive (hwnd, element, wparam, lparam,
// element class id) and their results are ignored.
//
// Everything here runs on the thread that owns the window.
#pragma once

#include "ui/core/ByteBuffer.h"
#include "ui/core/ElementHost.h"
#include "ui/core/ExecutableBlock.h"
#include "ui/core/Handles.h"
#include "ui/core/HostCanvas.h"
#include "ui/core/Qx_Object.h"
#include "ui/core/Qx_PaintQueue.h"
#include "ui/core/RectF.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// Caption and frame bits of Qx_Window::Flags.
namespace WindowFlags {
constexpr int Icon = 1;
constexpr int Title = 2;
constexpr int Close = 4;
constexpr int Maximize = 8;  // also: a double click on the caption toggles maximize
constexpr int Minimize = 16;
constexpr int Shadow = 512;     // always set by Bind
constexpr int AddDefaults = 1024;  // Bind argument only
} // namespace WindowFlags

// The optional arguments of Bind.
struct BindOptions {
    const ByteBuffer* backgroundImage = nullptr;  // encoded image, no signature added
    int backgroundColor = -1;                     // COLORREF; -1 = from the image (or black)
    std::optional<int> flags;                     // absent: the default caption bits
    int windowAlpha = -1;                         // -1 = ordinary window; else layered
    int imageMode = 0;                            // 0 natural, 1 stretched, 2 centred, other: not drawn
    int cornerStyle = 7;                          // 0 square, 1 skin, other rounded
    std::optional<bool> resizable;                // absent: whether the window has WS_THICKFRAME
    bool dragAnywhere = true;
    bool imageFrame = true;
    std::optional<bool> blurBehind;
    RECT nineGridCenter{};                        // skin mode; empty = natural size
    HWND backgroundSource = nullptr;              // another bound host whose background to share
};

class Qx_Window : public ElementHost {
public:
    using MessageCallback = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
    using InputCallback = std::function<void(HWND, Qx_Object*, WPARAM, LPARAM, int)>;
    using PaintBackgroundCallback = std::function<void(HWND, Gdiplus::GpGraphics*, int, int)>;
    using SizeCallback = std::function<void(HWND, int, int)>;

    Qx_Window();
    ~Qx_Window() override;

    // The host bound to hwnd, null for a window without a Qx_Window.
    static Qx_Window* FromHwnd(HWND hwnd);

    // ---- binding ----------------------------------------------------------

    // Fails for a null or invalid window and for the window this host is
    // already bound to.
    bool Bind(HWND hwnd, const BindOptions& options = {});
    // Restores the previous window procedure first, then destroys the
    // elements and frees the canvases, the tooltip window and the trampoline.
    void Unbind();
    bool IsBound() const { return m_prevWndProc != nullptr; }

    // The window procedure behind the trampoline.
    LRESULT WindowProc(UINT msg, WPARAM wparam, LPARAM lparam);

    // ---- state ------------------------------------------------------------

    int Flags() const { return m_flags; }
    bool Busy() const { return m_busy; }
    bool Layered() const { return m_windowAlpha != -1; }
    int WindowAlpha() const { return m_windowAlpha; }
    SIZE ClientSize() const { return m_clientSize; }
    bool Resizable() const { return m_resizable; }
    bool BlurBehind() const { return m_blurBehind; }
    int ImageMode() const { return m_imageMode; }
    COLORREF BackgroundColor() const { return m_backgroundColor; }
    Gdiplus::GpImage* BackgroundImage() const { return m_backgroundImage; }
    HWND TooltipWindow() const { return m_tooltip.get(); }
    HCURSOR WindowCursor() const { return m_windowCursor; }
    WNDPROC PreviousWindowProc() const { return m_prevWndProc; }
    void* TrampolineEntry() const { return m_trampoline.Entry(); }

    bool DragAnywhere() const { return m_dragAnywhere; }
    void SetDragAnywhere(bool value) { m_dragAnywhere = value; }
    int CornerStyle() const { return m_cornerStyle; }
    void SetCornerStyle(int value) { m_cornerStyle = value; }
    void SetShadowColor(COLORREF colour) { m_shadowColor = static_cast<int>(colour); }
    int CloseEffect() const { return m_closeEffect; }
    void SetCloseEffect(int effect) { m_closeEffect = effect; }
    // A cursor handle, or with isHandle false a system cursor id (IDC_*).
    void SetWindowCursor(HCURSOR cursor, bool isHandle = true);

    // Caption parts (empty when no factory made them).
    Qx_Object* IconElement() const { return m_iconElement.get(); }
    Qx_Object* TitleElement() const { return m_titleElement.get(); }
    const std::vector<std::unique_ptr<Qx_Object>>& SysButtons() const { return m_sysButtons; }

    // ---- rendering --------------------------------------------------------

    const HostCanvas& Canvas() const { return m_canvas; }
    const HostCanvas& BackgroundCache() const { return m_background; }
    HDC WindowDC() const { return m_windowDc; }
    Qx_PaintQueue& PaintQueue() { return m_paintQueue; }

    // Composes the whole window: background (image, colour, frame, shadow),
    // background cache, caption layout, then every visible element.
    // presentMode 0 presents, 1 fades in (layered windows), other values
    // leave the screen alone. Always 1.
    int Render(const ByteBuffer* image, int colour, int presentMode, bool suppressSnapshot);
    void LayoutCaption();
    // Mode 0 appends the rectangle to the paint queue, 2 puts it first, 1
    // paints and presents it at once.
    void InvalidateRect(const RectF& rect, int mode);
    // Restores rect from the background cache, composes the elements over it
    // and, with present, shows it. Nothing while the host is busy.
    void PaintRect(const RectF& rect, bool present);
    // Shows the canvas: BitBlt of rect for an ordinary window, the whole
    // canvas through UpdateLayeredWindow for a layered one.
    void Present(const RectF& rect);
    void PresentRect(std::optional<RectF> rect = std::nullopt);

    // ---- input ------------------------------------------------------------

    // The visible, enabled element under (x, y), searching last from backwards
    // and into children; null when none.
    static Qx_Object* ElementAtPoint(Qx_Object* last, float x, float y);
    void OnMouse(UINT msg, WPARAM wparam, LPARAM lparam);
    bool HandleSizingBorder(UINT msg, LPARAM lparam);
    // 0 or the WMSZ_ edge (1-8) under lparam; sets the sizing cursor.
    static int BorderZone(LPARAM lparam, int cx, int cy);
    void OnKeyDown(UINT msg, WPARAM wparam, LPARAM lparam);
    bool OnSysChar(UINT msg, WPARAM wparam, LPARAM lparam);
    using ElementHost::SetFocusElement;
    // Refused for disabled, hidden, non-focusable and class-1 elements and for
    // the current focus; the elements learn of the change (QXE_KILLFOCUS,
    // QXE_SETFOCUS), the callbacks do not.
    void SetFocusElement(Qx_Object* element, bool showCue);
    // Non-zero code registers or replaces element's mnemonic; 0 removes it.
    bool SetMnemonic(Qx_Object* element, int code);
    void SetTooltip(Qx_Object& element, std::optional<std::string_view> text) override;
    void OnSize(UINT type);

    // ---- callbacks (each setter answers the routine it replaced) ----------

    PaintBackgroundCallback SetOnPaintBackground(PaintBackgroundCallback f) { return std::exchange(m_onPaintBackground, std::move(f)); }
    MessageCallback SetOnMessage(MessageCallback f) { return std::exchange(m_onMessage, std::move(f)); }
    SizeCallback SetOnSize(SizeCallback f) { return std::exchange(m_onSize, std::move(f)); }
    InputCallback SetOnPress(InputCallback f) { return std::exchange(m_onPress, std::move(f)); }
    InputCallback SetOnRelease(InputCallback f) { return std::exchange(m_onRelease, std::move(f)); }
    InputCallback SetOnClick(InputCallback f) { return std::exchange(m_onClick, std::move(f)); }
    InputCallback SetOnDoubleClick(InputCallback f) { return std::exchange(m_onDoubleClick, std::move(f)); }
    InputCallback SetOnRightDown(InputCallback f) { return std::exchange(m_onRightDown, std::move(f)); }
    InputCallback SetOnRightUp(InputCallback f) { return std::exchange(m_onRightUp, std::move(f)); }
    InputCallback SetOnMouseLeave(InputCallback f) { return std::exchange(m_onMouseLeave, std::move(f)); }
    InputCallback SetOnMouseEnter(InputCallback f) { return std::exchange(m_onMouseEnter, std::move(f)); }
    InputCallback SetOnFocus(InputCallback f) { return std::exchange(m_onFocus, std::move(f)); }
    InputCallback SetOnKillFocus(InputCallback f) { return std::exchange(m_onKillFocus, std::move(f)); }

protected:
    // Window effects. The defaults: a fade-in presents at once, the close
    // effect and the blur behind do nothing.
    virtual void StartFadeIn();
    virtual void PlayCloseEffect() {}
    virtual void EnableBlurBehind() {}

private:
    static LRESULT CALLBACK TrampolineTarget(HWND host, UINT msg, WPARAM wparam, LPARAM lparam);
    LRESULT HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam, bool& handled);

    void CreateCaptionParts();
    void CreateTooltip();
    bool CreateSurfaces();
    void LoadBackground(const ByteBuffer* image, int colour);
    void DrawFramedBackground(Gdiplus::GpGraphics* g, int cx, int cy);
    void DrawShadow(Gdiplus::GpGraphics* g);
    void PaintElements(Qx_Object* first, const RectF& rect, Gdiplus::GpGraphics* g);
    void PaintTree(Qx_Object* first, Gdiplus::GpGraphics* g, bool sendSnapshot);
    void DrawDefaultTransition(Qx_Object& element, Gdiplus::GpGraphics* g);
    int ElementOpacity(Qx_Object& element);

    void MouseEnter(Qx_Object* element, Qx_Object* old, WPARAM wparam, LPARAM lparam);
    void ToggleMaximize();
    void StartDrag();
    void Call(const InputCallback& f, Qx_Object* element, WPARAM wparam, LPARAM lparam);

    WNDPROC m_prevWndProc = nullptr;
    ExecutableBlock m_trampoline;
    bool m_busy = false;
    HDC m_windowDc = nullptr;
    HostCanvas m_canvas;
    HostCanvas m_background;
    HWND m_backgroundSource = nullptr;
    GpImagePtr m_ownBackgroundImage;
    Gdiplus::GpImage* m_backgroundImage = nullptr;
    COLORREF m_backgroundColor = 0;
    int m_flags = 0;
    UniqueWindow m_tooltip;
    int m_cornerStyle = 7;
    int m_windowAlpha = -1;
    int m_imageMode = 0;
    int m_shadowColor = -1;
    bool m_resizable = false;
    bool m_dragAnywhere = true;
    bool m_imageFrame = true;
    int m_closeEffect = 0;
    SIZE m_clientSize{};
    GpRegionPtr m_clipRegion;
    bool m_blurBehind = false;
    HCURSOR m_windowCursor = nullptr;
    RECT m_nineGridCenter{};
    bool m_mouseTracking = false;
    std::vector<std::pair<Qx_Object*, int>> m_mnemonics;
    std::vector<std::unique_ptr<Qx_Object>> m_sysButtons;
    std::unique_ptr<Qx_Object> m_iconElement;
    std::unique_ptr<Qx_Object> m_titleElement;
    Qx_PaintQueue m_paintQueue;
    TOOLINFOA m_toolInfo{};

    PaintBackgroundCallback m_onPaintBackground;
    MessageCallback m_onMessage;
    InputCallback m_onPress, m_onRelease, m_onClick, m_onDoubleClick, m_onRightDown, m_onRightUp;
    InputCallback m_onMouseEnter, m_onMouseLeave, m_onFocus, m_onKillFocus;
    SizeCallback m_onSize;
};
