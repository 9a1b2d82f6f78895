// Binding, the trampoline, the window procedure's message table and the host
// messages, on real windows under Wine.
#include "ui-host/HostTestSupport.h"

#include "ui/core/CaptionPartFactory.h"
#include "ui/core/EventBlock.h"
#include "ui/core/EventCodes.h"
#include "ui/core/ExecutableBlock.h"
#include "ui/core/HostTrampolineCode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

using namespace HostTest;

namespace {

struct SeenCall {
    HWND first;
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
};
SeenCall g_seen;

LRESULT CALLBACK RecordingRoutine(HWND first, UINT msg, WPARAM wparam, LPARAM lparam)
{
    g_seen = {first, msg, wparam, lparam};
    return static_cast<LRESULT>(msg) * 3;
}

// Caption parts as plain coloured elements, so that layout and flags can be
// checked without the control classes.
class TestCaptionFactory : public CaptionPartFactory {
public:
    std::vector<int> kinds;
    std::vector<std::wstring> titles;

    std::unique_ptr<Qx_Object> CreateIcon(HWND hwnd, const RectF& rect, HICON) override
    {
        auto e = std::make_unique<ColourElement>(0xFF00FF00);
        e->Create(hwnd, rect, 4, true);
        return e;
    }
    std::unique_ptr<Qx_Object> CreateTitle(HWND hwnd, const RectF& rect, const std::string& title) override
    {
        auto e = std::make_unique<ColourElement>(0xFF0000FF);
        e->Create(hwnd, rect, 3, true);
        e->SetText(title);
        return e;
    }
    std::unique_ptr<Qx_Object> CreateSysButton(HWND hwnd, const RectF& rect, int kind) override
    {
        kinds.push_back(kind);
        auto e = std::make_unique<ColourElement>(0xFFFF0000);
        e->Create(hwnd, rect, 1, true);
        return e;
    }
    void SetTitleText(Qx_Object&, const wchar_t* text) override { titles.emplace_back(text); }
};

class FactoryScope {
public:
    FactoryScope() { SetCaptionPartFactory(&factory); }
    ~FactoryScope() { SetCaptionPartFactory(nullptr); }
    TestCaptionFactory factory;
};

BindOptions NoCaption()
{
    BindOptions options;
    options.flags = 0;
    return options;
}

MINMAXINFO MinMax(HWND hwnd)
{
    MINMAXINFO info{};
    ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

} // namespace

TEST(HostTrampoline, SixtyFourBitCodeReplacesTheFirstArgumentOnly)
{
    const std::uint64_t handle = 0x0000123456789ABCull;
    const HostTrampoline64 code =
        BuildHostTrampoline64(handle, reinterpret_cast<std::uintptr_t>(&RecordingRoutine));
    ExecutableBlock block = ExecutableBlock::Write(code.data(), code.size());
    ASSERT_TRUE(block);
    const auto proc = reinterpret_cast<WNDPROC>(block.Entry());
    const struct {
        HWND hwnd;
        UINT msg;
        WPARAM wparam;
        LPARAM lparam;
    } calls[] = {{reinterpret_cast<HWND>(0x10010), WM_MOUSEMOVE, 0xFFFFFFFFFFFFull, -5},
                 {nullptr, 0x7FFF, 0, 0x7FFFFFFFFFFFFFFFll}};
    for (const auto& c : calls) {
        const LRESULT answer = proc(c.hwnd, c.msg, c.wparam, c.lparam);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(g_seen.first), handle);
        EXPECT_EQ(g_seen.msg, c.msg);
        EXPECT_EQ(g_seen.wparam, c.wparam);
        EXPECT_EQ(g_seen.lparam, c.lparam);
        EXPECT_EQ(answer, static_cast<LRESULT>(c.msg) * 3);
    }
    // Through CallWindowProcW, as Windows calls a subclassed procedure.
    EXPECT_EQ(::CallWindowProcW(proc, nullptr, 7, 8, 9), 21);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(g_seen.first), handle);
}

TEST(WindowBind, BindingTheSameWindowTwiceFailsAndChangesNothing)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    EXPECT_FALSE(host.Bind(nullptr));
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    void* entry = host.TrampolineEntry();
    const auto proc = reinterpret_cast<void*>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    EXPECT_EQ(proc, entry);
    EXPECT_EQ(ElementHost::FromHwnd(hwnd), &host);

    BindOptions other;
    other.windowAlpha = 255;
    EXPECT_FALSE(host.Bind(hwnd, other));
    EXPECT_EQ(host.TrampolineEntry(), entry);
    EXPECT_EQ(reinterpret_cast<void*>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), entry);
    EXPECT_EQ(host.Flags(), 512);
    EXPECT_FALSE(host.Layered());
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(host.IsBound());
}

