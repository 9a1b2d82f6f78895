// Helpers for window-host tests: a real top-level window whose class
// procedure records what reaches it, an element that paints itself one
// colour and records its events, and message pumping.
#pragma once

#include "ui/core/Qx_Object.h"
#include "ui/core/Qx_Window.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace HostTest {

// Starts the library and registers the test window class once.
void EnsureLibrary();

// Messages the class procedure of every test window received, in order.
std::vector<UINT>& ClassProcMessages();

// A shown top-level window of the test class (popup, not yet bound).
HWND MakeWindow(int width, int height, DWORD style = WS_POPUP | WS_CLIPCHILDREN, int x = 100, int y = 100);

void Pump();
// Pumps for about ms milliseconds.
void PumpFor(int ms);

struct Event {
    UINT code;
    WPARAM wparam;
    LPARAM lparam;
    DWORD thread;
};

// An element that fills its canvas with one ARGB colour on WM_PAINT and
// records every event its class procedure receives.
class ColourElement : public Qx_Object {
public:
    explicit ColourElement(Gdiplus::ARGB colour = 0xFF0000FF) : m_colour(colour) {}

    std::vector<Event> events;
    std::function<LRESULT(UINT, WPARAM, LPARAM)> answer;
    // Shared log of "name:code" lines across elements, when set.
    std::vector<std::string>* log = nullptr;
    std::string name;

    int Count(UINT code) const;
    std::vector<Event> Of(UINT code) const;
    // Paints a new colour through BeginElementPaint/EndElementPaint.
    void Recolour(Gdiplus::ARGB colour);
    Gdiplus::ARGB Colour() const { return m_colour; }

protected:
    LRESULT EventProc(UINT code, WPARAM wparam, LPARAM lparam) override;

private:
    Gdiplus::ARGB m_colour;
};

// Premultiplied BGRA pixel -> components.
inline int A(std::uint32_t p) { return static_cast<int>(p >> 24); }
inline int R(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int G(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int B(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

} // namespace HostTest
