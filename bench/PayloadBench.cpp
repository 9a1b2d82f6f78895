// Times the installer's unpacking path on a payload file: DecompressPayload,
// then ResPack::ExtractAll from memory into an empty folder, the way the
// install routine runs them. Prints the best of several runs and the peak
// memory of the process above what it used before the first run.
//   package_payload_bench PAYLOAD TARGET_FOLDER [RUNS]
#include "package/DecompressPayload.h"
#include "package/ResPack.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

std::size_t WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: package_payload_bench PAYLOAD TARGET_FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::size_t before = WorkingSet();
    double best = 1e30;
    double bestDecode = 0;
    std::size_t payloadSize = 0;
    std::size_t unpackedSize = 0;
    for (int run = 0; run < runs; ++run) {
        const std::string target = std::string(argv[2]) + "\\run" + std::to_string(run);
        ByteBuffer payload;
        {
            std::ifstream in(argv[1], std::ios::binary);
            payload.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        payloadSize = payload.size();
        const auto start = std::chrono::steady_clock::now();
        ByteBuffer pack;
        const int result = DecompressPayload(payload, pack);
        if (result != 0) {
            std::fprintf(stderr, "decoder error %d\n", result);
            return 1;
        }
        const auto decoded = std::chrono::steady_clock::now();
        ResPack resPack;
        if (!resPack.ExtractAll(nullptr, &pack, target.c_str())) {
            std::fprintf(stderr, "extraction failed\n");
            return 1;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < best) {
            best = seconds;
            bestDecode = std::chrono::duration<double>(decoded - start).count();
        }
        unpackedSize = pack.size();
    }
    std::printf("seconds %.4f\n", best);
    std::printf("decode_seconds %.4f\n", bestDecode);
    std::printf("payload_bytes %zu\n", payloadSize);
    std::printf("unpacked_bytes %zu\n", unpackedSize);
    std::printf("baseline_working_set %zu\n", before);
    std::printf("peak_working_set %zu\n", PeakWorkingSet());
    return 0;
}
