// A float rectangle in pixels of a host window's client area (not relative to
// an element's parent): left, top, width, height. Coordinates compare with a
// tolerance of 1e-7. Pure logic.
#pragma once

#include <cmath>

struct RectF {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    // True when a and b differ by at most 1e-7.
    static bool Near(float a, float b) { return std::fabs(a - b) <= 1e-7f; }

    float Right() const { return left + width; }
    float Bottom() const { return top + height; }

    // left <= x < left + width and top <= y < top + height, with the tolerance
    // applied to every comparison.
    bool Contains(float x, float y) const
    {
        return (x > left || Near(x, left)) && x < Right() && !Near(x, Right()) && (y > top || Near(y, top))
               && y < Bottom() && !Near(y, Bottom());
    }

    bool SameAs(const RectF& other) const
    {
        return Near(left, other.left) && Near(top, other.top) && Near(width, other.width)
               && Near(height, other.height);
    }
};