TEST(WindowBind, FlagsZeroGivesShadowOnlyNoSysMenuAndMinimumTrackingSize)
{
    FactoryScope scope;
    HWND hwnd = MakeWindow(200, 120, WS_POPUP | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    EXPECT_EQ(host.Flags(), 512);
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_TRUE(host.Resizable()) << "taken from WS_THICKFRAME";
    EXPECT_NE(style & WS_THICKFRAME, 0) << "added back for a resizable window";
    EXPECT_TRUE(scope.factory.kinds.empty());
    EXPECT_EQ(host.TitleElement(), nullptr);
    EXPECT_EQ(host.IconElement(), nullptr);
    const MINMAXINFO info = MinMax(hwnd);
    EXPECT_EQ(info.ptMinTrackSize.x, 36);
    EXPECT_EQ(info.ptMinTrackSize.y, 38);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left + 14);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top + 14);
    EXPECT_EQ(info.ptMaxPosition.x, work.left - 7);
    EXPECT_EQ(info.ptMaxPosition.y, work.top - 7);
    ::DestroyWindow(hwnd);
}

TEST(WindowBind, DefaultFlagsCreateCaptionPartsThroughTheFactoryAndLayThemOut)
{
    FactoryScope scope;
    struct Case {
        DWORD style;
        int flags;
        std::vector<int> kinds;
    } cases[] = {
        {WS_POPUP, 1 + 2 + 4 + 512, {4}},
        {WS_POPUP | WS_MAXIMIZEBOX | WS_MINIMIZEBOX, 1 + 2 + 4 + 8 + 16 + 512, {4, 8, 16}},
    };
    for (const Case& c : cases) {
        scope.factory.kinds.clear();
        HWND hwnd = MakeWindow(300, 200, c.style);
        Qx_Window host;
        ASSERT_TRUE(host.Bind(hwnd));
        EXPECT_EQ(host.Flags(), c.flags);
        EXPECT_NE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU, 0);
        EXPECT_EQ(scope.factory.kinds, c.kinds);
        ASSERT_EQ(host.SysButtons().size(), c.kinds.size());
        // Right to left from cx - 5 - 12, 28 pixels each.
        float x = 300 - 5 - 12;
        for (const auto& button : host.SysButtons()) {
            x -= 28;
            EXPECT_FLOAT_EQ(button->Rect().left, x);
            EXPECT_FLOAT_EQ(button->Rect().top, 7);
        }
        ASSERT_NE(host.TitleElement(), nullptr);
        EXPECT_EQ(host.TitleElement()->Text(), "host test");
        EXPECT_FLOAT_EQ(host.TitleElement()->Rect().left, 28);
        EXPECT_FLOAT_EQ(host.TitleElement()->Rect().top, 10);
        EXPECT_FLOAT_EQ(host.TitleElement()->Rect().width, x - 28);
        EXPECT_FLOAT_EQ(host.TitleElement()->Rect().height, 20);
        ASSERT_NE(host.IconElement(), nullptr);
        EXPECT_FALSE(host.IconElement()->Focusable());
        EXPECT_EQ(MinMax(hwnd).ptMinTrackSize.x, 28 * static_cast<LONG>(c.kinds.size()) + 11 + 36);

        // The title follows WM_SETTEXT once the previous procedure took it.
        scope.factory.titles.clear();
        ::SetWindowTextW(hwnd, L"new title");
        ASSERT_EQ(scope.factory.titles.size(), 1u);
        EXPECT_EQ(scope.factory.titles[0], L"new title");
        ::DestroyWindow(hwnd);
        EXPECT_FALSE(host.IsBound());
        EXPECT_TRUE(host.SysButtons().empty());
    }
}

TEST(WindowBind, DoubleClickReachesElementsAsPressWithMarkerAndNeverThePreviousProcedure)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    ColourElement element;
    element.Create(hwnd, {20, 20, 100, 60}, 2, true, {});
    int handlerRuns = 0;
    element.OnEvent(WM_LBUTTONDBLCLK, [&](const ElementEvent&) { ++handlerRuns; });
    ClassProcMessages().clear();
    element.events.clear();

    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 40));
    const auto downs = element.Of(WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wparam, DoubleClickMarker);
    EXPECT_EQ(downs[0].lparam, MAKELPARAM(50, 40));
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(element.Count(WM_LBUTTONDBLCLK), 0);
    const auto& seen = ClassProcMessages();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_LBUTTONDBLCLK)), 0);

    // A single press does not run the double-click handler.
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 40));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 40));
    EXPECT_EQ(handlerRuns, 1);
    ::DestroyWindow(hwnd);
}

TEST(WindowBind, MessageCallbackAnsweringZeroToCloseKeepsTheWindow)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    int closes = 0;
    host.SetOnMessage([&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg != WM_CLOSE)
            return -1;
        ++closes;
        return 0;
    });
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    EXPECT_TRUE(host.IsBound());

    // Without the callback, WM_CLOSE hides the window and the previous
    // procedure destroys it, which unbinds the host.
    auto previous = host.SetOnMessage(nullptr);
    EXPECT_TRUE(static_cast<bool>(previous));
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(host.IsBound());
}

