#include "ui/graphics/EmbeddedPictures.h"

namespace {

const std::uint8_t kSysButtonGlyphs[] = {
#include "resources/ui/sysbutton_glyphs.inc"
};

const std::uint8_t kDialogButton[] = {
#include "resources/ui/dialog_button.inc"
};

const std::uint8_t kCheckBox[] = {
#include "resources/ui/check_box.inc"
};

template <std::size_t N>
ByteBuffer ToBuffer(const std::uint8_t (&bytes)[N])
{
    return ByteBuffer(bytes, bytes + N);
}

} // namespace

const ByteBuffer& SysButtonGlyphsPng()
{
    static const ByteBuffer bytes = ToBuffer(kSysButtonGlyphs);
    return bytes;
}

const ByteBuffer& DialogButtonSkinPng()
{
    static const ByteBuffer bytes = ToBuffer(kDialogButton);
    return bytes;
}

const ByteBuffer& CheckBoxStripPng()
{
    static const ByteBuffer bytes = ToBuffer(kCheckBox);
    return bytes;
}
