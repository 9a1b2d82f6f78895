#include "ui-core/UiCoreTestSupport.h"

#include "ui/core/Library.h"
#include "ui/core/TopWindow.h"

namespace UiCoreTest {

namespace {

const char kTestHostClass[] = "QxTestHost";

} // namespace

void EnsureLibrary()
{
    static const bool started = [] {
        StartLibrary();
        HostClassOptions options;
        options.className = kTestHostClass;
        options.windowProc = &TestHost::WindowProc;
        RegisterHostClass(options);
        return true;
    }();
    (void)started;
}

TestHost::TestHost()
{
    EnsureLibrary();
    TopWindowOptions options;
    options.className = kTestHostClass;
    options.title = "test host";
    options.width = 300;
    options.height = 200;
    m_window = CreateTopWindow(options);
    Publish(m_window);
}

TestHost::~TestHost()
{
    // Messages still queued may name elements that are gone already; the
    // system drops them with the window. The base destroys the elements left.
    Withdraw();
    ::DestroyWindow(m_window);
}

void TestHost::Pump()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::vector<HostMessage> TestHost::Received(UINT message) const
{
    std::vector<HostMessage> result;
    for (const HostMessage& m : received) {
        if (m.message == message)
            result.push_back(m);
    }
    return result;
}

void TestHost::SetTooltip(Qx_Object& element, std::optional<std::string_view> text)
{
    tooltips.push_back({&element, !text, text ? std::string(*text) : element.Text()});
}

LRESULT CALLBACK TestHost::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (auto* host = static_cast<TestHost*>(ElementHost::FromHwnd(hwnd)))
        return host->OnMessage(message, wparam, lparam);
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT TestHost::OnMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    HostMessage record{message, wparam, lparam, 0, {}, ::GetCurrentThreadId()};
    switch (message) {
    case QXM_EVENT:
        record.eventCode = reinterpret_cast<const EventBlock*>(lparam)->code;
        received.push_back(record);
        return Qx_Object::DispatchEventMessage(wparam, lparam);
    case QXM_INVALIDATE:
        record.rect = *reinterpret_cast<const RectF*>(lparam);
        received.push_back(record);
        return 0;
    case QXM_MOVED:
        received.push_back(record);
        Qx_Object::DispatchEvent(wparam, QXM_MOVED, 0, 0);
        if (lparam == 1 && busyAnswers > 0) {
            --busyAnswers;
            return 0;
        }
        return 1;
    default:
        return ::DefWindowProcW(Window(), message, wparam, lparam);
    }
}

std::vector<ProbeCall> ProbeElement::Calls(UINT code) const
{
    std::vector<ProbeCall> result;
    for (const ProbeCall& call : calls) {
        if (call.code == code)
            result.push_back(call);
    }
    return result;
}

LRESULT ProbeElement::EventProc(UINT code, WPARAM wparam, LPARAM lparam)
{
    calls.push_back({code, wparam, lparam, ::GetCurrentThreadId()});
    if (log)
        log->push_back(name + ":proc:" + std::to_string(code));
    return answer ? answer(code, wparam, lparam) : -1;
}

} // namespace UiCoreTest
