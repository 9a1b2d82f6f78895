// Concatenation of byte buffers. Pure logic.
#pragma once

#include "ui/core/ByteBuffer.h"

#include <initializer_list>

// The bytes of parts in order; null parts are skipped.
ByteBuffer ConcatBytes(std::initializer_list<const ByteBuffer*> parts);
