// AutoUpdate.exe: the stand-in for the application's updater. It writes
// "updatelist.xml" into its own folder, naming every file found there and in
// its subfolders (relative paths, '\' between folders), then exits:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <root><files><file name="Zarvel.exe"/>...</files></root>
//
// The list itself is not named in it. Exit code 0 on success, 1 when the list
// cannot be written.
#include "ui/core/Handles.h"

#include <string>
#include <vector>

namespace {

const wchar_t kListName[] = L"updatelist.xml";

std::wstring OwnFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

// Files of folder first, then those of its subfolders, as paths relative to
// the top folder.
void CollectFiles(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find)
        return;
    std::vector<std::wstring> subfolders;
    do {
        const std::wstring name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L".." && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                subfolders.push_back(name);
        } else if (!(prefix.empty() && lstrcmpiW(name.c_str(), kListName) == 0)) {
            files.push_back(prefix + name);
        }
    } while (FindNextFileW(find.get(), &found));
    for (const std::wstring& name : subfolders)
        CollectFiles(folder + L"\\" + name, prefix + name + L"\\", files);
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::string XmlAttribute(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::wstring folder = OwnFolder();
    if (folder.empty())
        return 1;
    std::vector<std::wstring> files;
    CollectFiles(folder, L"", files);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<root>\r\n  <files>\r\n";
    for (const std::wstring& file : files)
        xml += "    <file name=\"" + XmlAttribute(ToUtf8(file)) + "\"/>\r\n";
    xml += "  </files>\r\n</root>\r\n";
    UniqueFile list(CreateFileW((folder + L"\\" + kListName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!list || !WriteFile(list.get(), xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr) ||
        written != xml.size())
        return 1;
    return 0;
}
