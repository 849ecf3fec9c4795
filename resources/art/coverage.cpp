#include "resources/art/coverage.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Box {
    int left, top, right, bottom;
};

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

bool InStroke(int64_t px, int64_t py, const Stroke& s, int64_t radius) {
    int64_t dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    int64_t vx = px - s.x0, vy = py - s.y0;
    int64_t length2 = dx * dx + dy * dy;
    int64_t along = vx * dx + vy * dy;
    int64_t r2 = radius * radius;
    if (length2 == 0 || along <= 0) return vx * vx + vy * vy <= r2;
    if (along >= length2) {
        int64_t ex = px - s.x1, ey = py - s.y1;
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
    int dx = px - arc.cx, dy = py - arc.cy;
    if (!InQuadrants(dx, dy, arc.quadrants)) return false;
    return InEllipse(dx, dy, arc.rx + radius, arc.ry + radius) &&
           !InEllipse(dx, dy, arc.rx - radius, arc.ry - radius);
}

Box Bounds(const Glyph& glyph, int radius) {
    Box box = {1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    auto take = [&](int l, int t, int r, int b) {
        box = {std::min(box.left, l), std::min(box.top, t), std::max(box.right, r), std::max(box.bottom, b)};
    };
    for (const Stroke& s : glyph.strokes)
        take(std::min(s.x0, s.x1) - radius, std::min(s.y0, s.y1) - radius, std::max(s.x0, s.x1) + radius,
             std::max(s.y0, s.y1) + radius);
    for (const Arc& a : glyph.arcs)
        take(a.cx - a.rx - radius, a.cy - a.ry - radius, a.cx + a.rx + radius, a.cy + a.ry + radius);
    return box;
}

bool InGlyph(int px, int py, const Glyph& glyph, const Box& bounds, int grow) {
    if (px < bounds.left || px > bounds.right || py < bounds.top || py > bounds.bottom) return false;
    if (glyph.clipped && (px < glyph.clipLeft - grow || px > glyph.clipRight + grow ||
                          py < glyph.clipTop - grow || py > glyph.clipBottom + grow))
        return false;
    int radius = glyph.halfWidth + grow;
    for (const Stroke& s : glyph.strokes)
        if (InStroke(px, py, s, radius)) return true;
    for (const Arc& a : glyph.arcs)
        if (InArc(px, py, a, radius)) return true;
    return false;
}

}  // namespace

std::vector<int> RenderCoverage(const Lettering& lettering, int width, int height, int grow, int dx, int dy) {
    std::vector<Box> bounds;
    for (const Glyph& glyph : lettering.glyphs) bounds.push_back(Bounds(glyph, glyph.halfWidth + grow));
    std::vector<int> coverage(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int count = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                // One sample at each sub-pixel point of the pixel.
                int py = y * kSub + sy - dy;
                int shift = FloorDiv((lettering.baseline - py) * lettering.slantNumerator,
                                     lettering.slantDenominator);
                for (int sx = 0; sx < kSub; ++sx) {
                    int px = x * kSub + sx - dx - shift;
                    for (size_t g = 0; g < lettering.glyphs.size(); ++g) {
                        if (InGlyph(px, py, lettering.glyphs[g], bounds[g], grow)) {
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
