// Helpers for tests that run under Wine and act on real processes, windows,
// files and registry keys. Paths and texts are UTF-16 here: the tests talk to
// Windows directly and compare against what a user would see.
#pragma once

#include "ui/core/Handles.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace WinTest {

using namespace std::chrono_literals;

// Folder of the running test program (where setup.exe and fixtures are built).
std::wstring ProgramFolder();

// A fresh, empty folder under the temp folder, removed with its contents when
// the object goes. Path() has no trailing backslash.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& tag = L"t");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& relative) const { return m_path + L"\\" + relative; }

private:
    std::wstring m_path;
};

void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);
bool Exists(const std::wstring& path);
void MakeFolders(const std::wstring& path);      // every missing folder of path
void RemoveTree(const std::wstring& path);       // best effort, for clean-up
void CopyTo(const std::wstring& from, const std::wstring& to);

// Relative name ('\\' separated) -> content of every file below folder.
std::map<std::wstring, std::string> ReadTree(const std::wstring& folder);

// The bytes of text as a byte buffer.
inline std::vector<std::uint8_t> ToBuffer(const std::string& text) { return {text.begin(), text.end()}; }

// UTF-16 <-> GBK (code page 936), for comparing with what the program stores.
std::string ToGbk(const std::wstring& text);
std::wstring FromGbk(const std::string& text);
std::string ToUtf8(const std::wstring& text);

// Registry texts; Read returns nullopt-like empty + found flag.
bool RegRead(HKEY root, const std::wstring& key, const std::wstring& value, std::wstring* data = nullptr);
void RegWrite(HKEY root, const std::wstring& key, const std::wstring& value, const std::wstring& data);
bool RegKeyExists(HKEY root, const std::wstring& key);
void RegDeleteTree(HKEY root, const std::wstring& key);

// Writes a shell link to target.
void CreateShortcut(const std::wstring& link, const std::wstring& target);

// A started process, killed when the object goes if still running.
class Process {
public:
    Process() = default;
    // Starts program with the given command-line tail; working folder = its folder.
    static Process Start(const std::wstring& program, const std::wstring& arguments = L"");
    ~Process();
    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept = default;

    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_handle.get(); }
    // True when the process ended within timeout.
    bool WaitExit(std::chrono::milliseconds timeout = 20s) const;
    bool Running() const { return !WaitExit(0ms); }
    DWORD ExitCode() const;

private:
    UniqueKernelHandle m_handle;
    DWORD m_id = 0;
};

// Polls until predicate holds or timeout passes, pumping this thread's
// messages between polls. Returns the predicate's last answer.
bool WaitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout = 20s);

// Top-level windows of class className (any class when empty) owned by pid
// (any process when 0).
std::vector<HWND> FindTopWindows(const std::wstring& className, DWORD pid = 0);

// Waits for a system message box ("#32770") of process pid; nullptr on timeout.
HWND WaitForMessageBox(DWORD pid, std::chrono::milliseconds timeout = 20s);

// A message box's caption and its text (the static control 0xFFFF).
std::wstring WindowText(HWND window);
std::wstring MessageBoxText(HWND box);

// Presses a message-box button (IDYES, IDNO, IDOK...).
void PressButton(HWND box, int id);

} // namespace WinTest
