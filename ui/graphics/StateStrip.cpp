#include "ui/graphics/StateStrip.h"

#include "ui/graphics/SkinDraw.h"

#include <cmath>

StateStrip::StateStrip(float sliceWidth, float step, float height, const std::array<int, 5>& indexByState)
    : m_sliceWidth(sliceWidth), m_step(step), m_height(height), m_indexByState(indexByState)
{
}

StateStrip StateStrip::DialogButton()
{
    // disabled, normal, hot, pressed, focused
    return StateStrip(13.0f, 14.0f, 28.0f, {0, 0, 1, 2, 1});
}

StateStrip StateStrip::ImageButton(float imageWidth, float imageHeight, int sliceCount, float gap)
{
    if (sliceCount < 1)
        sliceCount = 1;
    // Whole pixels: a slice never starts or ends inside a pixel.
    const float sliceWidth =
        std::trunc((imageWidth - gap * static_cast<float>(sliceCount - 1)) / static_cast<float>(sliceCount));
    const int disabled = sliceCount > 3 ? 3 : 0;
    return StateStrip(sliceWidth, sliceWidth + gap, imageHeight, {disabled, 0, 1, 2, 1});
}

StateStrip StateStrip::CheckBox(bool checked)
{
    const int plain = checked ? 2 : 0;
    const int hot = plain + 1;
    return StateStrip(17.0f, 17.0f, 17.0f, {hot, plain, hot, hot, plain});
}

int StateStrip::IndexOf(VisualState state) const
{
    const int at = static_cast<int>(state) + 1;
    if (at < 0 || at >= static_cast<int>(m_indexByState.size()))
        return m_indexByState[1];
    return m_indexByState[static_cast<std::size_t>(at)];
}

RectF StateStrip::SliceRect(VisualState state) const
{
    RectF slice;
    slice.left = static_cast<float>(IndexOf(state)) * m_step;
    slice.top = 0.0f;
    slice.width = m_sliceWidth;
    slice.height = m_height;
    return slice;
}

GpImagePtr StateStrip::CutSlice(Gdiplus::GpImage* strip, VisualState state) const
{
    return CropImage(strip, SliceRect(state));
}
