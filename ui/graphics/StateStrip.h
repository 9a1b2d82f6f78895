// Where the picture for each visual state lies in a state strip: one image
// holding several same-sized pictures side by side, left to right.
#pragma once

#include "ui/core/Handles.h"
#include "ui/core/RectF.h"
#include "ui/graphics/VisualState.h"

#include <array>

class StateStrip {
public:
    // Slice i lies at (i * step, 0, sliceWidth, height). indexByState gives
    // the slice of StateDisabled, StateNormal, StateHot, StatePressed and
    // StateFocused, in that order.
    StateStrip(float sliceWidth, float step, float height, const std::array<int, 5>& indexByState);

    // The skinned dialog button's 55 x 28 strip: 13-pixel slices 14 apart
    // (a one-pixel column between them); normal, hot (also focused),
    // pressed; a disabled button shows the normal slice.
    static StateStrip DialogButton();

    // An image button's strip of sliceCount slices of imageWidth / sliceCount
    // (truncated to whole pixels) with no gap: normal, hot (also focused), pressed and, with more than
    // three slices, disabled; a disabled button of a three-slice strip shows
    // the normal slice. With a gap between slices, the slices share what the
    // gaps leave: width (imageWidth - gap * (sliceCount - 1)) / sliceCount,
    // slice i at i * (width + gap).
    static StateStrip ImageButton(float imageWidth, float imageHeight, int sliceCount, float gap = 0.0f);

    // The check box's 68 x 17 strip of 17 x 17 slices: unchecked, unchecked
    // hot, checked, checked hot. Normal and focused boxes show the plain
    // slice, every other state (hot, pressed, disabled) the hot one.
    static StateStrip CheckBox(bool checked);

    // The slice index of state; a value that is no VisualState counts as
    // StateNormal.
    int IndexOf(VisualState state) const;

    // The source rectangle of state's slice in strip pixels.
    RectF SliceRect(VisualState state) const;

    // A new bitmap holding state's slice of strip (CropImage); empty when it
    // cannot be cut. The caller disposes it after drawing.
    GpImagePtr CutSlice(Gdiplus::GpImage* strip, VisualState state) const;

private:
    float m_sliceWidth;
    float m_step;
    float m_height;
    std::array<int, 5> m_indexByState;
};
