// Costs of the window host's painting on a 460 x 340 layered window with 20
// elements, as ratios to one plain UpdateLayeredWindow of the same canvas
// measured in the same run: a full Render, one element's dirty repaint with
// its presentation, and one transition frame.
#include "ui-host/HostTestSupport.h"

#include <cstdio>
#include <memory>
#include <vector>

using namespace HostTest;

namespace {

double Seconds()
{
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double PerCall(int count, F&& f)
{
    f();  // warm up
    const double start = Seconds();
    for (int i = 0; i < count; ++i)
        f();
    return (Seconds() - start) / count;
}

} // namespace

int main()
{
    HWND hwnd = MakeWindow(460, 340);
    Qx_Window host;
    BindOptions options;
    options.flags = 0;
    options.windowAlpha = 255;
    options.blurBehind = false;
    options.backgroundColor = RGB(40, 80, 120);
    if (!host.Bind(hwnd, options)) {
        std::printf("bind failed\n");
        return 1;
    }
    std::vector<std::unique_ptr<ColourElement>> elements;
    for (int i = 0; i < 20; ++i) {
        auto e = std::make_unique<ColourElement>(0xFF000000u | static_cast<Gdiplus::ARGB>(i * 0x0A0B0C));
        e->Create(hwnd, {static_cast<float>(20 + (i % 5) * 85), static_cast<float>(20 + (i / 5) * 75), 80, 60}, 2,
                  true, {});
        elements.push_back(std::move(e));
    }
    Pump();

    const int n = 200;
    const double present = PerCall(n, [&] { host.PresentRect(); });
    const double render = PerCall(n / 4, [&] { host.Render(nullptr, -1, 0, true); });
    ColourElement& one = *elements[7];
    bool flip = false;
    const double dirty = PerCall(n, [&] {
        flip = !flip;
        one.Recolour(flip ? 0xFFFF0000 : 0xFF00FF00);
    });
    one.SetTransition(8, 100000);
    one.Recolour(0xFF0000FF);
    one.SetFrameIndex(4);
    const double fade = PerCall(n, [&] { host.PaintRect(one.Rect(), true); });
    one.SetTransitionEffect(1);
    const double slide = PerCall(n, [&] { host.PaintRect(one.Rect(), true); });

    std::printf("UpdateLayeredWindow 460x340: %.3f ms (baseline 1.00)\n", present * 1e3);
    std::printf("full Render + present:        %.2f x\n", render / present);
    std::printf("dirty repaint of one element: %.2f x\n", dirty / present);
    std::printf("cross-fade frame:             %.2f x\n", fade / present);
    std::printf("slide frame:                  %.2f x\n", slide / present);
    ::DestroyWindow(hwnd);
    return 0;
}
