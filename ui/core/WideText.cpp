#include "ui/core/WideText.h"

#include <cstring>

namespace {

std::string Narrow(const wchar_t* text, int length, UINT codePage)
{
    if (length <= 0)
        return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace

ByteBuffer ToWide(const char* text, UINT codePage)
{
    if (!text)
        return {};
    const int count = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (count <= 0)
        return {};
    ByteBuffer wide(static_cast<std::size_t>(count) * sizeof(wchar_t));
    ::MultiByteToWideChar(codePage, 0, text, -1, reinterpret_cast<wchar_t*>(wide.data()), count);
    return wide;
}

std::string ToNarrow(const ByteBuffer& wide, UINT codePage)
{
    // Read through a copy: the buffer's bytes need not be aligned for wchar_t.
    std::wstring text(wide.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(text.data(), wide.data(), text.size() * sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return Narrow(text.data(), static_cast<int>(text.size()), codePage);
}

std::string ToNarrow(const wchar_t* wide, UINT codePage)
{
    if (!wide)
        return {};
    return Narrow(wide, static_cast<int>(std::wcslen(wide)), codePage);
}
