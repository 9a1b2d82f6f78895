// What a stream-backed image reads from: the encoded bytes in a movable
// global block and an IStream over that block.
#pragma once

#include "ui/core/Handles.h"

// Owns the block and the stream of one stream-backed image. GDI+ reads the
// stream lazily (every frame of a multi-frame GIF, for instance), so the
// source must outlive the image it was loaded with: dispose the image first,
// then Release() the source (ReleaseImage does both in that order).
class ImageSource {
public:
    ImageSource() noexcept = default;
    ImageSource(ImageSource&&) noexcept = default;
    ImageSource& operator=(ImageSource&& other) noexcept;
    ImageSource(const ImageSource&) = delete;
    ImageSource& operator=(const ImageSource&) = delete;
    ~ImageSource() { Release(); }

    // Releases the stream, then frees the block. Does nothing when empty.
    void Release() noexcept;

    bool Empty() const noexcept { return !m_stream && !m_memory; }
    IStream* Stream() const noexcept { return m_stream.get(); }
    HGLOBAL Memory() const noexcept { return m_memory.get(); }

    // Takes ownership of a block and of a stream created over it with
    // delete-on-release off; what it held before is released first.
    void Adopt(UniqueGlobalMemory memory, ComPtr<IStream> stream) noexcept;

private:
    // Declared block first so that, on destruction, the stream goes first.
    UniqueGlobalMemory m_memory;
    ComPtr<IStream> m_stream;
};
