#include "resources/art/coverage.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Box {
    int Left, Top, Right, Bottom;
};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool InStroke(int64_t px, int64_t py, const Stroke& s, int64_t radius) {
    int64_t dx = s.ToX - s.FromX, dy = s.ToY - s.FromY;
    int64_t vx = px - s.FromX, vy = py - s.FromY;
    int64_t length2 = dx * dx + dy * dy;
    int64_t along = vx * dx + vy * dy;
    int64_t r2 = radius * radius;
    if (length2 == 0 || along <= 0) return vx * vx + vy * vy <= r2;
    if (along >= length2) {
        int64_t ex = px - s.ToX, ey = py - s.ToY;
        return ex * ex + ey * ey <= r2;
    }
    int64_t cross = vx * dy - vy * dx;
    return cross * cross <= r2 * length2;
}

bool InEllipse(int64_t dx, int64_t dy, int64_t a, int64_t b) {
    if (a <= 0 || b <= 0) return false;
    return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

bool InQuadrants(int dx, int dy, unsigned quadrants) {
    unsigned quadrant = dy < 0 ? (dx >= 0 ? kUpperRight : kUpperLeft) : (dx < 0 ? kLowerLeft : kLowerRight);
    return (quadrants & quadrant) != 0;
}

bool InArc(int px, int py, const Arc& arc, int radius) {
    int dx = px - arc.CenterX, dy = py - arc.CenterY;
    if (!InQuadrants(dx, dy, arc.Quadrants)) return false;
    return InEllipse(dx, dy, arc.RadiusX + radius, arc.RadiusY + radius) &&
           !InEllipse(dx, dy, arc.RadiusX - radius, arc.RadiusY - radius);
}

Box Bounds(const Glyph& glyph, int radius) {
    Box box = {1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    auto take = [&](int l, int t, int r, int b) {
        box = {std::min(box.Left, l), std::min(box.Top, t), std::max(box.Right, r), std::max(box.Bottom, b)};
    };
    for (const Stroke& s : glyph.Strokes)
        take(std::min(s.FromX, s.ToX) - radius, std::min(s.FromY, s.ToY) - radius, std::max(s.FromX, s.ToX) + radius,
             std::max(s.FromY, s.ToY) + radius);
    for (const Arc& a : glyph.Arcs)
        take(a.CenterX - a.RadiusX - radius, a.CenterY - a.RadiusY - radius, a.CenterX + a.RadiusX + radius,
             a.CenterY + a.RadiusY + radius);
    return box;
}

bool InGlyph(int px, int py, const Glyph& glyph, const Box& bounds, int grow) {
    if (px < bounds.Left || px > bounds.Right || py < bounds.Top || py > bounds.Bottom) return false;
    if (glyph.Clipped && (px < glyph.ClipLeft - grow || px > glyph.ClipRight + grow || py < glyph.ClipTop - grow ||
                          py > glyph.ClipBottom + grow))
        return false;
    int radius = glyph.HalfWidth + grow;
    for (const Stroke& s : glyph.Strokes)
        if (InStroke(px, py, s, radius)) return true;
    for (const Arc& a : glyph.Arcs)
        if (InArc(px, py, a, radius)) return true;
    return false;
}

}  // namespace

std::vector<int> RenderCoverage(const Lettering& lettering, int width, int height, int grow, int dx, int dy) {
    std::vector<Box> bounds;
    for (const Glyph& glyph : lettering.Glyphs) bounds.push_back(Bounds(glyph, glyph.HalfWidth + grow));
    std::vector<int> coverage(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int count = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                // One sample at each sub-pixel point of the pixel.
                int py = y * kSub + sy - dy;
                int shift = FloorDiv((lettering.Baseline - py) * lettering.SlantNumerator, lettering.SlantDenominator);
                for (int sx = 0; sx < kSub; ++sx) {
                    int px = x * kSub + sx - dx - shift;
                    for (size_t g = 0; g < lettering.Glyphs.size(); ++g) {
                        if (InGlyph(px, py, lettering.Glyphs[g], bounds[g], grow)) {
                            ++count;
                            break;
                        }
                    }
                }
            }
            coverage[static_cast<size_t>(y) * width + x] = count;
        }
    }
    return coverage;
}
