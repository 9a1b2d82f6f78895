// The one owner of executable memory in the library: a raw block
// (AllocRawBlock) that receives machine code once, has the instruction cache
// flushed for it, and is freed when the owner goes. Callers must make sure
// nothing can still jump into the code by then (a trampoline's window
// procedure is restored first).
#pragma once

#include "ui/core/Handles.h"

#include <cstddef>
#include <cstdint>

class ExecutableBlock {
public:
    ExecutableBlock() = default;
    ExecutableBlock(ExecutableBlock&&) noexcept = default;
    ExecutableBlock& operator=(ExecutableBlock&&) noexcept = default;

    // A block holding a copy of code, ready to run; empty when no memory could
    // be had.
    static ExecutableBlock Write(const std::uint8_t* code, std::size_t size);

    void* Entry() const { return m_block.get(); }
    explicit operator bool() const { return m_block.valid(); }
    void Free() { m_block.reset(); }

private:
    UniqueVirtualBlock m_block;
};
