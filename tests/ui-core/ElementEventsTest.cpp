// The event model: handler tables, dispatch order, delivery through the host
// window, and the state setters that raise events.
#include "ui-core/UiCoreTestSupport.h"

#include <gtest/gtest.h>

using namespace UiCoreTest;

namespace {

constexpr UINT kCustom = WM_APP + 7;

struct DispatchCase {
    const char* name;
    std::vector<UINT> table;  // handler codes in registration order
    UINT code;
    WPARAM wparam;
    int expectedHandler;      // index into table, -1 = none
};

class EventsFixture : public ::testing::Test {
protected:
    TestHost host;
    ProbeElement element;

    void SetUp() override { element.Create(host.Window(), {0, 0, 8, 8}, ElementClass::Text, true); }
};

TEST(EventHandlerTableTest, MatchesByCodeWithTheDoubleClickRule)
{
    const DispatchCase cases[] = {
        {"plain code", {WM_KEYDOWN, QXE_CLICK}, QXE_CLICK, 0, 1},
        {"no entry", {WM_KEYDOWN}, QXE_CLICK, 0, -1},
        {"double click reaches the 515 handler", {WM_LBUTTONDBLCLK}, WM_LBUTTONDOWN, DoubleClickMarker, 0},
        {"single press does not", {WM_LBUTTONDBLCLK}, WM_LBUTTONDOWN, 0, -1},
        {"515 itself still matches", {WM_LBUTTONDBLCLK}, WM_LBUTTONDBLCLK, 0, 0},
        {"515 matches nothing else", {WM_LBUTTONDBLCLK}, WM_LBUTTONUP, DoubleClickMarker, -1},
        {"earlier 513 wins a double click", {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, WM_LBUTTONDOWN,
         DoubleClickMarker, 0},
        {"earlier 515 wins a double click", {WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}, WM_LBUTTONDOWN,
         DoubleClickMarker, 0},
        {"later 513 takes a single press", {WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}, WM_LBUTTONDOWN, 0, 1},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EventHandlerTable table;
        int ran = -1;
        for (std::size_t i = 0; i < c.table.size(); ++i)
            table.Set(c.table[i], [&ran, i](const ElementEvent&) { ran = static_cast<int>(i); });
        if (const EventHandler* handler = table.Match(c.code, c.wparam))
            (*handler)(ElementEvent{nullptr, nullptr, c.code, c.wparam, 0});
        EXPECT_EQ(ran, c.expectedHandler);
    }
}

TEST_F(EventsFixture, ASecondHandlerForACodeReplacesTheFirstInPlace)
{
    std::vector<std::string> ran;
    element.OnEvent(QXE_CLICK, [&](const ElementEvent&) { ran.push_back("first"); });
    element.OnEvent(WM_KEYDOWN, [&](const ElementEvent&) { ran.push_back("key"); });
    element.OnEvent(QXE_CLICK, [&](const ElementEvent&) { ran.push_back("second"); });
    ASSERT_EQ(element.Handlers().Size(), 2u);
    EXPECT_EQ(element.Handlers().CodeAt(0), QXE_CLICK);
    EXPECT_EQ(element.Handlers().CodeAt(1), static_cast<UINT>(WM_KEYDOWN));
    element.Dispatch(QXE_CLICK, 0, 0);
    EXPECT_EQ(ran, std::vector<std::string>{"second"});
}

TEST_F(EventsFixture, TheClassProcedureRunsFirstAndItsAnswerIsReturned)
{
    std::vector<std::string> log;
    element.log = &log;
    element.name = "e";
    element.answer = [](UINT code, WPARAM, LPARAM) -> LRESULT { return code == kCustom ? 7 : -1; };
    ElementEvent seen{};
    element.OnEvent(kCustom, [&](const ElementEvent& event) {
        log.push_back("handler");
        seen = event;
    });
    EXPECT_EQ(element.Dispatch(kCustom, 11, 22), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"e:proc:" + std::to_string(kCustom), "handler"}));
    EXPECT_EQ(seen.element, &element);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.code, kCustom);
    EXPECT_EQ(seen.wparam, 11u);
    EXPECT_EQ(seen.lparam, 22);

    // Unhandled by the class: the handler still runs, the answer stays -1.
    log.clear();
    element.answer = nullptr;
    EXPECT_EQ(element.Dispatch(kCustom, 0, 0), -1);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(EventsFixture, AChildsHandlerReceivesItsParent)
{
    ProbeElement child;
    child.Create(element, {1, 1, 2, 2}, ElementClass::Text, true);
    Qx_Object* parentSeen = nullptr;
    child.OnEvent(QXE_CLICK, [&](const ElementEvent& event) { parentSeen = event.parent; });
    child.Dispatch(QXE_CLICK, 0, 0);
    EXPECT_EQ(parentSeen, &element);
}

