#include "ui/core/SystemFont.h"

#include "ui/core/WideText.h"

#include <cstddef>
#include <cstring>

using namespace Gdiplus::DllExports;

namespace {

const char kSongTi[] = "宋体";

GpFontFamilyPtr FamilyByName(const std::string& face)
{
    const ByteBuffer wide = ToWide(face);
    GpFontFamilyPtr family;
    if (GdipCreateFontFamilyFromName(WideChars(wide), nullptr, family.put()) != Gdiplus::Ok)
        family.reset();
    return family;
}

GpFontPtr MakeFont(const GpFontFamilyPtr& family)
{
    GpFontPtr font;
    if (family && GdipCreateFont(family.get(), 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, font.put())
                      != Gdiplus::Ok)
        font.reset();
    return font;
}

// A face-name field: text up to the first zero byte, never past the field.
std::string FaceName(const char (&field)[LF_FACESIZE])
{
    const void* end = std::memchr(field, 0, LF_FACESIZE);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : LF_FACESIZE;
    return std::string(field, length);
}

} // namespace

std::string SystemUiFontName(SystemFontKind which)
{
    // The structure as it was before the padded-border field: every system
    // version answers to that size.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        return kSongTi;
    const LOGFONTA& font = which == SystemFontKind::Menu      ? metrics.lfMenuFont
                           : which == SystemFontKind::Message ? metrics.lfMessageFont
                                                              : metrics.lfCaptionFont;
    std::string name = FaceName(font.lfFaceName);
    if (name == "Tahoma")
        return kSongTi;
    if (!MakeFont(FamilyByName(name)))
        return kSongTi;
    return name;
}

GpFontPtr CreateFirstAvailableFont(std::initializer_list<std::string> faces)
{
    for (const std::string& face : faces) {
        if (GpFontFamilyPtr family = FamilyByName(face))
            return MakeFont(family);
    }
    return {};
}

GpFontPtr CreateDefaultFont() { return CreateFirstAvailableFont({kSongTi, SystemUiFontName(SystemFontKind::Caption)}); }
