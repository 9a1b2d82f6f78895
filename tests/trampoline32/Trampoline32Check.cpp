// Runs the 32-bit host trampoline, as the product builds it, on a real i386
// processor model (a static Linux program under qemu-i386-static): a stdcall
// routine must see the host handle in place of the first argument, the other
// arguments and the caller's return address unchanged, its answer must come
// back, and its stdcall return must leave the stack pointer where the caller
// had it before pushing the arguments.
#include "ui/core/HostTrampolineCode.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" {
// Written by the assembly below; globals so that the code never addresses
// memory relative to a stack pointer it is moving.
std::uint32_t g_espBefore = 0;
std::uint32_t g_espAfter = 0;
std::uint32_t g_result = 0;
std::uint32_t g_expectedReturn = 0;
std::uint32_t g_entry = 0;
std::uint32_t g_args[4] = {};
}

namespace {

std::uint32_t g_seen[4];
std::uint32_t g_seenReturn;

__attribute__((stdcall, noinline)) std::uint32_t Routine(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                                         std::uint32_t d)
{
    g_seen[0] = a;
    g_seen[1] = b;
    g_seen[2] = c;
    g_seen[3] = d;
    g_seenReturn = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)));
    return a ^ 0x5A5A5A5A;
}

// Calls the code at g_entry as a stdcall procedure with four arguments,
// noting the stack pointer before the pushes and after the return.
void CallEntry(std::uint32_t hwnd, std::uint32_t msg, std::uint32_t wparam, std::uint32_t lparam)
{
    g_args[0] = hwnd;
    g_args[1] = msg;
    g_args[2] = wparam;
    g_args[3] = lparam;
    asm volatile("movl %%esp, g_espBefore\n\t"
                 "pushl g_args+12\n\t"
                 "pushl g_args+8\n\t"
                 "pushl g_args+4\n\t"
                 "pushl g_args\n\t"
                 "call *g_entry\n"
                 "1:\n\t"
                 "movl %%esp, g_espAfter\n\t"
                 "movl %%eax, g_result\n\t"
                 "movl $1b, g_expectedReturn\n\t"
                 :
                 :
                 : "eax", "ecx", "edx", "memory", "cc");
}

int g_failures = 0;

void Expect(bool ok, const char* what, std::uint32_t got, std::uint32_t want)
{
    std::printf("%-40s %s (got %08x, want %08x)\n", what, ok ? "ok" : "FAILED", got, want);
    if (!ok)
        ++g_failures;
}

} // namespace

int main()
{
    const std::uint32_t handle = 0xC0DE1234;
    const HostTrampoline32 code =
        BuildHostTrampoline32(handle, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&Routine)));

    const std::uint8_t fixed[] = {0xE8, 0x04, 0x00, 0x00, 0x00, 0x59, 0xC7, 0x44, 0x24, 0x04, 0xFF, 0x21};
    const bool layout = std::memcmp(code.data(), fixed, 5) == 0 && std::memcmp(code.data() + 9, fixed + 5, 5) == 0
                        && std::memcmp(code.data() + 18, fixed + 10, 2) == 0 && code[14] == 0x34 && code[17] == 0xC0;
    Expect(layout, "byte layout", layout, 1);

    void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) {
        std::printf("mmap failed\n");
        return 1;
    }
    std::memcpy(page, code.data(), code.size());
    g_entry = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(page));

    // Two calls with different arguments: nothing may leak from the first.
    const std::uint32_t calls[2][4] = {{0x00010001, 0x0201, 0xAAAA5555, 0x00640032}, {0x7777, 0x0F, 0, 0xFFFFFFFF}};
    for (const auto& args : calls) {
        CallEntry(args[0], args[1], args[2], args[3]);
        Expect(g_seen[0] == handle, "first argument is the host handle", g_seen[0], handle);
        Expect(g_seen[1] == args[1], "second argument intact", g_seen[1], args[1]);
        Expect(g_seen[2] == args[2], "third argument intact", g_seen[2], args[2]);
        Expect(g_seen[3] == args[3], "fourth argument intact", g_seen[3], args[3]);
        Expect(g_seenReturn == g_expectedReturn, "return address is the caller's", g_seenReturn, g_expectedReturn);
        Expect(g_result == (handle ^ 0x5A5A5A5A), "routine's answer returned", g_result, handle ^ 0x5A5A5A5A);
        Expect(g_espAfter == g_espBefore, "stdcall cleanup restores esp", g_espAfter, g_espBefore);
    }
    munmap(page, 4096);
    std::printf("%s\n", g_failures ? "trampoline32: FAILED" : "trampoline32: all checks passed");
    return g_failures ? 1 : 0;
}
