// Machine code of the per-host window-procedure trampoline. Windows calls the
// trampoline as a window procedure; it replaces the first argument (the HWND)
// by the host's handle and continues in the host's routine, which returns
// straight to Windows. Pure byte building, no Windows headers: the 32-bit
// form is also run by a Linux harness under an i386 emulator.
//
// 32-bit form (stdcall, arguments on the stack), 20 bytes:
//
//   +0   E8 04 00 00 00     call +9        pushes the address of +5
//   +5   <routine>          address of the routine (4 bytes, little-endian)
//   +9   59                 pop ecx        ecx = address of +5
//   +10  C7 44 24 04        mov dword ptr [esp+4], imm32
//   +14  <handle>           ... the host's handle (4 bytes)
//   +18  FF 21              jmp dword ptr [ecx]
//
// 64-bit form (Microsoft x64 convention, first argument in rcx), 22 bytes:
//
//   +0   48 B9 <handle>     mov rcx, imm64
//   +10  48 B8 <routine>    mov rax, imm64
//   +20  FF E0              jmp rax
//
// Neither form touches the stack, so the routine sees the caller's return
// address and stack arguments unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kHostTrampoline32Size = 20;
constexpr std::size_t kHostTrampoline64Size = 22;

using HostTrampoline32 = std::array<std::uint8_t, kHostTrampoline32Size>;
using HostTrampoline64 = std::array<std::uint8_t, kHostTrampoline64Size>;

HostTrampoline32 BuildHostTrampoline32(std::uint32_t handle, std::uint32_t routine);
HostTrampoline64 BuildHostTrampoline64(std::uint64_t handle, std::uint64_t routine);
