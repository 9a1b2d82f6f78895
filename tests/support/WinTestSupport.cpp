#include "support/WinTestSupport.h"

#include <shlobj.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace WinTest {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

TempFolder::TempFolder(const std::wstring& tag)
{
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"tavrin-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-"
             + std::to_wstring(counter++);
    RemoveTree(m_path);
    MakeFolders(m_path);
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file)
        throw std::runtime_error("cannot create a test file");
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFile(const std::wstring& path)
{
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolders(const std::wstring& path)
{
    for (std::size_t i = path.find(L'\\', 3); ; i = path.find(L'\\', i + 1)) {
        CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
        if (i == std::wstring::npos)
            break;
    }
}

void RemoveTree(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW entry;
        UniqueFind find(FindFirstFileW((path + L"\\*").c_str(), &entry));
        if (find) {
            do {
                const std::wstring name = entry.cFileName;
                if (name != L"." && name != L"..")
                    RemoveTree(path + L"\\" + name);
            } while (FindNextFileW(find.get(), &entry));
        }
    }
    RemoveDirectoryW(path.c_str());
}

namespace {

void ReadTreeInto(const std::wstring& folder, const std::wstring& prefix, std::map<std::wstring, std::string>& files)
{
    WIN32_FIND_DATAW found;
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ReadTreeInto(folder + L"\\" + name, prefix + name + L"\\", files);
        else
            files[prefix + name] = ReadFile(folder + L"\\" + name);
    } while (FindNextFileW(find.get(), &found));
}

} // namespace

std::map<std::wstring, std::string> ReadTree(const std::wstring& folder)
{
    std::map<std::wstring, std::string> files;
    ReadTreeInto(folder, L"", files);
    return files;
}

void CopyTo(const std::wstring& from, const std::wstring& to)
{
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy a test file");
}

namespace {

std::string Narrow(UINT codePage, const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

} // namespace

std::string ToGbk(const std::wstring& text) { return Narrow(936, text); }

std::string ToUtf8(const std::wstring& text) { return Narrow(CP_UTF8, text); }

std::wstring FromGbk(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

bool RegRead(HKEY root, const std::wstring& key, const std::wstring& value, std::wstring* data)
{
    wchar_t buffer[2048] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    if (data)
        *data = buffer;
    return true;
}

void RegWrite(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& data)
{
    UniqueRegKey handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.put(), nullptr)
        != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test registry key");
    RegSetValueExW(handle.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

bool RegKeyExists(HKEY root, const std::wstring& key)
{
    UniqueRegKey handle;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS;
}

void RegDeleteTree(HKEY root, const std::wstring& key)
{
    RegDeleteTreeW(root, key.c_str());
    RegDeleteKeyW(root, key.c_str());
}

void CreateShortcut(const std::wstring& link, const std::wstring& target)
{
    const ComApartment com;
    ComPtr<IShellLinkW> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shellLink.putVoid())))
        throw std::runtime_error("no shell link object");
    shellLink->SetPath(target.c_str());
    const ComPtr<IPersistFile> file = shellLink.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Save(link.c_str(), TRUE)))
        throw std::runtime_error("cannot save a shell link");
}

Process Process::Start(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        throw std::runtime_error("cannot start a test process");
    CloseHandle(info.hThread);
    Process process;
    process.m_handle.reset(info.hProcess);
    process.m_id = info.dwProcessId;
    return process;
}

Process::~Process()
{
    if (m_handle && WaitForSingleObject(m_handle.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_handle.get(), 1);
        WaitForSingleObject(m_handle.get(), 5000);
    }
}

bool Process::WaitExit(std::chrono::milliseconds timeout) const
{
    return m_handle && WaitForSingleObject(m_handle.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(m_handle.get(), &code);
    return code;
}

bool WaitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (predicate())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return predicate();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(20ms);
    }
}

std::vector<HWND> FindTopWindows(const std::wstring& className, DWORD pid)
{
    struct Query {
        const std::wstring* className;
        DWORD pid;
        std::vector<HWND> found;
    } query{&className, pid, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& q = *reinterpret_cast<Query*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[256] = {};
            GetClassNameW(window, name, 256);
            if ((q.pid == 0 || owner == q.pid) && (q.className->empty() || *q.className == name))
                q.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForMessageBox(DWORD pid, std::chrono::milliseconds timeout)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : FindTopWindows(L"#32770", pid)) {
                if (IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return box;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

std::wstring MessageBoxText(HWND box)
{
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 4096);
    return text;
}

void PressButton(HWND box, int id) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

} // namespace WinTest
