// Move: descendants follow, a resize remakes the canvas, the host hears of
// every real move and of nothing else, and a busy host is asked again.
#include "ui-core/UiCoreTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace UiCoreTest;

namespace {

class MoveFixture : public ::testing::Test {
protected:
    TestHost host;
    ProbeElement parent, child, grandchild, sibling;

    void SetUp() override
    {
        parent.Create(host.Window(), {10, 10, 100, 80}, ElementClass::Text, true);
        child.Create(parent, {20, 25, 30, 20}, ElementClass::Text, true);
        grandchild.Create(child, {22.5f, 27, 5, 5}, ElementClass::Text, true);
        sibling.Create(host.Window(), {200, 10, 10, 10}, ElementClass::Text, true);
        Settle();
    }

    void Settle()
    {
        host.Pump();
        host.Clear();
        for (ProbeElement* e : {&parent, &child, &grandchild, &sibling})
            e->calls.clear();
    }

    static UINT CanvasWidth(const Qx_Object& e)
    {
        UINT width = 0;
        Gdiplus::DllExports::GdipGetImageWidth(e.Canvas(), &width);
        return width;
    }
    static UINT CanvasHeight(const Qx_Object& e)
    {
        UINT height = 0;
        Gdiplus::DllExports::GdipGetImageHeight(e.Canvas(), &height);
        return height;
    }
};

TEST_F(MoveFixture, MovingAParentShiftsEveryDescendant)
{
    parent.Move(15, 4);
    EXPECT_TRUE(parent.Rect().SameAs({15, 4, 100, 80}));
    EXPECT_TRUE(parent.PrevRect().SameAs({10, 10, 100, 80}));
    EXPECT_TRUE(child.Rect().SameAs({25, 19, 30, 20}));
    EXPECT_TRUE(grandchild.Rect().SameAs({27.5f, 21, 5, 5}));
    EXPECT_TRUE(sibling.Rect().SameAs({200, 10, 10, 10}));
    // Descendants are moved silently; the parent keeps its canvas.
    EXPECT_TRUE(child.calls.empty());
    EXPECT_TRUE(grandchild.calls.empty());
    EXPECT_EQ(parent.Count(QXE_RESIZED), 0);
    EXPECT_EQ(parent.Count(WM_PAINT), 0);
    const auto moved = host.Received(QXM_MOVED);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].wparam, parent.Self());
    EXPECT_EQ(moved[0].lparam, 1);
    EXPECT_EQ(parent.Count(QXM_MOVED), 1);
}

TEST_F(MoveFixture, AResizeRemakesTheCanvasAndTellsTheClass)
{
    Gdiplus::GpBitmap* before = parent.Canvas();
    ASSERT_NE(before, nullptr);
    parent.Move(std::nullopt, std::nullopt, 40.9f, 30);
    EXPECT_EQ(CanvasWidth(parent), 40u);
    EXPECT_EQ(CanvasHeight(parent), 30u);
    ASSERT_EQ(parent.calls.size(), 3u);
    EXPECT_EQ(parent.calls[0].code, QXE_RESIZED);
    EXPECT_EQ(parent.calls[0].wparam, 40u);
    EXPECT_EQ(parent.calls[0].lparam, 30);
    EXPECT_EQ(parent.calls[1].code, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(parent.calls[1].wparam, 40u);
    EXPECT_EQ(parent.calls[1].lparam, 30);
    EXPECT_EQ(parent.calls[2].code, QXM_MOVED);
    // A size change alone leaves the descendants where they are.
    EXPECT_TRUE(child.Rect().SameAs({20, 25, 30, 20}));
}

TEST_F(MoveFixture, AnUnchangedMoveSendsNothing)
{
    parent.Move(std::nullopt);
    parent.Move(10, 10, 100, 80);
    parent.Move(10.00000001f, 10);
    parent.SetLeft(10);
    parent.SetTop(10);
    parent.SetWidth(100);
    parent.SetHeight(80);
    parent.SetRect({10, 10, 100, 80});
    host.Pump();
    EXPECT_TRUE(host.received.empty());
    EXPECT_TRUE(parent.calls.empty());
    EXPECT_TRUE(parent.PrevRect().SameAs({}));
}

TEST_F(MoveFixture, TheHostIsAskedToRepaintOnlyForAVisibleElementWithRedraw)
{
    struct Case {
        bool visible;
        bool redraw;
        LPARAM expected;
    } cases[] = {{true, true, 1}, {true, false, 0}, {false, true, 0}, {false, false, 0}};
    float left = 10;
    for (const Case& c : cases) {
        sibling.SetVisible(c.visible);
        Settle();
        left += 1;
        sibling.Move(left, std::nullopt, std::nullopt, std::nullopt, c.redraw);
        const auto moved = host.Received(QXM_MOVED);
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_EQ(moved[0].lparam, c.expected) << "visible " << c.visible << " redraw " << c.redraw;
    }
}

TEST_F(MoveFixture, OnTheWindowThreadABusyHostIsAskedOnce)
{
    // The host's busy work would be lower on this thread's stack: waiting for
    // it would never end. (Other threads wait; see ElementThreadTest.)
    host.busyAnswers = 3;
    parent.Move(11);
    EXPECT_EQ(host.busyAnswers, 2);
    EXPECT_EQ(host.Received(QXM_MOVED).size(), 1u);
    EXPECT_TRUE(parent.Rect().SameAs({11, 10, 100, 80}));
    // Without a repaint request the host never refuses.
    Settle();
    parent.Move(12, std::nullopt, std::nullopt, std::nullopt, false);
    EXPECT_EQ(host.busyAnswers, 2);
    EXPECT_EQ(host.Received(QXM_MOVED).size(), 1u);
}

TEST_F(MoveFixture, CoordinateAccessorsTruncateAndMoveOneValue)
{
    grandchild.SetLeft(30.75f);
    EXPECT_EQ(grandchild.Left(), 30);
    EXPECT_EQ(grandchild.Rect().left, 30.75f);
    grandchild.SetTop(-3.5f);
    EXPECT_EQ(grandchild.Top(), -3);
    grandchild.SetWidth(8.9f);
    grandchild.SetHeight(7.2f);
    EXPECT_EQ(grandchild.Width(), 8);
    EXPECT_EQ(grandchild.Height(), 7);
    EXPECT_EQ(CanvasWidth(grandchild), 8u);
    EXPECT_EQ(CanvasHeight(grandchild), 7u);
    EXPECT_EQ(host.Received(QXM_MOVED).size(), 4u);
    EXPECT_EQ(grandchild.Count(QXE_RESIZED), 2);

    child.SetRect({0, 0, 30, 20});
    EXPECT_TRUE(grandchild.Rect().SameAs({30.75f - 20, -3.5f - 25, 8.9f, 7.2f}));
}

TEST_F(MoveFixture, AMoveOnAWindowThatLostItsHostReturns)
{
    ProbeElement orphan;
    auto temporary = std::make_unique<TestHost>();
    orphan.Create(temporary->Window(), {0, 0, 5, 5}, ElementClass::Text, true);
    const HWND window = temporary->Window();
    temporary->busyAnswers = 1000000;
    // Take the host off its window without destroying the element: nothing
    // would ever answer QXM_MOVED with 1.
    RemovePropW(window, L"Qx_Wnd_Control");
    orphan.Move(3);
    EXPECT_TRUE(orphan.Rect().SameAs({3, 0, 5, 5}));
    SetPropW(window, L"Qx_Wnd_Control", reinterpret_cast<HANDLE>(temporary->Handle()));
    temporary.reset();
    EXPECT_FALSE(orphan.IsCreated());
}

} // namespace
