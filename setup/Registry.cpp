#include "setup/Registry.h"

#include "setup/GbkText.h"
#include "ui/core/Handles.h"

#include <vector>

namespace Registry {

namespace {

struct SplitPath {
    std::string key;
    std::string value;
};

SplitPath Split(std::string_view path)
{
    const std::size_t slash = GbkText::FindLastBackslash(path);
    if (slash == std::string_view::npos)
        return {std::string(), std::string(path)};
    return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

} // namespace

std::string ReadText(HKEY root, std::string_view path, std::string_view fallback)
{
    const SplitPath parts = Split(path);
    UniqueRegKey key;
    if (RegOpenKeyExA(root, parts.key.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::string(fallback);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), parts.value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string(fallback);

    std::vector<char> data(size + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key.get(), parts.value.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &read) != ERROR_SUCCESS)
        return std::string(fallback);
    // The stored text need not be NUL-terminated; the buffer has one spare.
    return std::string(data.data());
}

bool WriteText(HKEY root, std::string_view path, std::string_view data)
{
    const SplitPath parts = Split(path);
    UniqueRegKey key;
    if (RegCreateKeyExA(root, parts.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    const std::string text(data);
    return RegSetValueExA(key.get(), parts.value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteEntry(HKEY root, std::string_view path)
{
    const SplitPath parts = Split(path);
    {
        UniqueRegKey key;
        if (RegOpenKeyExA(root, parts.key.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS
            && RegDeleteValueA(key.get(), parts.value.c_str()) == ERROR_SUCCESS)
            return true;
    }
    return RegDeleteKeyA(root, std::string(path).c_str()) == ERROR_SUCCESS;
}

} // namespace Registry
