#pragma once
// The two small drawing classes of the library: TiDrawObject, a growable list of points,
// and TiDraw, class routines for shaded triangles, pointers, borders and cylinder shading.

#include "components/iTypes.h"
#include "platform/canvas/Graphics.h"
#include "platform/core/Component.h"

#include <vector>

class TiDrawObject : public TObject {
    PRAVIX_CLASS(TiDrawObject, TObject)
public:
    TiDrawObject() = default;

    void ClearPolyPoints();
    void AddPolyPoint(const TPointDouble& Point);
    // An index outside 0 .. count - 1 raises EListError "Index out of Bounds".
    TPointDouble GetPolyPoint(int Index) const;
    void SetPolyPoint(int Index, const TPointDouble& Point);
    int GetPolyPointCount() const { return int(m_points.size()); }

private:
    void CheckIndex(int index) const;
    std::vector<TPointDouble> m_points;
};

class TiDraw : public TObject {
    PRAVIX_CLASS(TiDraw, TObject)
public:
    // A triangle filling Rect and pointing toward Direction, filled with Color; with
    // ibsRaised its edges are stroked white where they face up or left, black elsewhere.
    // Returns the triangle as a region (even-odd fill), which the caller keeps. Flag has no
    // effect.
    static TRegion Triangle(TCanvas& Canvas, const TRect& Rect, TiQuadDirection Direction, TiBevelStyle Bevel,
                            TColor Color, bool Flag);
    // The same for a five-point pointer: the tip in the middle of the side named by
    // Direction, the base the opposite side, the shoulders on the centre line.
    static TRegion Pointer(TCanvas& Canvas, const TRect& Rect, TiQuadDirection Direction, TiBevelStyle Bevel,
                           TColor Color, bool Flag);
    // A raised or sunken edge around Rect inflated by Inflate on every side; none for ibsNone.
    static void Border(TCanvas& Canvas, const TRect& Rect, int Inflate, TiBevelStyle Bevel);
    // Cylinder shading across Rect: Color along the middle line darkening toward the sides
    // (horizontal: the top and bottom; vertical: the left and right).
    static void GradientTube(TCanvas& Canvas, const TRect& Rect, TColor Color, TiOrientation Orientation);
};
