#include "resources/art/lettering.h"

namespace {

// The frame a letter is built in: its left edge and the font's measures.
struct Pen {
    const FontMetrics& Metrics;
    int Left;
    Glyph Shape;

    int w() const { return Metrics.HalfStroke; }
    int base() const { return Metrics.Baseline; }
    int capTop() const { return Metrics.Baseline - Metrics.CapHeight; }
    int xTop() const { return Metrics.Baseline - Metrics.XHeight; }
    // Centreline semi-axes of the round lower-case bowl.
    int bowlRy() const { return Metrics.XHeight / 2 - w(); }
    int bowlRx() const { return bowlRy() * 19 / 20; }

    void Line(int xa, int ya, int xb, int yb) { Shape.Strokes.push_back({xa, ya, xb, yb}); }
    void Ring(int cx, int cy, int rx, int ry, unsigned quadrants) { Shape.Arcs.push_back({cx, cy, rx, ry, quadrants}); }
    // Capitals stand in a box; strokes run past it and are cut flat there.
    void SquareBox(int width) {
        if (!Metrics.SquareCapitals) return;
        Shape.Clipped = true;
        Shape.ClipLeft = Left;
        Shape.ClipTop = capTop();
        Shape.ClipRight = Left + width;
        Shape.ClipBottom = base();
    }
    // A free stroke end: past the box when capitals are squared, else at the
    // pen's edge so its round end just touches the box.
    int Beyond(int edge, int outwards) const { return edge + outwards * (Metrics.SquareCapitals ? w() : -w()); }
};

int CapitalU(Pen* p) {
    int width = p->Metrics.CapHeight * 74 / 100;
    int left = p->Left + p->w(), right = p->Left + width - p->w();
    int radius = (right - left) / 2;
    int cy = p->base() - p->w() - radius;
    int top = p->Beyond(p->capTop(), -1);
    p->Line(left, top, left, cy);
    p->Line(right, top, right, cy);
    p->Ring(p->Left + width / 2, cy, radius, radius, kLowerLeft | kLowerRight);
    p->SquareBox(width);
    return width;
}

int CapitalL(Pen* p) {
    int width = p->Metrics.CapHeight * 56 / 100;
    int stem = p->Left + p->w(), foot = p->base() - p->w();
    p->Line(stem, p->Beyond(p->capTop(), -1), stem, foot);
    p->Line(stem, foot, p->Beyond(p->Left + width, 1), foot);
    p->SquareBox(width);
    return width;
}

int CapitalM(Pen* p) {
    int width = p->Metrics.CapHeight * 96 / 100;
    int left = p->Left + p->w(), right = p->Left + width - p->w();
    int top = p->Beyond(p->capTop(), -1), bottom = p->Beyond(p->base(), 1);
    int shoulder = p->capTop() + p->w();
    int valley = p->base() - p->Metrics.CapHeight * 30 / 100;
    p->Line(left, top, left, bottom);
    p->Line(right, top, right, bottom);
    p->Line(left, shoulder, p->Left + width / 2, valley);
    p->Line(p->Left + width / 2, valley, right, shoulder);
    p->SquareBox(width);
    return width;
}

// x of the line (xa, ya)–(xb, yb) at height y.
int XAt(int xa, int ya, int xb, int yb, int y) { return xa + (xb - xa) * (y - ya) / (yb - ya); }

int CapitalA(Pen* p) {
    int width = p->Metrics.CapHeight * 98 / 100;
    int apexY = p->capTop() + p->w();
    int apexLeft = p->Left + width / 2 - p->w() / 2, apexRight = p->Left + width / 2 + p->w() / 2;
    int footY = p->Beyond(p->base(), 1);
    int leftFoot = p->Left + p->w() * 13 / 10, rightFoot = p->Left + width - p->w() * 13 / 10;
    p->Line(apexLeft, apexY, apexRight, apexY);
    p->Line(apexLeft, apexY, leftFoot, footY);
    p->Line(apexRight, apexY, rightFoot, footY);
    int barY = p->base() - p->Metrics.CapHeight * 28 / 100;
    p->Line(XAt(apexLeft, apexY, leftFoot, footY, barY), barY, XAt(apexRight, apexY, rightFoot, footY, barY), barY);
    p->SquareBox(width);
    return width;
}

int CapitalR(Pen* p) {
    int width = p->Metrics.CapHeight * 74 / 100;
    int stem = p->Left + p->w();
    int top = p->capTop() + p->w();
    int waist = p->capTop() + p->Metrics.CapHeight * 54 / 100;
    int radius = (waist - top) / 2;
    int bowlX = p->Left + width - p->w() - radius;
    p->Line(stem, p->Beyond(p->capTop(), -1), stem, p->Beyond(p->base(), 1));
    p->Line(stem, top, bowlX, top);
    p->Line(stem, waist, bowlX, waist);
    p->Ring(bowlX, top + radius, radius, radius, kUpperRight | kLowerRight);
    p->Line(bowlX - radius / 3, waist, p->Left + width - p->w(), p->Beyond(p->base(), 1));
    p->SquareBox(width);
    return width;
}

int LowerO(Pen* p) {
    int rx = p->bowlRx();
    p->Ring(p->Left + p->w() + rx, p->base() - p->Metrics.XHeight / 2, rx, p->bowlRy(), kWholeRing);
    return 2 * (rx + p->w());
}

// A bowl with a stem on its left (b, p) or right (d).
int BowlAndStem(Pen* p, bool stemLeft, int stemTop, int stemBottom) {
    int width = LowerO(p);
    int stem = stemLeft ? p->Left + p->w() : p->Left + width - p->w();
    p->Line(stem, stemTop, stem, stemBottom);
    return width;
}

int LowerB(Pen* p) { return BowlAndStem(p, true, p->capTop() + p->w(), p->base() - p->w()); }
int LowerD(Pen* p) { return BowlAndStem(p, false, p->capTop() + p->w(), p->base() - p->w()); }
int LowerP(Pen* p) { return BowlAndStem(p, true, p->xTop() + p->w(), p->base() + p->Metrics.Descender - p->w()); }

int LowerE(Pen* p) {
    int rx = p->bowlRx(), ry = p->bowlRy();
    int cx = p->Left + p->w() + rx, cy = p->base() - p->Metrics.XHeight / 2;
    p->Ring(cx, cy, rx, ry, kUpperRight | kUpperLeft | kLowerLeft);
    p->Line(cx - rx, cy, cx + rx, cy);
    p->Line(cx, cy + ry, cx + rx * 7 / 10, cy + ry * 7 / 10);
    return 2 * (rx + p->w());
}

int LowerH(Pen* p) {
    int r = p->bowlRx();
    int stem = p->Left + p->w(), leg = stem + 2 * r;
    int cy = p->xTop() + p->w() + r;
    p->Line(stem, p->capTop() + p->w(), stem, p->base() - p->w());
    p->Ring(stem + r, cy, r, r, kUpperLeft | kUpperRight);
    p->Line(leg, cy, leg, p->base() - p->w());
    return 2 * (r + p->w());
}

int LowerL(Pen* p) {
    p->Line(p->Left + p->w(), p->capTop() + p->w(), p->Left + p->w(), p->base() - p->w());
    return 2 * p->w();
}

int LowerR(Pen* p) {
    int r = p->bowlRx() * 7 / 10;
    int stem = p->Left + p->w(), top = p->xTop() + p->w();
    p->Line(stem, top, stem, p->base() - p->w());
    p->Ring(stem + r, top + r, r, r, kUpperLeft);
    p->Line(stem + r, top, stem + 2 * r, top + r / 3);
    return 2 * (r + p->w());
}

int LowerS(Pen* p) {
    int ry = (p->Metrics.XHeight - 2 * p->w()) / 4;
    int rx = p->bowlRx() * 8 / 10;
    int cx = p->Left + p->w() + rx;
    p->Ring(cx, p->xTop() + p->w() + ry, rx, ry, kUpperRight | kUpperLeft | kLowerLeft);
    p->Ring(cx, p->base() - p->w() - ry, rx, ry, kUpperRight | kLowerRight | kLowerLeft);
    return 2 * (rx + p->w());
}

int LowerT(Pen* p) {
    int x = p->Metrics.XHeight;
    int stem = p->Left + p->w() + x * 18 / 100;
    int r = x * 25 / 100;
    int bottom = p->base() - p->w();
    p->Line(stem, p->xTop() - x * 30 / 100, stem, bottom - r);
    p->Ring(stem + r, bottom - r, r, r, kLowerLeft);
    p->Line(stem + r, bottom, stem + r + r / 2, bottom - r / 3);
    p->Line(p->Left + p->w(), p->xTop() + p->w(), stem + x * 30 / 100, p->xTop() + p->w());
    return stem + x * 30 / 100 + p->w() - p->Left;
}

int LowerV(Pen* p) {
    int width = p->Metrics.XHeight * 80 / 100 + 2 * p->w();
    int top = p->xTop() + p->w();
    p->Line(p->Left + p->w(), top, p->Left + width / 2, p->base() - p->w());
    p->Line(p->Left + width / 2, p->base() - p->w(), p->Left + width - p->w(), top);
    return width;
}

int LowerY(Pen* p) {
    int width = p->Metrics.XHeight * 80 / 100 + 2 * p->w();
    int top = p->xTop() + p->w(), meet = p->base() - p->w();
    int right = p->Left + width - p->w(), middle = p->Left + width / 2;
    int tailY = p->base() + p->Metrics.Descender - p->w();
    int tailX = XAt(right, top, middle, meet, tailY);
    p->Line(p->Left + p->w(), top, middle, meet);
    p->Line(right, top, tailX, tailY);
    p->Line(tailX, tailY, tailX - p->w() * 2, tailY);
    return width;
}

int Space(Pen* p) { return p->Metrics.XHeight * 45 / 100; }

using Builder = int (*)(Pen*);

Builder BuilderFor(char c) {
    switch (c) {
        case 'U': return CapitalU;
        case 'L': return CapitalL;
        case 'M': return CapitalM;
        case 'A': return CapitalA;
        case 'R': return CapitalR;
        case 'b': return LowerB;
        case 'd': return LowerD;
        case 'e': return LowerE;
        case 'h': return LowerH;
        case 'l': return LowerL;
        case 'o': return LowerO;
        case 'p': return LowerP;
        case 'r': return LowerR;
        case 's': return LowerS;
        case 't': return LowerT;
        case 'v': return LowerV;
        case 'y': return LowerY;
        case ' ': return Space;
        default: return nullptr;
    }
}

}  // namespace

int LayOutText(const FontMetrics& metrics, const char* text, int left, std::vector<Glyph>* glyphs) {
    int x = left;
    bool first = true;
    for (const char* c = text; *c; ++c) {
        Builder build = BuilderFor(*c);
        if (!build) continue;
        if (!first) x += metrics.Spacing;
        first = false;
        Pen pen{metrics, x, Glyph{}};
        pen.Shape.HalfWidth = metrics.HalfStroke;
        x += build(&pen);
        if (glyphs && (!pen.Shape.Strokes.empty() || !pen.Shape.Arcs.empty())) glyphs->push_back(pen.Shape);
    }
    return x;
}

int TextWidth(const FontMetrics& metrics, const char* text) { return LayOutText(metrics, text, 0, nullptr); }
