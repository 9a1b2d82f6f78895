// Input routing driven by real input (SendInput) into bound windows: clicks,
// press-move-release, double clicks, Tab order, Enter, Alt+mnemonics and the
// resize border.
#include "ui-host/HostTestSupport.h"

#include "ui/core/EventCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

using namespace HostTest;

namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = ::GetSystemMetrics(SM_CXSCREEN);
        const int h = ::GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = (x * 65535 + (w - 1) / 2) / (w - 1);
        input.mi.dy = (y * 65535 + (h - 1) / 2) / (h - 1);
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(INPUT));
}

void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Tap(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
    PumpFor(60);
}

// A bound, shown, foreground window whose system move and size loops are
// recorded instead of entered (they would wait for real mouse buttons).
class InputWindow {
public:
    explicit InputWindow(BindOptions options = {}, int width = 240, int height = 180)
    {
        hwnd = MakeWindow(width, height, WS_POPUP | WS_CLIPCHILDREN, 100, 100);
        if (!options.flags)
            options.flags = 0;
        host.Bind(hwnd, options);
        host.SetOnMessage([this](HWND, UINT msg, WPARAM wparam, LPARAM) -> LRESULT {
            if (msg == WM_NCLBUTTONDOWN) {
                log.push_back("drag");
                return 0;
            }
            if (msg == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_SIZE) {
                log.push_back("size:" + std::to_string(wparam - SC_SIZE));
                return 0;
            }
            return -1;
        });
        auto record = [this](const char* what) {
            return [this, what](HWND, Qx_Object* e, WPARAM, LPARAM, int) {
                log.push_back(std::string(what) + ":" + (e ? static_cast<ColourElement*>(e)->name : "0"));
            };
        };
        host.SetOnPress(record("OnPress"));
        host.SetOnRelease(record("OnRelease"));
        host.SetOnClick(record("OnClick"));
        host.SetOnDoubleClick(record("OnDoubleClick"));
        host.SetOnMouseEnter(record("OnMouseEnter"));
        host.SetOnMouseLeave(record("OnMouseLeave"));
        ::SetForegroundWindow(hwnd);
        ::SetFocus(hwnd);
        PumpFor(50);
    }
    ~InputWindow()
    {
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::DestroyWindow(hwnd);
    }

    void Add(ColourElement& e, const char* name, const RectF& rect, bool focusable = true)
    {
        e.name = name;
        e.log = &log;
        ElementOptions options;
        options.focusable = focusable;
        e.Create(hwnd, rect, 2, true, options);
    }
    void MoveTo(int x, int y)
    {
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 100 + x, 100 + y);
        PumpFor(60);
    }
    void Press()
    {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        PumpFor(60);
    }
    void Release()
    {
        SendMouse(MOUSEEVENTF_LEFTUP);
        PumpFor(60);
    }
    int Count(const std::string& line) const { return static_cast<int>(std::count(log.begin(), log.end(), line)); }
    // Position of line in the log, -1 when absent.
    int IndexOf(const std::string& line) const
    {
        auto it = std::find(log.begin(), log.end(), line);
        return it == log.end() ? -1 : static_cast<int>(it - log.begin());
    }

    HWND hwnd = nullptr;
    Qx_Window host;
    std::vector<std::string> log;
};

const std::string kClick = std::to_string(QXE_CLICK);
const std::string kEnter = std::to_string(QXE_MOUSEENTER);
const std::string kLeave = std::to_string(QXE_MOUSELEAVE);

} // namespace

TEST(Input, PressAndReleaseOnOneElementClicksAfterTheRelease)
{
    InputWindow w;
    ColourElement button;
    w.Add(button, "button", {20, 20, 80, 30});
    w.MoveTo(50, 30);
    w.Press();
    EXPECT_EQ(w.host.PressedElement(), &button);
    EXPECT_EQ(w.host.FocusElement(), &button);
    EXPECT_EQ(::GetCapture(), w.hwnd);
    w.Release();
    EXPECT_EQ(::GetCapture(), nullptr);
    const int release = w.IndexOf("OnRelease:0");
    const int click = w.IndexOf("button:" + kClick);
    const int onClick = w.IndexOf("OnClick:button");
    ASSERT_GE(release, 0);
    ASSERT_GT(click, release);
    ASSERT_GT(onClick, click);
    const auto clicks = button.Of(QXE_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wparam, button.Self());
    EXPECT_EQ(w.Count("drag"), 0);
    EXPECT_FALSE(w.host.PressTracked());
}