TEST_F(EventsFixture, AHandlerMayReplaceItselfOrDestroyItsElement)
{
    int firstRuns = 0, secondRuns = 0;
    element.OnEvent(QXE_CLICK, [&](const ElementEvent& event) {
        ++firstRuns;
        event.element->OnEvent(QXE_CLICK, [&](const ElementEvent& again) {
            ++secondRuns;
            again.element->Destroy();
        });
    });
    element.Dispatch(QXE_CLICK, 0, 0);
    element.Dispatch(QXE_CLICK, 0, 0);
    EXPECT_EQ(firstRuns, 1);
    EXPECT_EQ(secondRuns, 1);
    EXPECT_FALSE(element.IsCreated());
    element.Dispatch(QXE_CLICK, 0, 0);
    EXPECT_EQ(secondRuns, 1);
}

TEST_F(EventsFixture, DispatchEventThroughAHandle)
{
    element.answer = [](UINT, WPARAM, LPARAM) -> LRESULT { return 5; };
    EXPECT_EQ(Qx_Object::DispatchEvent(element.Self(), kCustom, 0, 0), 5);
    EXPECT_EQ(Qx_Object::DispatchEvent(0, kCustom, 0, 0), 0);
    // The receiving side of QXM_EVENT: the block names code and parameters.
    EXPECT_EQ(Qx_Object::DispatchEventMessage(element.Self(), EventBlock::Pack(kCustom, 3, 4)), 5);
    ASSERT_FALSE(element.calls.empty());
    EXPECT_EQ(element.calls.back().code, kCustom);
    EXPECT_EQ(element.calls.back().wparam, 3u);
    EXPECT_EQ(element.calls.back().lparam, 4);
    const std::size_t calls = element.calls.size();
    EXPECT_EQ(Qx_Object::DispatchEventMessage(element.Self(), 0), 0);
    EXPECT_EQ(Qx_Object::DispatchEventMessage(0, EventBlock::Pack(kCustom, 0, 0)), 0);
    EXPECT_EQ(element.calls.size(), calls);
}

TEST_F(EventsFixture, SendEventCrossesTheHostWindowAndReturnsTheAnswer)
{
    element.answer = [](UINT code, WPARAM wparam, LPARAM lparam) -> LRESULT {
        return code == kCustom ? static_cast<LRESULT>(wparam) + lparam : -1;
    };
    host.Clear();
    EXPECT_EQ(element.SendEvent(kCustom, 40, 2), 42);
    const auto sent = host.Received(QXM_EVENT);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wparam, element.Self());
    EXPECT_EQ(sent[0].eventCode, kCustom);

    // Posted: nothing runs until the host's messages are handled.
    element.calls.clear();
    EXPECT_TRUE(element.PostEvent(kCustom, 1, 2));
    EXPECT_TRUE(element.calls.empty());
    host.Pump();
    ASSERT_EQ(element.calls.size(), 1u);
    EXPECT_EQ(element.calls[0].wparam, 1u);
    EXPECT_EQ(element.calls[0].lparam, 2);
}

TEST_F(EventsFixture, WithoutAHostWindowEventsAreNotDelivered)
{
    ProbeElement loose;
    EXPECT_EQ(loose.SendEvent(kCustom, 0, 0), 0);
    EXPECT_FALSE(loose.PostEvent(kCustom, 0, 0));
    loose.Invalidate();
    loose.Repaint();
    host.Pump();
    EXPECT_TRUE(loose.calls.empty());
}

TEST_F(EventsFixture, VisibleRaisesShownOrHiddenOnlyOnAChange)
{
    host.Pump();
    element.calls.clear();
    host.Clear();
    element.SetVisible(true);
    host.Pump();
    EXPECT_TRUE(element.calls.empty());
    EXPECT_TRUE(host.received.empty());

    element.SetVisible(false);
    host.Pump();
    EXPECT_EQ(element.Count(QXE_HIDDEN), 1);
    ASSERT_EQ(host.Received(QXM_INVALIDATE).size(), 1u);
    EXPECT_EQ(host.Received(QXM_INVALIDATE)[0].wparam, 1u);
    element.SetVisible(true);
    EXPECT_EQ(element.Count(QXE_SHOWN), 1);
}

