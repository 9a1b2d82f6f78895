#include "ui/core/RawBlock.h"

UniqueVirtualBlock AllocRawBlock(std::size_t size)
{
    return UniqueVirtualBlock(::VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_EXECUTE_READWRITE));
}
