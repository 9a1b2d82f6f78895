#include "ui/core/ConcatBytes.h"

ByteBuffer ConcatBytes(std::initializer_list<const ByteBuffer*> parts)
{
    std::size_t total = 0;
    for (const ByteBuffer* part : parts)
        total += part ? part->size() : 0;
    ByteBuffer result;
    result.reserve(total);
    for (const ByteBuffer* part : parts) {
        if (part)
            result.insert(result.end(), part->begin(), part->end());
    }
    return result;
}
