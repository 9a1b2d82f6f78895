#include "ui/core/Qx_Window.h"

#include "ui/core/CaptionPartFactory.h"
#include "ui/core/EventBlock.h"
#include "ui/core/EventCodes.h"
#include "ui/core/HostTrampolineCode.h"
#include "ui/core/Library.h"
#include "ui/core/WideText.h"
#include "ui/core/WindowStyle.h"

#include <windowsx.h>

#include <cstdint>

namespace {

constexpr int kSysButtonKinds[] = {4, 8, 16, 32, 64, 128, 256};

LRESULT DispatchTo(Qx_Object* element, UINT code, WPARAM wparam, LPARAM lparam)
{
    return element ? element->Dispatch(code, wparam, lparam) : 0;
}

} // namespace

Qx_Window::Qx_Window() { m_paintQueue.Init(this); }

Qx_Window::~Qx_Window()
{
    // A window that outlives its host must not keep calling into freed code.
    Unbind();
}

Qx_Window* Qx_Window::FromHwnd(HWND hwnd) { return dynamic_cast<Qx_Window*>(ElementHost::FromHwnd(hwnd)); }

LRESULT CALLBACK Qx_Window::TrampolineTarget(HWND host, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto* self = static_cast<Qx_Window*>(reinterpret_cast<ElementHost*>(host));
    return self->WindowProc(msg, wparam, lparam);
}

void Qx_Window::SetWindowCursor(HCURSOR cursor, bool isHandle)
{
    m_windowCursor = isHandle ? cursor : ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(cursor));
}

// ---- binding ------------------------------------------------------------------

bool Qx_Window::Bind(HWND hwnd, const BindOptions& options)
{
    if (!hwnd || !::IsWindow(hwnd) || hwnd == Hwnd() || IsBound())
        return false;
    m_windowAlpha = options.windowAlpha;
    m_imageMode = options.imageMode;
    m_imageFrame = options.imageFrame;
    m_cornerStyle = options.cornerStyle;
    m_dragAnywhere = options.dragAnywhere;
    m_nineGridCenter = options.nineGridCenter;
    m_backgroundSource = options.backgroundSource;
    m_resizable = options.resizable ? *options.resizable : HasWindowStyle(hwnd, WS_THICKFRAME, false);
    if (m_windowAlpha == -1)
        m_blurBehind = false;
    else if (options.blurBehind)
        m_blurBehind = *options.blurBehind;
    else
        m_blurBehind = OsMajorVersion() == 6;

    const bool maximizeBox = HasWindowStyle(hwnd, WS_MAXIMIZEBOX, false);
    const bool minimizeBox = HasWindowStyle(hwnd, WS_MINIMIZEBOX, false);
    if (!options.flags || (*options.flags & WindowFlags::AddDefaults)) {
        AddWindowStyle(hwnd, WS_SYSMENU, false);
        int flags = options.flags ? (*options.flags & ~WindowFlags::AddDefaults) : 0;
        flags |= WindowFlags::Icon | WindowFlags::Title | WindowFlags::Close;
        if (maximizeBox)
            flags |= WindowFlags::Maximize;
        if (minimizeBox)
            flags |= WindowFlags::Minimize;
        m_flags = flags;
    } else {
        if (*options.flags != 0)
            AddWindowStyle(hwnd, WS_SYSMENU, false);
        m_flags = *options.flags;
    }
    m_flags |= WindowFlags::Shadow;

    AddWindowStyle(hwnd, WS_POPUP, false);
    Publish(hwnd);
    m_windowCursor = DefaultCursor();

    RemoveWindowStyle(hwnd, WS_THICKFRAME | WS_DLGFRAME | WS_BORDER, false);
    if (!(m_flags & WindowFlags::Minimize))
        RemoveWindowStyle(hwnd, WS_MINIMIZEBOX, false);
    if (!(m_flags & WindowFlags::Maximize))
        RemoveWindowStyle(hwnd, WS_MAXIMIZEBOX, false);

    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    m_clientSize = {rect.right - rect.left, rect.bottom - rect.top};
    m_windowDc = ::GetDC(hwnd);
    CreateSurfaces();

    if (Layered())
        AddWindowStyle(hwnd, WS_EX_LAYERED, true);

    m_paintQueue.Init(this);

    const auto handle = Handle();
    const auto routine = reinterpret_cast<std::uintptr_t>(&Qx_Window::TrampolineTarget);
#if UINTPTR_MAX == 0xFFFFFFFFu
    const HostTrampoline32 code = BuildHostTrampoline32(static_cast<std::uint32_t>(handle),
                                                        static_cast<std::uint32_t>(routine));
#else
    const HostTrampoline64 code = BuildHostTrampoline64(handle, routine);
#endif
    m_trampoline = ExecutableBlock::Write(code.data(), code.size());
    if (!m_trampoline) {
        // Without its trampoline the host cannot receive messages: undo.
        ::ReleaseDC(hwnd, m_windowDc);
        m_windowDc = nullptr;
        m_canvas.Free();
        m_background.Free();
        Withdraw();
        m_flags = 0;
        return false;
    }
    m_prevWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_trampoline.Entry())));
    m_busy = true;

    CreateCaptionParts();

    m_busy = false;
    Render(options.backgroundImage, options.backgroundColor, -1, false);
    if (Layered())
        PresentRect();

    CreateTooltip();
    if (m_resizable)
        AddWindowStyle(hwnd, WS_THICKFRAME, false);
    return true;
}

