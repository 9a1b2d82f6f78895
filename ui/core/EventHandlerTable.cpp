#include "ui/core/EventHandlerTable.h"

#include "ui/core/EventCodes.h"

void EventHandlerTable::Set(UINT code, EventHandler handler)
{
    for (auto& entry : m_entries) {
        if (entry.first == code) {
            entry.second = std::move(handler);
            return;
        }
    }
    m_entries.emplace_back(code, std::move(handler));
}

const EventHandler* EventHandlerTable::Match(UINT code, WPARAM wparam) const
{
    const bool doubleClick = code == WM_LBUTTONDOWN && wparam == DoubleClickMarker;
    for (const auto& entry : m_entries) {
        if (entry.first == code || (entry.first == WM_LBUTTONDBLCLK && doubleClick))
            return &entry.second;
    }
    return nullptr;
}
