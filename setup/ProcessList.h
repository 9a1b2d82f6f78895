// Running processes by image name, from the native process list, and their
// termination. Used by the uninstaller to stop the application before its
// files are deleted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ProcessRecord {
    std::uint32_t processId = 0;
    std::string imageName;          // GBK; "System Idle Process" when the system gives none
    std::uint32_t reserved = 0;
    std::uint32_t parentProcessId = 0;
    std::int32_t basePriority = 0;
    std::uint32_t threadCount = 0;
};

// Every running process, in the order the system lists them; empty on failure.
std::vector<ProcessRecord> ListProcesses();

// The id of the first listed process whose image name equals name, Latin
// letters compared without case and double-byte characters byte for byte;
// 0 when there is none.
std::uint32_t FindProcessByName(std::string_view name);

// Ends process pid with its current exit code (normally STILL_ACTIVE, 259) and
// waits briefly for it to go, so that its files are no longer held open.
// Nothing happens for pid 0 or a process that cannot be opened.
void TerminateProcessById(std::uint32_t pid);