TEST_F(EventsFixture, DisablingTheFocusElementPostsKillFocusThenMouseLeave)
{
    host.SetFocusElement(&element);
    host.Pump();
    element.calls.clear();
    element.SetDisabled(true);
    EXPECT_TRUE(element.Disabled());
    EXPECT_EQ(host.FocusElement(), nullptr);
    // Only the focus query ran synchronously; the rest is posted.
    ASSERT_EQ(element.calls.size(), 1u);
    EXPECT_EQ(element.calls[0].code, QXE_QUERYFOCUSED);
    host.Pump();
    ASSERT_EQ(element.calls.size(), 3u);
    EXPECT_EQ(element.calls[1].code, QXE_KILLFOCUS);
    EXPECT_EQ(element.calls[2].code, QXE_MOUSELEAVE);

    // Enabling an element without focus posts the mouse leave alone.
    element.calls.clear();
    element.SetDisabled(false);
    host.Pump();
    EXPECT_EQ(element.Count(QXE_KILLFOCUS), 0);
    EXPECT_EQ(element.Count(QXE_MOUSELEAVE), 1);
    element.calls.clear();
    element.SetDisabled(false);
    host.Pump();
    EXPECT_TRUE(element.calls.empty());
}

TEST_F(EventsFixture, IsFocusedAsksTheClassFirst)
{
    struct Case {
        LRESULT answer;
        bool hostFocus;
        bool expected;
    } cases[] = {{-1, true, true}, {-1, false, false}, {1, false, true}, {0, true, false}};
    for (const Case& c : cases) {
        element.answer = [&c](UINT code, WPARAM, LPARAM) -> LRESULT {
            return code == QXE_QUERYFOCUSED ? c.answer : -1;
        };
        host.SetFocusElement(c.hostFocus ? &element : nullptr);
        EXPECT_EQ(element.IsFocused(), c.expected) << "answer " << c.answer << " host focus " << c.hostFocus;
    }
}

TEST_F(EventsFixture, AlphaRaisesItsEventAndInvalidatesUnlessAskedNotTo)
{
    host.Pump();
    host.Clear();
    element.SetAlpha(128);
    host.Pump();
    ASSERT_EQ(element.Count(QXE_ALPHACHANGED), 1);
    EXPECT_EQ(element.Calls(QXE_ALPHACHANGED)[0].lparam, 128);
    EXPECT_EQ(element.Alpha(), 128);
    EXPECT_EQ(host.Received(QXM_INVALIDATE).size(), 1u);
    host.Clear();
    element.SetAlpha(64, false);
    host.Pump();
    EXPECT_EQ(element.Count(QXE_ALPHACHANGED), 2);
    EXPECT_TRUE(host.Received(QXM_INVALIDATE).empty());
}

TEST_F(EventsFixture, RepaintAsksTheClassToDraw)
{
    element.calls.clear();
    element.Repaint();
    ASSERT_EQ(element.Count(WM_PAINT), 1);
    EXPECT_EQ(element.calls[0].wparam, 0u);
    EXPECT_EQ(element.calls[0].lparam, 0);
}

TEST_F(EventsFixture, TextTagTooltipAndPlainFields)
{
    element.SetText("\xB0\xB2\xD7\xB0");  // GBK text is kept byte for byte
    EXPECT_EQ(element.Text(), "\xB0\xB2\xD7\xB0");
    EXPECT_TRUE(host.tooltips.empty());
    element.SetText("tip", true);
    element.Tooltip();
    element.Tooltip("other");
    ASSERT_EQ(host.tooltips.size(), 3u);
    EXPECT_EQ(host.tooltips[0].text, "tip");
    EXPECT_FALSE(host.tooltips[0].ownText);
    EXPECT_TRUE(host.tooltips[1].ownText);
    EXPECT_EQ(host.tooltips[1].text, "tip");
    EXPECT_EQ(host.tooltips[2].text, "other");
    EXPECT_EQ(host.tooltips[2].element, &element);

    element.SetTag("tag");
    EXPECT_EQ(element.Tag(), "tag");
    element.SetFocusable(false);
    EXPECT_FALSE(element.Focusable());
    element.LockUpdates();
    EXPECT_FALSE(element.UpdatesEnabled());
    element.UnlockUpdates();
    EXPECT_TRUE(element.UpdatesEnabled());
    element.SetTransition(9);
    EXPECT_EQ(element.FrameCount(), 9);
    element.SetTransition(std::nullopt, 30);
    EXPECT_EQ(element.FrameCount(), 9);
    EXPECT_EQ(element.FrameInterval(), 30);
    element.SetTransitionEffect(3);
    EXPECT_EQ(element.TransitionEffect(), 3);
    element.SetSystemCursor(IDC_IBEAM);
    EXPECT_EQ(element.Cursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM)));
}

} // namespace
