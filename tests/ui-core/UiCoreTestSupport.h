// A minimal host for element tests and an element class that records what it
// receives.
//
// TestHost owns a real top-level window of its own class, publishes itself on
// it like the window host does, and answers the three host messages elements
// send: QXM_EVENT (dispatches the event block), QXM_INVALIDATE and QXM_MOVED.
// It records every one of them with the thread that handled it.
#pragma once

#include "ui/core/EventBlock.h"
#include "ui/core/Qx_Object.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace UiCoreTest {

// Starts the library once for the test program.
void EnsureLibrary();

struct HostMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    UINT eventCode;  // QXM_EVENT: the code in the block
    RectF rect;      // QXM_INVALIDATE: the rectangle at the time it was read
    DWORD thread;
};

struct TooltipRequest {
    Qx_Object* element;
    bool ownText;
    std::string text;
};

class TestHost : public ElementHost {
public:
    TestHost();
    ~TestHost() override;

    HWND Window() const { return m_window; }

    // Handles every message waiting for this thread.
    void Pump();

    std::vector<HostMessage> received;
    std::vector<TooltipRequest> tooltips;
    // QXM_MOVED asking for a repaint is refused (answered 0) this many more
    // times, as a busy host does.
    int busyAnswers = 0;

    std::vector<HostMessage> Received(UINT message) const;
    void Clear() { received.clear(); }

    void SetTooltip(Qx_Object& element, std::optional<std::string_view> text) override;

    // The window procedure of the test host class.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

private:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

    HWND m_window = nullptr;
};

struct ProbeCall {
    UINT code;
    WPARAM wparam;
    LPARAM lparam;
    DWORD thread;
};

// An element that records every event its class procedure receives and
// answers through answer (-1 when unset).
class ProbeElement : public Qx_Object {
public:
    std::vector<ProbeCall> calls;
    std::function<LRESULT(UINT code, WPARAM wparam, LPARAM lparam)> answer;
    // Optional shared log: "<name>:proc:<code>" per call.
    std::vector<std::string>* log = nullptr;
    std::string name;

    std::vector<ProbeCall> Calls(UINT code) const;
    int Count(UINT code) const { return static_cast<int>(Calls(code).size()); }

protected:
    LRESULT EventProc(UINT code, WPARAM wparam, LPARAM lparam) override;
};

} // namespace UiCoreTest
