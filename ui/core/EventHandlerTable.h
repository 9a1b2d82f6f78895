// The event handlers registered on one element with Qx_Object::OnEvent: at
// most one handler per event code, kept in registration order.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

class Qx_Object;

// What a registered handler receives. parent is null for a top-level element.
struct ElementEvent {
    Qx_Object* element;
    Qx_Object* parent;
    UINT code;
    WPARAM wparam;
    LPARAM lparam;
};

using EventHandler = std::function<void(const ElementEvent&)>;

class EventHandlerTable {
public:
    // Replaces the handler of code in place, or appends a new entry.
    void Set(UINT code, EventHandler handler);

    // The first entry, in table order, whose code equals code; an entry for
    // WM_LBUTTONDBLCLK also matches a WM_LBUTTONDOWN carrying the double-click
    // marker, which is how the host delivers a double click. Null when none.
    const EventHandler* Match(UINT code, WPARAM wparam) const;

    std::size_t Size() const { return m_entries.size(); }
    UINT CodeAt(std::size_t index) const { return m_entries[index].first; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::pair<UINT, EventHandler>> m_entries;
};
