#include "ui/core/EventBlock.h"

#include <memory>

static_assert(sizeof(void*) != 4 || sizeof(EventBlock) == 12, "three 32-bit fields on the 32-bit build");

LPARAM EventBlock::Pack(UINT code, WPARAM wparam, LPARAM lparam)
{
    auto block = std::make_unique<EventBlock>();
    block->code = code;
    block->wparam = wparam;
    block->lparam = lparam;
    return reinterpret_cast<LPARAM>(block.release());
}

EventBlock EventBlock::Take(LPARAM message)
{
    const std::unique_ptr<EventBlock> block(reinterpret_cast<EventBlock*>(message));
    return block ? *block : EventBlock{};
}

void EventBlock::Discard(LPARAM message) { Take(message); }