TEST(WindowBind, UnbindRestoresTheProcedureAndEmptiesTheHostWhichCanBindAgain)
{
    HWND hwnd = MakeWindow(200, 120);
    const auto original = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    ColourElement parent, child;
    parent.Create(hwnd, {10, 10, 100, 80}, 2, true, {});
    child.Create(parent, {20, 20, 30, 30}, 2, true, {});
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 25));
    EXPECT_EQ(host.PressedElement(), &child);

    host.Unbind();
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    EXPECT_EQ(::GetPropW(hwnd, L"Qx_Wnd_Control"), nullptr);
    EXPECT_FALSE(parent.IsCreated());
    EXPECT_FALSE(child.IsCreated());
    EXPECT_EQ(parent.Count(WM_DESTROY), 1);
    EXPECT_EQ(host.PressedElement(), nullptr);
    EXPECT_FALSE(host.PressTracked());
    EXPECT_EQ(host.Flags(), 0);
    EXPECT_EQ(host.TrampolineEntry(), nullptr);
    host.Unbind();  // a second call does nothing

    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    EXPECT_EQ(ElementHost::FromHwnd(hwnd), &host);
    ::DestroyWindow(hwnd);
}

TEST(WindowBind, HostMessagesReachFocusMnemonicsAndEvents)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    ColourElement a, b;
    a.Create(hwnd, {10, 10, 50, 20}, 2, true, {});
    b.Create(hwnd, {10, 40, 50, 20}, 2, true, {});

    ::SendMessageW(hwnd, QXE_SETFOCUS, 0, static_cast<LPARAM>(b.Self()));
    EXPECT_EQ(host.FocusElement(), &b);
    EXPECT_EQ(b.Count(QXE_SETFOCUS), 1);
    EXPECT_EQ(host.FocusCueElement(), nullptr);
    ::SendMessageW(hwnd, QXE_SETFOCUS, 0, 0);
    EXPECT_EQ(host.FocusElement(), &b);

    EXPECT_EQ(::SendMessageW(hwnd, QXM_MNEMONIC, a.Self(), 'x'), 1);
    a.events.clear();
    EXPECT_EQ(::SendMessageW(hwnd, WM_SYSCHAR, 'X', 0), 0);
    EXPECT_EQ(a.Count(QXE_CLICK), 1);

    a.answer = [](UINT code, WPARAM w, LPARAM l) -> LRESULT { return code == 0x7000 ? static_cast<LRESULT>(w + l) : -1; };
    EXPECT_EQ(::SendMessageW(hwnd, QXM_EVENT, a.Self(), EventBlock::Pack(0x7000, 40, 2)), 42);

    // Keys other than Tab, Enter and Space go on to the previous procedure.
    ClassProcMessages().clear();
    ::SendMessageW(hwnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(b.Count(WM_KEYDOWN), 1);
    EXPECT_EQ(std::count(ClassProcMessages().begin(), ClassProcMessages().end(), static_cast<UINT>(WM_KEYDOWN)), 1);
    ::DestroyWindow(hwnd);
}


TEST(WindowBind, SizeChangesRemakeTheCanvasAndCallOnSize)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    BindOptions options = NoCaption();
    options.windowAlpha = 255;
    options.blurBehind = false;
    ASSERT_TRUE(host.Bind(hwnd, options));
    std::vector<SIZE> sizes;
    host.SetOnSize([&](HWND, int cx, int cy) { sizes.push_back({cx, cy}); });
    ::SetWindowPos(hwnd, nullptr, 0, 0, 260, 170, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].cx, 260);
    EXPECT_EQ(sizes[0].cy, 170);
    EXPECT_EQ(host.ClientSize().cx, 260);
    EXPECT_EQ(host.Canvas().Width(), 260);
    EXPECT_EQ(host.BackgroundCache().Height(), 170);
    // The same size again and a minimize change nothing.
    ::SetWindowPos(hwnd, nullptr, 10, 10, 260, 170, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(sizes.size(), 1u);
    ::DestroyWindow(hwnd);
}

TEST(WindowBind, TooltipFollowsTheElementUnderTheMouse)
{
    HWND hwnd = MakeWindow(200, 120);
    Qx_Window host;
    ASSERT_TRUE(host.Bind(hwnd, NoCaption()));
    ASSERT_NE(host.TooltipWindow(), nullptr);
    ColourElement withText, silent;
    withText.Create(hwnd, {10, 10, 50, 30}, 2, true, {});
    withText.SetText("tip text");
    silent.Create(hwnd, {100, 10, 50, 30}, 2, true, {});
    auto tools = [&] { return ::SendMessageW(host.TooltipWindow(), TTM_GETTOOLCOUNT, 0, 0); };

    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(tools(), 1);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    wchar_t text[64] = {};
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageW(host.TooltipWindow(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(text, L"tip text");
    EXPECT_EQ(info.rect.left, 10);
    EXPECT_EQ(info.rect.right, 60);
    EXPECT_EQ(info.rect.bottom, 40);
    EXPECT_EQ(withText.Count(QXE_MOUSEENTER), 1);

    ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(110, 20));
    EXPECT_EQ(tools(), 0) << "an element without text removes the tool";
    EXPECT_EQ(withText.Count(QXE_MOUSELEAVE), 1);
    ::DestroyWindow(hwnd);
}
