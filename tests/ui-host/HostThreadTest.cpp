// Element calls from a worker thread reach the UI thread through the host's
// window messages, while the host is busy rendering and afterwards.
#include "ui-host/HostTestSupport.h"

#include "ui/core/EventCodes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace HostTest;

TEST(HostThreads, SendEventInvalidateAndMoveFromAWorkerWhileBusyAndAfter)
{
    HWND hwnd = MakeWindow(200, 150);
    Qx_Window host;
    BindOptions options;
    options.flags = 0;
    options.windowAlpha = 255;
    options.blurBehind = false;
    ASSERT_TRUE(host.Bind(hwnd, options));
    ColourElement e(0xFFFF0000);
    e.Create(hwnd, {20, 20, 40, 30}, 2, true, {});
    Pump();

    const DWORD uiThread = ::GetCurrentThreadId();
    std::atomic<int> stage{0};
    std::atomic<bool> busyAtEvent{false};
    std::atomic<DWORD> eventThread{0};
    e.answer = [&](UINT code, WPARAM w, LPARAM l) -> LRESULT {
        if (code != 0x7001)
            return -1;
        busyAtEvent = host.Busy();
        eventThread = ::GetCurrentThreadId();
        return static_cast<LRESULT>(w * 100 + l);
    };
    int movedRefused = 0, movedAccepted = 0, invalidates = 0;
    DWORD invalidateThread = 0;
    host.SetOnMessage([&](HWND, UINT msg, WPARAM, LPARAM lparam) -> LRESULT {
        if (msg == QXM_MOVED && lparam == 1)
            (host.Busy() ? movedRefused : movedAccepted)++;
        if (msg == QXM_INVALIDATE) {
            ++invalidates;
            invalidateThread = ::GetCurrentThreadId();
        }
        return -1;
    });
    // While the background is drawn the host is busy: handle what the worker
    // sends, and keep refusing its move for a while.
    host.SetOnPaintBackground([&](HWND, Gdiplus::GpGraphics*, int, int) {
        if (stage != 0)
            return;
        stage = 1;
        const DWORD end = ::GetTickCount() + 3000;
        MSG m;
        while (stage < 3 && static_cast<int>(end - ::GetTickCount()) > 0) {
            ::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            ::Sleep(1);
        }
        // Let the move be refused a few times.
        const DWORD more = ::GetTickCount() + 50;
        while (static_cast<int>(more - ::GetTickCount()) > 0) {
            ::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            ::Sleep(1);
        }
    });

    LRESULT answer = 0;
    std::thread worker([&] {
        while (stage < 1)
            ::Sleep(1);
        answer = e.SendEvent(0x7001, 4, 2);
        e.Invalidate();
        stage = 3;
        e.Move(120.0f, 90.0f);
        stage = 4;
    });
    host.Render(nullptr, -1, 0, true);
    EXPECT_FALSE(host.Busy());
    for (int i = 0; i < 300 && stage < 4; ++i)
        PumpFor(10);
    worker.join();
    Pump();

    EXPECT_EQ(answer, 402);
    EXPECT_EQ(eventThread.load(), uiThread);
    EXPECT_TRUE(busyAtEvent.load());
    EXPECT_GE(movedRefused, 1) << "a repainting move is refused while busy";
    EXPECT_EQ(movedAccepted, 1);
    EXPECT_GE(invalidates, 1);
    EXPECT_EQ(invalidateThread, uiThread);
    EXPECT_GE(e.Count(QXM_MOVED), 2);
    const std::uint32_t moved = host.Canvas().Pixel(130, 100);
    EXPECT_GT(R(moved), 240);
    EXPECT_LT(G(moved), 10);
    const std::uint32_t old = host.Canvas().Pixel(30, 30);
    EXPECT_LT(R(old), 10) << "the old place shows the background again";

    // Once idle, the same calls are handled at once.
    busyAtEvent = true;
    std::thread after([&] { answer = e.SendEvent(0x7001, 1, 1); e.Move(20.0f, 20.0f); });
    for (int i = 0; i < 100 && answer != 101; ++i)
        PumpFor(10);
    after.join();
    EXPECT_EQ(answer, 101);
    EXPECT_FALSE(busyAtEvent.load());
    EXPECT_GT(R(host.Canvas().Pixel(30, 30)), 240);
    ::DestroyWindow(hwnd);
}
