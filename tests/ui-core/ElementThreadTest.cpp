// Element operations called from a second thread run the element's code on
// the thread that owns the host window, carried there by window messages.
#include "ui-core/UiCoreTestSupport.h"

#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace UiCoreTest;

namespace {

constexpr UINT kAsk = WM_APP + 21;
constexpr UINT kTell = WM_APP + 22;

// Runs work on a new thread while this (the window's) thread handles
// messages; answers once the thread ended.
void RunOnWorker(TestHost& host, const std::function<void()>& work)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    const bool finished = WinTest::WaitUntil([&] { return done.load(); }, std::chrono::seconds(20));
    worker.join();
    host.Pump();
    ASSERT_TRUE(finished);
}

TEST(ElementThreadTest, OperationsFromAnotherThreadRunOnTheWindowThread)
{
    TestHost host;
    ProbeElement element;
    element.Create(host.Window(), {4, 5, 20, 10}, ElementClass::Text, true);
    element.answer = [](UINT code, WPARAM wparam, LPARAM) -> LRESULT {
        return code == kAsk ? static_cast<LRESULT>(wparam) * 2 : -1;
    };
    int handlerThreadRuns = 0;
    const DWORD uiThread = GetCurrentThreadId();
    element.OnEvent(kTell, [&](const ElementEvent&) {
        if (GetCurrentThreadId() == uiThread)
            ++handlerThreadRuns;
    });
    host.Pump();
    host.Clear();
    element.calls.clear();
    host.busyAnswers = 2;

    LRESULT answer = 0;
    bool posted = false;
    DWORD workerThread = 0;
    RunOnWorker(host, [&] {
        workerThread = GetCurrentThreadId();
        answer = element.SendEvent(kAsk, 21, 0);
        posted = element.PostEvent(kTell, 1, 2);
        element.Invalidate();
        element.Move(9);
    });
    ASSERT_NE(workerThread, uiThread);

    EXPECT_EQ(answer, 42);
    EXPECT_TRUE(posted);
    EXPECT_EQ(handlerThreadRuns, 1);
    ASSERT_EQ(element.Count(kAsk), 1);
    ASSERT_EQ(element.Count(kTell), 1);
    // The busy host refused twice; the worker asked again each time.
    EXPECT_EQ(host.busyAnswers, 0);
    EXPECT_EQ(element.Count(QXM_MOVED), 3);
    for (const ProbeCall& call : element.calls)
        EXPECT_EQ(call.thread, uiThread) << "event " << call.code;
    ASSERT_FALSE(host.received.empty());
    for (const HostMessage& message : host.received)
        EXPECT_EQ(message.thread, uiThread) << "message " << message.message;
    ASSERT_EQ(host.Received(QXM_INVALIDATE).size(), 1u);
    EXPECT_TRUE(host.Received(QXM_INVALIDATE)[0].rect.SameAs({9, 5, 20, 10}));
    EXPECT_EQ(host.Received(QXM_MOVED).size(), 3u);
}

TEST(ElementThreadTest, AResizeFromAnotherThreadDeliversItsEventsOnTheWindowThread)
{
    TestHost host;
    ProbeElement element;
    element.Create(host.Window(), {0, 0, 20, 10}, ElementClass::Text, true);
    host.Pump();
    element.calls.clear();
    RunOnWorker(host, [&] { element.Move(std::nullopt, std::nullopt, 30, 12); });
    ASSERT_EQ(element.Count(QXE_RESIZED), 1);
    ASSERT_EQ(element.Count(WM_PAINT), 1);
    for (const ProbeCall& call : element.calls)
        EXPECT_EQ(call.thread, GetCurrentThreadId());
}

} // namespace