TEST(Input, PressMoveOutAndReleaseGivesNoClick)
{
    InputWindow w;
    ColourElement button, other;
    w.Add(button, "button", {20, 20, 80, 30});
    w.Add(other, "other", {20, 100, 80, 30}, false);
    w.MoveTo(50, 30);
    w.Press();
    w.log.clear();
    w.MoveTo(50, 110);
    // While the press is held, moves go to the pressed element with its own
    // handle as wparam.
    const auto moves = button.Of(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().wparam, button.Self());
    EXPECT_EQ(other.Count(WM_MOUSEMOVE), 0);
    w.Release();
    EXPECT_EQ(button.Count(QXE_CLICK), 0);
    EXPECT_EQ(w.Count("OnClick:button"), 0);
    EXPECT_EQ(w.Count("OnRelease:0"), 1);
    EXPECT_EQ(w.Count("button:" + kLeave), 1);
    EXPECT_EQ(w.Count("other:" + kEnter), 1);
    EXPECT_EQ(w.host.HoverElement(), &other);
}

TEST(Input, DoubleClickArrivesAsMarkedPressAndCallsOnDoubleClick)
{
    InputWindow w;
    ColourElement button;
    w.Add(button, "button", {20, 20, 80, 30});
    w.MoveTo(50, 30);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(100);
    const auto downs = button.Of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_NE(downs[0].wparam, DoubleClickMarker);
    EXPECT_EQ(downs[1].wparam, DoubleClickMarker);
    EXPECT_EQ(w.Count("OnDoubleClick:button"), 1);
    EXPECT_EQ(button.Count(QXE_CLICK), 2);
}

TEST(Input, PressOnEmptySpaceOrAPassiveElementDragsTheWindow)
{
    InputWindow w;
    ColourElement passive;
    w.Add(passive, "passive", {20, 20, 80, 30}, false);
    w.MoveTo(50, 30);
    w.Press();
    w.Release();
    EXPECT_EQ(w.Count("drag"), 1);
    EXPECT_EQ(passive.Count(WM_LBUTTONDOWN), 1) << "the element still sees the press";
    EXPECT_EQ(w.host.FocusElement(), nullptr);
    w.MoveTo(150, 150);
    w.Press();
    w.Release();
    EXPECT_EQ(w.Count("drag"), 2);
}

TEST(Input, TopBorderOfAResizableWindowStartsATopResizeNotADrag)
{
    // Layered: the border pixels inside the shadow margin belong to the window
    // (an ordinary window's region starts 6 pixels in).
    BindOptions options;
    options.resizable = true;
    options.windowAlpha = 255;
    options.blurBehind = false;
    InputWindow w(options);
    ColourElement top;
    w.Add(top, "top", {0, 0, 240, 30});
    const struct {
        int x, y;
        int zone;
    } cases[] = {{120, 7, WMSZ_TOP}, {8, 7, WMSZ_TOPLEFT}, {233, 6, WMSZ_TOPRIGHT}, {7, 90, WMSZ_LEFT},
                 {233, 90, WMSZ_RIGHT}, {120, 172, WMSZ_BOTTOM}, {233, 172, WMSZ_BOTTOMRIGHT},
                 {8, 172, WMSZ_BOTTOMLEFT}};
    for (const auto& c : cases) {
        w.log.clear();
        top.events.clear();
        w.MoveTo(c.x, c.y);
        w.Press();
        w.Release();
        EXPECT_EQ(w.Count("size:" + std::to_string(c.zone)), 1) << c.x << "," << c.y;
        EXPECT_EQ(w.Count("drag"), 0);
        EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);
        EXPECT_EQ(w.host.PressedElement(), nullptr);
    }
    // Below the border the element takes the press.
    w.MoveTo(120, 20);
    w.Press();
    w.Release();
    EXPECT_EQ(top.Count(QXE_CLICK), 1);
}

