// Points, sizes and rectangles in device pixels, as the drawing calls take them.
// A rectangle's right and bottom edges lie outside it: TRect{0, 0, 10, 10} covers
// pixels 0..9 in both directions.
#pragma once

#include <algorithm>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
inline bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
inline void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx; r.Top -= dy; r.Right += dx; r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx; r.Top += dy; r.Right += dx; r.Bottom += dy;
}
// Intersection; an empty result is the zero rectangle, and the function says whether
// the two overlap.
inline bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dest = TRect{};
        return false;
    }
    dest = r;
    return true;
}
inline bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
    if (a.IsEmpty()) { dest = b; return !b.IsEmpty(); }
    if (b.IsEmpty()) { dest = a; return true; }
    dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
    return true;
}