bool Qx_Window::CreateSurfaces()
{
    const int cx = m_clientSize.cx;
    const int cy = m_clientSize.cy;
    const bool ok = m_canvas.Create(m_windowDc, cx, cy, true) && m_background.Create(m_windowDc, cx, cy, false);
    HostCanvas::EnsureScratch(cx, cy);
    return ok;
}

void Qx_Window::CreateCaptionParts()
{
    CaptionPartFactory* factory = GetCaptionPartFactory();
    if (!factory)
        return;
    const HWND hwnd = Hwnd();
    if (m_flags & WindowFlags::Icon) {
        auto icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
        if (!icon)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrW(hwnd, GCLP_HICON));
        m_iconElement = factory->CreateIcon(hwnd, {11, 11, 16, 16}, icon);
        if (m_iconElement)
            m_iconElement->SetFocusable(false);
    }
    if (m_flags & WindowFlags::Title) {
        char text[256] = {};
        ::GetWindowTextA(hwnd, text, sizeof text);
        m_titleElement = factory->CreateTitle(hwnd, {0, 9, 0, 18}, text);
    }
    float right = static_cast<float>(m_clientSize.cx - 12);
    for (int kind : kSysButtonKinds) {
        if (!(m_flags & kind))
            continue;
        const float width = kind == 4 ? 39.0f : 28.0f;
        right -= width;
        if (auto button = factory->CreateSysButton(hwnd, {right, 7, width, 19}, kind))
            m_sysButtons.push_back(std::move(button));
    }
}

void Qx_Window::CreateTooltip()
{
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    m_tooltip.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                                      0, 0, nullptr, nullptr, nullptr, nullptr));
    if (!m_tooltip)
        return;
    ::SetWindowPos(m_tooltip.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_toolInfo = {};
    m_toolInfo.cbSize = TTTOOLINFOA_V1_SIZE;
    m_toolInfo.uFlags = TTF_SUBCLASS;
    m_toolInfo.hwnd = Hwnd();
    ::SendMessageW(m_tooltip.get(), TTM_SETMAXTIPWIDTH, 0, 1024);
}

void Qx_Window::Unbind()
{
    if (!m_prevWndProc)
        return;
    const HWND hwnd = Hwnd();
    m_busy = true;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevWndProc));
    m_paintQueue.Clear();
    DestroyElements();
    m_clipRegion.reset();
    m_ownBackgroundImage.reset();
    m_backgroundImage = nullptr;
    if (m_tooltip) {
        ::SendMessageW(m_tooltip.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
        m_tooltip.reset();
    }
    if (PressTracked() || m_mouseTracking) {
        m_mouseTracking = false;
        ::ReleaseCapture();
    }
    SetPressedElement(nullptr, false);
    SetFocusElement(nullptr);
    SetHoverElement(nullptr);
    SetFocusCueElement(nullptr);
    m_flags = 0;
    m_canvas.Free();
    m_background.Free();
    if (m_windowDc)
        ::ReleaseDC(hwnd, m_windowDc);
    m_windowDc = nullptr;
    m_mnemonics.clear();
    // The caption parts were destroyed with the other top-level elements.
    m_sysButtons.clear();
    m_iconElement.reset();
    m_titleElement.reset();
    Withdraw();
    m_prevWndProc = nullptr;
    m_trampoline.Free();
    m_busy = false;
}

