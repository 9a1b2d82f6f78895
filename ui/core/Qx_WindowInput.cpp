// Qx_Window: mouse, keyboard and focus routing.
#include "ui/core/Qx_Window.h"

#include "ui/core/EventCodes.h"
#include "ui/core/SystemCursor.h"

#include <windowsx.h>

#include <cwctype>

namespace {

constexpr float kEpsilon = 1e-7f;

LRESULT DispatchTo(Qx_Object* element, UINT code, WPARAM wparam, LPARAM lparam)
{
    return element ? element->Dispatch(code, wparam, lparam) : 0;
}

LPARAM HandleParam(const Qx_Object* element) { return static_cast<LPARAM>(element ? element->Self() : 0); }

bool CanTakeFocus(const Qx_Object& element)
{
    return element.Visible() && !element.Disabled() && element.Focusable() && element.ClassId() != 1;
}

} // namespace

void Qx_Window::Call(const InputCallback& f, Qx_Object* element, WPARAM wparam, LPARAM lparam)
{
    if (f)
        f(Hwnd(), element, wparam, lparam, element ? element->ClassId() : 0);
}

Qx_Object* Qx_Window::ElementAtPoint(Qx_Object* last, float x, float y)
{
    for (Qx_Object* element = last; element; element = element->PrevSibling()) {
        if (!element->Visible() || element->Disabled())
            continue;
        if (!element->Rect().Contains(x, y))
            continue;
        Qx_Object* child = ElementAtPoint(element->LastChild(), x, y);
        return child ? child : element;
    }
    return nullptr;
}

void Qx_Window::MouseEnter(Qx_Object* element, Qx_Object* old, WPARAM wparam, LPARAM lparam)
{
    DispatchTo(element, QXE_MOUSEENTER, wparam, HandleParam(old));
    Call(m_onMouseEnter, element, wparam, lparam);
    if (element)
        SetTooltip(*element, std::nullopt);
}

void Qx_Window::ToggleMaximize()
{
    ::PostMessageW(Hwnd(), WM_SYSCOMMAND, ::IsZoomed(Hwnd()) ? SC_RESTORE : SC_MAXIMIZE, 0);
    ::SendMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Qx_Window::StartDrag() { ::SendMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0); }

void Qx_Window::OnMouse(UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (m_busy || HandleSizingBorder(msg, lparam))
        return;
    const float x = static_cast<float>(GET_X_LPARAM(lparam));
    const float y = static_cast<float>(GET_Y_LPARAM(lparam));
    const HWND hwnd = Hwnd();

    if (PressTracked()) {
        Qx_Object* pressed = PressedElement();
        DispatchTo(pressed, msg, HandleParam(pressed), lparam);
        if (msg != WM_LBUTTONUP)
            return;
        Call(m_onRelease, nullptr, wparam, lparam);
        ::ReleaseCapture();
        // The release callback or the capture loss may have ended the press.
        pressed = PressedElement();
        Qx_Object* r = ElementAtPoint(LastElement(), x, y);
        if (r && r == pressed) {
            r->Dispatch(QXE_CLICK, HandleParam(r), lparam);
            Call(m_onClick, r, wparam, lparam);
        } else if (pressed && pressed->Visible()) {
            pressed->Dispatch(QXE_MOUSELEAVE, wparam, HandleParam(r));
            Call(m_onMouseLeave, pressed, wparam, lparam);
            MouseEnter(r, pressed, wparam, lparam);
        }
        SetPressedElement(nullptr, false);
        SetHoverElement(r);
        return;
    }

    Qx_Object* r = ElementAtPoint(LastElement(), x, y);
    Qx_Object* hover = HoverElement();
    if (hover && r != hover && hover->Visible()) {
        hover->Dispatch(QXE_MOUSELEAVE, wparam, HandleParam(r));
        Call(m_onMouseLeave, hover, wparam, lparam);
    }
    switch (msg) {
    case WM_LBUTTONDOWN: {
        const bool doubleClick = wparam == DoubleClickMarker;
        if (::GetFocus() != hwnd) {
            if (const HWND focus = ::GetFocus())
                ::SendMessageW(focus, WM_KILLFOCUS, 0, 0);
            ::SetFocus(hwnd);
        }
        if (r) {
            if (r->Dispatch(QXE_QUERYPRESS, 0, 0) != -1 || r->Focusable()) {
                Call(m_onPress, r, wparam, lparam);
                SetPressedElement(r, true);
                if (r->Focusable() && r != FocusElement()) {
                    Qx_Object* old = FocusElement();
                    SetFocusElement(r);
                    SetFocusCueElement(nullptr);
                    DispatchTo(old, QXE_KILLFOCUS, wparam, HandleParam(r));
                    Call(m_onKillFocus, old, wparam, lparam);
                    r->Dispatch(QXE_SETFOCUS, wparam, HandleParam(old));
                    Call(m_onFocus, r, wparam, lparam);
                }
                if (doubleClick)
                    Call(m_onDoubleClick, r, wparam, lparam);
                ::SetCapture(hwnd);
            } else if (doubleClick && (m_flags & WindowFlags::Title) && (m_flags & WindowFlags::Maximize)
                       && r == m_titleElement.get()) {
                ToggleMaximize();
            }
            if (!PressTracked() && m_dragAnywhere)
                StartDrag();
        } else if (doubleClick) {
            if (y < 30 && (m_flags & WindowFlags::Maximize))
                ToggleMaximize();
        } else if (m_dragAnywhere) {
            StartDrag();
        }
        break;
    }
    case WM_RBUTTONDOWN:
        Call(m_onRightDown, r, wparam, lparam);
        break;
    case WM_RBUTTONUP:
        Call(m_onRightUp, r, wparam, lparam);
        break;
    case WM_MOUSEMOVE:
        if (r != HoverElement())
            MouseEnter(r, HoverElement(), wparam, lparam);
        break;
    default:
        break;
    }
    DispatchTo(r, msg, wparam, lparam);
    SetHoverElement(r);
}