TEST(Input, TabWrapsAndSkipsElementsThatCannotTakeTheFocus)
{
    InputWindow w;
    ColourElement sysButton, hidden, disabled, passive, first, parent, child, last;
    sysButton.name = "sys";
    sysButton.Create(w.hwnd, {0, 0, 10, 10}, 1, true, {});
    w.Add(hidden, "hidden", {0, 20, 10, 10});
    hidden.SetVisible(false);
    w.Add(disabled, "disabled", {0, 40, 10, 10});
    disabled.SetDisabled(true);
    w.Add(passive, "passive", {0, 60, 10, 10}, false);
    w.Add(first, "first", {20, 0, 10, 10});
    w.Add(parent, "parent", {40, 0, 60, 60});
    child.name = "child";
    child.Create(parent, {50, 10, 10, 10}, 2, true, {});
    w.Add(last, "last", {120, 0, 10, 10});
    PumpFor(50);

    const Qx_Object* expected[] = {&first, &parent, &last, &first, &parent};
    for (const Qx_Object* e : expected) {
        Tap(VK_TAB);
        EXPECT_EQ(w.host.FocusElement(), e);
        EXPECT_EQ(w.host.FocusCueElement(), e);
    }
    EXPECT_EQ(first.Count(QXE_SETFOCUS), 2);
    EXPECT_EQ(first.Count(QXE_KILLFOCUS), 2);
    EXPECT_EQ(child.Count(QXE_SETFOCUS), 0);
    EXPECT_EQ(w.Count("OnFocus:first"), 0) << "Tab informs only the elements";

    // Enter clicks the focus element.
    Tap(VK_RETURN);
    EXPECT_EQ(parent.Count(QXE_CLICK), 1);
    EXPECT_EQ(w.Count("OnClick:parent"), 1);
    // An element that consumes the key keeps Tab from moving the focus.
    parent.answer = [](UINT code, WPARAM, LPARAM) -> LRESULT { return code == WM_KEYDOWN ? 0 : -1; };
    Tap(VK_TAB);
    EXPECT_EQ(w.host.FocusElement(), &parent);
}

TEST(Input, TabWithNothingFocusableLeavesTheFocusAlone)
{
    InputWindow w;
    ColourElement passive;
    w.Add(passive, "passive", {0, 0, 10, 10}, false);
    Tap(VK_TAB);
    EXPECT_EQ(w.host.FocusElement(), nullptr);
}

TEST(Input, AltLetterFiresTheFirstEnabledMnemonicIgnoringCase)
{
    InputWindow w;
    ColourElement disabled, enabled, other;
    w.Add(disabled, "disabled", {0, 0, 10, 10});
    w.Add(enabled, "enabled", {20, 0, 10, 10});
    w.Add(other, "other", {40, 0, 10, 10});
    ::SendMessageW(w.hwnd, QXM_MNEMONIC, disabled.Self(), 'S');
    ::SendMessageW(w.hwnd, QXM_MNEMONIC, enabled.Self(), 'S');
    ::SendMessageW(w.hwnd, QXM_MNEMONIC, other.Self(), 'K');
    disabled.SetDisabled(true);
    PumpFor(30);

    SendKey(VK_MENU, false);
    SendKey('S', false);
    SendKey('S', true);
    SendKey(VK_MENU, true);
    PumpFor(100);
    EXPECT_EQ(enabled.Count(QXE_CLICK), 1);
    EXPECT_EQ(disabled.Count(QXE_CLICK), 0);
    EXPECT_EQ(other.Count(QXE_CLICK), 0);
    EXPECT_EQ(w.Count("OnClick:enabled"), 1);

    // Removing the mnemonic silences it.
    ::SendMessageW(w.hwnd, QXM_MNEMONIC, enabled.Self(), 0);
    SendKey(VK_MENU, false);
    SendKey('S', false);
    SendKey('S', true);
    SendKey(VK_MENU, true);
    PumpFor(100);
    EXPECT_EQ(enabled.Count(QXE_CLICK), 1);
}

TEST(Input, PointsOnTheRightAndBottomEdgesAreOutside)
{
    ColourElement dummy;
    InputWindow w;
    ColourElement a, b;
    w.Add(a, "a", {10, 10, 20, 20});
    w.Add(b, "b", {0, 0, 5, 5});
    b.SetVisible(false);
    EXPECT_EQ(Qx_Window::ElementAtPoint(w.host.LastElement(), 10, 10), &a);
    EXPECT_EQ(Qx_Window::ElementAtPoint(w.host.LastElement(), 29.9f, 29.9f), &a);
    EXPECT_EQ(Qx_Window::ElementAtPoint(w.host.LastElement(), 30, 20), nullptr);
    EXPECT_EQ(Qx_Window::ElementAtPoint(w.host.LastElement(), 20, 30), nullptr);
    EXPECT_EQ(Qx_Window::ElementAtPoint(w.host.LastElement(), 1, 1), nullptr) << "hidden";
}
