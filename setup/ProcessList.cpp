#include "setup/ProcessList.h"

#include "setup/GbkText.h"
#include "ui/core/Handles.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>

namespace {

constexpr ULONG kSystemProcessInformation = 5;
constexpr NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr UINT kGbkCodePage = 936;
// How long TerminateProcessById waits for the process to be gone.
constexpr DWORD kTerminateWaitMs = 5000;

using NtQuerySystemInformationFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

NtQuerySystemInformationFn ResolveQuery()
{
    static const auto query = reinterpret_cast<NtQuerySystemInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    return query;
}

// The process list as one buffer. The list can grow between asking for the
// size and reading it, so the read is retried with more room.
std::vector<std::byte> QueryProcessBuffer()
{
    const NtQuerySystemInformationFn query = ResolveQuery();
    if (!query)
        return {};
    ULONG needed = 0;
    query(kSystemProcessInformation, nullptr, 0, &needed);
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::vector<std::byte> buffer(needed + 64 * 1024);
        needed = 0;
        const NTSTATUS status =
            query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0)
            return buffer;
        if (status != kStatusInfoLengthMismatch)
            return {};
        if (needed < buffer.size())
            needed = static_cast<ULONG>(buffer.size() * 2);
    }
    return {};
}

std::string ImageNameToGbk(const UNICODE_STRING& name)
{
    const int length = name.Length / static_cast<int>(sizeof(WCHAR));
    if (length <= 0)
        return {};
    const int size = WideCharToMultiByte(kGbkCodePage, WC_COMPOSITECHECK, name.Buffer, length, nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(kGbkCodePage, WC_COMPOSITECHECK, name.Buffer, length, text.data(), size, nullptr,
                            nullptr);
    return text;
}

} // namespace

std::vector<ProcessRecord> ListProcesses()
{
    const std::vector<std::byte> buffer = QueryProcessBuffer();
    std::vector<ProcessRecord> records;
    std::size_t offset = 0;
    while (!buffer.empty() && offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= buffer.size()) {
        SYSTEM_PROCESS_INFORMATION info;
        std::memcpy(&info, buffer.data() + offset, sizeof info);

        ProcessRecord record;
        record.processId = static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(info.UniqueProcessId));
        record.imageName = info.ImageName.Buffer ? ImageNameToGbk(info.ImageName) : "System Idle Process";
        record.parentProcessId =
            static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(info.InheritedFromUniqueProcessId));
        record.basePriority = static_cast<std::int32_t>(info.BasePriority);
        record.threadCount = info.NumberOfThreads;
        records.push_back(std::move(record));

        if (info.NextEntryOffset == 0)
            break;
        offset += info.NextEntryOffset;
    }
    return records;
}

std::uint32_t FindProcessByName(std::string_view name)
{
    const std::vector<ProcessRecord> records = ListProcesses();
    const std::string wanted = GbkText::LowerAscii(name);
    for (const ProcessRecord& record : records) {
        if (GbkText::LowerAscii(record.imageName) == wanted)
            return record.processId;
    }
    return 0;
}

void TerminateProcessById(std::uint32_t pid)
{
    if (pid == 0)
        return;
    UniqueKernelHandle process(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
    if (!process)
        return;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    if (TerminateProcess(process.get(), code))
        WaitForSingleObject(process.get(), kTerminateWaitMs);
}
