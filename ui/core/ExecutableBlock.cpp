#include "ui/core/ExecutableBlock.h"

#include "ui/core/RawBlock.h"

#include <cstring>

ExecutableBlock ExecutableBlock::Write(const std::uint8_t* code, std::size_t size)
{
    ExecutableBlock block;
    block.m_block = AllocRawBlock(size);
    if (!block.m_block)
        return block;
    std::memcpy(block.m_block.get(), code, size);
    ::FlushInstructionCache(::GetCurrentProcess(), block.m_block.get(), size);
    return block;
}
