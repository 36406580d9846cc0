#include "platform/core/Types.h"

#include <algorithm>

bool PtInRect(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (IsRectEmpty(r)) {
        dst = TRect{};
        return false;
    }
    dst = r;
    return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (IsRectEmpty(a)) {
        dst = IsRectEmpty(b) ? TRect{} : b;
    } else if (IsRectEmpty(b)) {
        dst = a;
    } else {
        dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
    }
    return !IsRectEmpty(dst);
}

void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}
