#include "ui/core/ElementHost.h"

#include "ui/core/Qx_Object.h"

namespace {

const wchar_t kHostProperty[] = L"Qx_Wnd_Control";

} // namespace

ElementHost::~ElementHost()
{
    DestroyElements();
    // Elements taken out of the lists with Unlink, and their subtrees.
    while (!m_members.empty())
        (*m_members.begin())->Destroy();
}

ElementHost* ElementHost::FromHwnd(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return reinterpret_cast<ElementHost*>(::GetPropW(hwnd, kHostProperty));
}

bool ElementHost::ListsTopLevel(const Qx_Object& element) const
{
    for (const Qx_Object* member = m_topLevel.first; member; member = member->NextSibling()) {
        if (member == &element)
            return true;
    }
    return false;
}

void ElementHost::ForgetElement(const Qx_Object& element)
{
    if (m_pressedElement == &element) {
        m_pressedElement = nullptr;
        m_pressTracked = false;
    }
    if (m_focusElement == &element)
        m_focusElement = nullptr;
    if (m_hoverElement == &element)
        m_hoverElement = nullptr;
    if (m_focusCueElement == &element)
        m_focusCueElement = nullptr;
}

void ElementHost::Publish(HWND hwnd)
{
    m_hwnd = hwnd;
    ::SetPropW(hwnd, kHostProperty, reinterpret_cast<HANDLE>(Handle()));
}

void ElementHost::Withdraw()
{
    if (m_hwnd)
        ::RemovePropW(m_hwnd, kHostProperty);
    m_hwnd = nullptr;
}

void ElementHost::DestroyElements()
{
    // Destroy unlinks each element, so the list shrinks from the front.
    for (Qx_Object* element = m_topLevel.first; element;) {
        Qx_Object* next = element->NextSibling();
        element->Destroy();
        element = next;
    }
}
