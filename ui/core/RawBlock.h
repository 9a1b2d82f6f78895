// Raw memory blocks: committed, readable, writable and executable pages from
// VirtualAlloc, for code the library writes at run time (window-procedure
// trampolines and thunks). The block is released when its owner goes.
#pragma once

#include "ui/core/Handles.h"

#include <cstddef>

// A new block of at least size bytes; an empty owner on failure.
UniqueVirtualBlock AllocRawBlock(std::size_t size);
