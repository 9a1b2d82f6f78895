// What elements need from the window that hosts them: the top-level sibling
// list, the elements the host tracks for input (focus, hover, press, focus
// cue) and the host's tooltip. The window host class derives from it; so do
// hosts written for tests.
//
// A host is published on its window as the property "Qx_Wnd_Control" holding
// the host's handle; elements created on that window find the host through it.
// Everything here belongs to the thread that owns the window.
#pragma once

#include "ui/core/ElementHandle.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <unordered_set>

class Qx_Object;

// The two ends of one sibling list; both are null when the list is empty.
// Members are linked through Qx_Object's previous and next sibling.
struct SiblingList {
    Qx_Object* first = nullptr;
    Qx_Object* last = nullptr;
};

class ElementHost {
public:
    ElementHost() = default;
    // Destroys every element still created on this host, listed or not, so
    // that none keeps pointing here.
    virtual ~ElementHost();
    ElementHost(const ElementHost&) = delete;
    ElementHost& operator=(const ElementHost&) = delete;

    // The host published on hwnd; null for a window that has none.
    static ElementHost* FromHwnd(HWND hwnd);

    ElementHandle Handle() const { return HandleOf(this); }
    HWND Hwnd() const { return m_hwnd; }

    // Top-level elements, first painted first; the last is hit first.
    SiblingList& TopLevel() { return m_topLevel; }
    const SiblingList& TopLevel() const { return m_topLevel; }
    Qx_Object* FirstElement() const { return m_topLevel.first; }
    Qx_Object* LastElement() const { return m_topLevel.last; }
    // True when element is a member of the top-level list.
    bool ListsTopLevel(const Qx_Object& element) const;

    Qx_Object* FocusElement() const { return m_focusElement; }
    void SetFocusElement(Qx_Object* element) { m_focusElement = element; }
    Qx_Object* HoverElement() const { return m_hoverElement; }
    void SetHoverElement(Qx_Object* element) { m_hoverElement = element; }
    Qx_Object* PressedElement() const { return m_pressedElement; }
    bool PressTracked() const { return m_pressTracked; }
    void SetPressedElement(Qx_Object* element, bool tracked)
    {
        m_pressedElement = element;
        m_pressTracked = tracked;
    }
    Qx_Object* FocusCueElement() const { return m_focusCueElement; }
    void SetFocusCueElement(Qx_Object* element) { m_focusCueElement = element; }

    // Drops every reference the host holds to element (a destroyed element).
    void ForgetElement(const Qx_Object& element);

    // Shows text as the tooltip of element; no text means the element's own
    // Text. An empty text removes the tooltip.
    virtual void SetTooltip(Qx_Object& element, std::optional<std::string_view> text) = 0;

protected:
    // Publishes this host on hwnd / removes it again.
    void Publish(HWND hwnd);
    void Withdraw();

    // Destroys every top-level element, and with them all their descendants.
    void DestroyElements();

private:
    friend class Qx_Object;
    // Every element created on this host, kept by Qx_Object.
    void Adopt(Qx_Object& element) { m_members.insert(&element); }
    void Release(const Qx_Object& element) { m_members.erase(const_cast<Qx_Object*>(&element)); }

    HWND m_hwnd = nullptr;
    std::unordered_set<Qx_Object*> m_members;
    SiblingList m_topLevel;
    Qx_Object* m_focusElement = nullptr;
    Qx_Object* m_hoverElement = nullptr;
    Qx_Object* m_pressedElement = nullptr;
    bool m_pressTracked = false;
    Qx_Object* m_focusCueElement = nullptr;
};
