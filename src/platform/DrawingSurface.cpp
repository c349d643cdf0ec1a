// The shared parts of the drawing surface: rectangle intersection and the banded gradient.
#include "platform/DrawingSurface.h"

#include <algorithm>
#include <cmath>

namespace tarnwick::platform {

SurfaceRect SurfaceRect::Intersected(const SurfaceRect& o) const {
    SurfaceRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
                  std::min(Bottom, o.Bottom)};
    if (r.IsEmpty()) {
        return SurfaceRect{r.Left, r.Top, r.Left, r.Top};
    }
    return r;
}

bool AxisLinePixels(int x1, int y1, int x2, int y2, int penWidth, SurfaceRect& out) {
    const int pen = std::max(1, penWidth);
    if (x1 == x2) {
        const int top = y2 < y1 ? y2 + 1 : y1;
        const int bottom = y2 < y1 ? y1 + 1 : y2;
        out = {x1, top, x1 + pen, bottom};
        return true;
    }
    if (y1 == y2) {
        const int left = x2 < x1 ? x2 + 1 : x1;
        const int right = x2 < x1 ? x1 + 1 : x2;
        out = {left, y1, right, y1 + pen};
        return true;
    }
    return false;
}

namespace {

int BandComponent(int from, int to, int k, int bands) {
    return static_cast<int>(std::lround(from + static_cast<double>(k) * (to - from) / bands));
}

}  // namespace

SurfaceColor GradientBandColor(SurfaceColor from, SurfaceColor to, int k, int bands) {
    if (bands <= 0) {
        return from;
    }
    return SurfaceRgb(BandComponent(SurfaceRed(from), SurfaceRed(to), k, bands),
                      BandComponent(SurfaceGreen(from), SurfaceGreen(to), k, bands),
                      BandComponent(SurfaceBlue(from), SurfaceBlue(to), k, bands));
}

void IDrawingSurface::FillGradient(const SurfaceRect& rect, SurfaceColor from, SurfaceColor to,
                                   int bands) {
    if (rect.IsEmpty() || bands <= 0) {
        return;
    }
    // Band edges are spread by integer division so the bands together cover the rectangle.
    const int width = rect.Width();
    for (int k = 0; k < bands; ++k) {
        const int left = rect.Left + k * width / bands;
        const int right = rect.Left + (k + 1) * width / bands;
        if (right > left) {
            FillRect({left, rect.Top, right, rect.Bottom}, GradientBandColor(from, to, k, bands));
        }
    }
}

}  // namespace tarnwick::platform