int Qx_Window::BorderZone(LPARAM lparam, int cx, int cy)
{
    const float x = static_cast<float>(GET_X_LPARAM(lparam));
    const float y = static_cast<float>(GET_Y_LPARAM(lparam));
    const bool nearRight = static_cast<float>(cx) - x - 10 < -kEpsilon;
    const bool nearBottom = static_cast<float>(cy) - y - 10 < -kEpsilon;
    int zone = 0;
    LPCSTR cursor = nullptr;
    if (y < 8) {
        if (x < 10) {
            zone = WMSZ_TOPLEFT;
            cursor = IDC_SIZENWSE;
        } else if (nearRight) {
            zone = WMSZ_TOPRIGHT;
            cursor = IDC_SIZENESW;
        } else {
            zone = WMSZ_TOP;
            cursor = IDC_SIZENS;
        }
    } else if (nearBottom) {
        if (x < 10) {
            zone = WMSZ_BOTTOMLEFT;
            cursor = IDC_SIZENESW;
        } else if (nearRight) {
            zone = WMSZ_BOTTOMRIGHT;
            cursor = IDC_SIZENWSE;
        } else {
            zone = WMSZ_BOTTOM;
            cursor = IDC_SIZENS;
        }
    } else if (x < 8) {
        zone = WMSZ_LEFT;
        cursor = IDC_SIZEWE;
    } else if (nearRight) {
        zone = WMSZ_RIGHT;
        cursor = IDC_SIZEWE;
    }
    if (zone)
        ::SetCursor(LoadSystemCursor(cursor));
    return zone;
}

bool Qx_Window::HandleSizingBorder(UINT msg, LPARAM lparam)
{
    if (!m_resizable || PressTracked() || (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN) || ::IsZoomed(Hwnd()))
        return false;
    const int zone = BorderZone(lparam, m_clientSize.cx, m_clientSize.cy);
    if (!zone)
        return false;
    DispatchTo(HoverElement(), QXE_MOUSELEAVE, 0, 0);
    SetHoverElement(nullptr);
    if (msg == WM_LBUTTONDOWN)
        ::SendMessageW(Hwnd(), WM_SYSCOMMAND, SC_SIZE + zone, lparam);
    return true;
}

void Qx_Window::OnKeyDown(UINT, WPARAM wparam, LPARAM lparam)
{
    Qx_Object* focus = FocusElement();
    const LRESULT answer = DispatchTo(focus, WM_KEYDOWN, wparam, lparam);
    if (focus && answer != -1)
        return;
    if (wparam == VK_TAB) {
        Qx_Object* start = focus ? focus : FirstElement();
        if (!start)
            return;
        while (start->GetParent())
            start = start->GetParent();
        // Each top-level element once, starting after the current one.
        Qx_Object* candidate = start->NextSibling() ? start->NextSibling() : FirstElement();
        for (Qx_Object* element = candidate;;) {
            if (CanTakeFocus(*element)) {
                SetFocusElement(element, true);
                return;
            }
            element = element->NextSibling() ? element->NextSibling() : FirstElement();
            if (element == candidate)
                return;
        }
    }
    if (wparam == VK_RETURN || wparam == VK_SPACE) {
        if (focus && focus->Visible() && !focus->Disabled()) {
            focus->Dispatch(QXE_CLICK, 0, 0);
            Call(m_onClick, focus, 0, 0);
        }
    }
}

bool Qx_Window::OnSysChar(UINT, WPARAM wparam, LPARAM lparam)
{
    DispatchTo(FocusElement(), WM_SYSCHAR, wparam, lparam);
    const wint_t typed = std::towlower(static_cast<wint_t>(wparam));
    for (const auto& [element, code] : m_mnemonics) {
        if (std::towlower(static_cast<wint_t>(code)) != typed)
            continue;
        if (!element || !element->Visible() || element->Disabled())
            continue;
        element->Dispatch(QXE_CLICK, 0, 0);
        Call(m_onClick, element, wparam, lparam);
        return true;
    }
    return false;
}

void Qx_Window::SetFocusElement(Qx_Object* element, bool showCue)
{
    if (!element || !CanTakeFocus(*element) || element == FocusElement())
        return;
    Qx_Object* old = FocusElement();
    SetFocusElement(element);
    SetFocusCueElement(nullptr);
    if (old)
        old->SendEvent(QXE_KILLFOCUS, 0, HandleParam(element));
    if (showCue)
        SetFocusCueElement(element);
    element->SendEvent(QXE_SETFOCUS, 0, HandleParam(old));
}