void Qx_Window::OnSize(UINT type)
{
    if (type == SIZE_MINIMIZED)
        return;
    RECT rect{};
    ::GetWindowRect(Hwnd(), &rect);
    const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    if (size.cx == m_clientSize.cx && size.cy == m_clientSize.cy)
        return;
    m_clientSize = size;
    if (m_onSize)
        m_onSize(Hwnd(), size.cx, size.cy);
    CreateSurfaces();
    Render(nullptr, static_cast<int>(m_backgroundColor), 0, true);
}

// ---- window procedure -----------------------------------------------------------

LRESULT Qx_Window::WindowProc(UINT msg, WPARAM wparam, LPARAM lparam)
{
    const HWND hwnd = Hwnd();
    // WM_DESTROY unbinds: keep what the last step needs.
    const WNDPROC previous = m_prevWndProc;
    if (m_onMessage) {
        const LRESULT answer = m_onMessage(hwnd, msg, wparam, lparam);
        if (answer != -1)
            return answer;
    }
    bool handled = false;
    const LRESULT answer = HandleMessage(msg, wparam, lparam, handled);
    if (handled)
        return answer;
    return ::CallWindowProcW(previous, hwnd, msg, wparam, lparam);
}

LRESULT Qx_Window::HandleMessage(UINT msg, WPARAM wparam, LPARAM lparam, bool& handled)
{
    const HWND hwnd = Hwnd();
    switch (msg) {
    case WM_DESTROY:
        Unbind();
        break;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wparam));
        break;
    case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) {
            DispatchTo(HoverElement(), QXE_MOUSELEAVE, wparam, lparam);
            if (PressTracked()) {
                DispatchTo(PressedElement(), QXE_KILLFOCUS, wparam, lparam);
                ::ReleaseCapture();
                SetPressedElement(PressedElement(), false);
            }
        } else if (PressedElement()) {
            DispatchTo(PressedElement(), QXE_SETFOCUS, wparam, lparam);
        }
        break;
    case WM_SETTEXT: {
        handled = true;
        const LRESULT answer = ::CallWindowProcW(m_prevWndProc, hwnd, msg, wparam, lparam);
        CaptionPartFactory* factory = GetCaptionPartFactory();
        if ((m_flags & WindowFlags::Title) && answer == 1 && m_titleElement && factory)
            factory->SetTitleText(*m_titleElement, reinterpret_cast<const wchar_t*>(lparam));
        return answer;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(hwnd, &paint);
        if (dc) {
            const RECT& r = paint.rcPaint;
            ::BitBlt(m_windowDc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_canvas.Dc(), r.left, r.top,
                     SRCCOPY);
        }
        ::EndPaint(hwnd, &paint);
        handled = true;
        return 0;
    }
    case WM_CLOSE:
        PlayCloseEffect();
        ::ShowWindow(hwnd, SW_HIDE);
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wparam) == hwnd) {
            Qx_Object* hover = HoverElement();
            ::SetCursor(hover && hover->Cursor() ? hover->Cursor() : m_windowCursor);
            handled = true;
            return 1;
        }
        break;
    case WM_NCACTIVATE:
        handled = true;
        return 1;
    case WM_GETMINMAXINFO: {
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
        info->ptMaxSize = {work.right - work.left + 14, work.bottom - work.top + 14};
        info->ptMaxPosition = {work.left - 7, work.top - 7};
        info->ptMinTrackSize = {28 * static_cast<LONG>(m_sysButtons.size()) + ((m_flags & WindowFlags::Close) ? 11 : 0) + 36,
                                38};
        handled = true;
        return 0;
    }
    case WM_STYLECHANGED:
        RemoveWindowStyle(hwnd, WS_DLGFRAME | WS_BORDER, false);
        break;
    case WM_NCCALCSIZE:
        if (wparam == 1) {
            handled = true;
            return 1;
        }
        break;
    case WM_KEYDOWN:
        OnKeyDown(msg, wparam, lparam);
        break;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_IME_COMPOSITION:
    case WM_COMMAND:
    case WM_MOUSEWHEEL:
        DispatchTo(FocusElement(), msg, wparam, lparam);
        break;
    case WM_SYSCHAR:
        if (OnSysChar(msg, wparam, lparam)) {
            handled = true;
            return 0;
        }
        break;
    case WM_TIMER:
        Qx_Object::DispatchEvent(wparam, WM_TIMER, wparam, lparam);
        break;
    case WM_MOUSEMOVE:
        if (!m_mouseTracking) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
            m_mouseTracking = ::TrackMouseEvent(&track) != FALSE;
        }
        OnMouse(msg, wparam, lparam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        OnMouse(msg, wparam, lparam);
        break;
    case WM_LBUTTONDBLCLK:
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, DoubleClickMarker, lparam);
        handled = true;
        return 0;
    case WM_MOUSELEAVE:
        m_mouseTracking = false;
        ::ReleaseCapture();
        if (Qx_Object* hover = HoverElement()) {
            hover->Dispatch(QXE_MOUSELEAVE, wparam, lparam);
            Call(m_onMouseLeave, hover, wparam, lparam);
            SetHoverElement(nullptr);
        }
        break;
    case QXE_SETFOCUS:
        if (lparam)
            SetFocusElement(Qx_Object::FromHandle(static_cast<ElementHandle>(lparam)), false);
        break;
    case QXM_MNEMONIC:
        handled = true;
        return SetMnemonic(Qx_Object::FromHandle(wparam), static_cast<int>(lparam)) ? 1 : 0;
    case QXM_PRESENT:
        PresentRect();
        break;
    case QXM_INVALIDATE:
        if (lparam) {
            const RectF rect = *reinterpret_cast<const RectF*>(lparam);
            InvalidateRect(rect, static_cast<int>(wparam));
        }
        if (wparam == 1) {
            handled = true;
            return 0;
        }
        break;
    case QXM_MOVED: {
        Qx_Object::DispatchEvent(wparam, QXM_MOVED, 0, 0);
        handled = true;
        if (lparam != 1)
            return 1;
        if (m_busy)
            return 0;
        if (Qx_Object* element = Qx_Object::FromHandle(wparam)) {
            InvalidateRect(element->PrevRect(), 1);
            InvalidateRect(element->Rect(), 1);
        }
        return 1;
    }
    case QXM_EVENT:
        handled = true;
        return Qx_Object::DispatchEventMessage(wparam, lparam);
    default:
        break;
    }
    return 0;
}

// ---- tooltip and mnemonics ---------------------------------------------------------

void Qx_Window::SetTooltip(Qx_Object& element, std::optional<std::string_view> text)
{
    if (!m_tooltip)
        return;
    ::SendMessageW(m_tooltip.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    std::string shown = text ? std::string(*text) : element.Text();
    if (shown.empty())
        return;
    const RectF& r = element.Rect();
    m_toolInfo.rect = {static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.left + r.width),
                       static_cast<LONG>(r.top + r.height)};
    m_toolInfo.lpszText = shown.data();
    ::SendMessageW(m_tooltip.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    ::SendMessageW(m_tooltip.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    ::SendMessageW(m_tooltip.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    // The tooltip keeps its own copy of the text.
    m_toolInfo.lpszText = nullptr;
}

bool Qx_Window::SetMnemonic(Qx_Object* element, int code)
{
    for (auto it = m_mnemonics.begin(); it != m_mnemonics.end(); ++it) {
        if (it->first != element)
            continue;
        if (code)
            it->second = code;
        else
            m_mnemonics.erase(it);
        return true;
    }
    if (code)
        m_mnemonics.emplace_back(element, code);
    return true;
}
