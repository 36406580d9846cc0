#pragma once
// The compact point list: X and Y as single-precision floats, 8 bytes a point. It keeps
// no status: a Null or Empty point reads back as a valid point, and X keeps only about
// seven significant digits (a date-time X of these years resolves only about five minutes).

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotDataCustomList.h"

class TiPlotDataCompactList : public TiPlotDataCustomList {
    PRAVIX_CLASS(TiPlotDataCompactList, TiPlotDataCustomList)
public:
    TiPlotDataCompactList();

    double GetX(int Index) const override;
    double GetY(int Index) const override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
    int Add(double X, double Y, bool Null, bool Empty) override;
    void ReadOrderX(double& First, double& Second, double& Newest) const override;
    void ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const override;
    bool HoldsSingleY() const override { return true; }

private:
    struct TPoint8 {
        float X;
        float Y;
    };
    static_assert(sizeof(TPoint8) == 8);
};
