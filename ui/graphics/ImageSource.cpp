#include "ui/graphics/ImageSource.h"

ImageSource& ImageSource::operator=(ImageSource&& other) noexcept
{
    if (this != &other)
        Adopt(std::move(other.m_memory), std::move(other.m_stream));
    return *this;
}

void ImageSource::Release() noexcept
{
    m_stream.reset();
    m_memory.reset();
}

void ImageSource::Adopt(UniqueGlobalMemory memory, ComPtr<IStream> stream) noexcept
{
    Release();
    m_memory = std::move(memory);
    m_stream = std::move(stream);
}
