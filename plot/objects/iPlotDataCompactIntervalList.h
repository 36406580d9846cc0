#pragma once
// The compact interval point list: Y alone as a single-precision float, 4 bytes a point.
// X is derived: X(i) = FirstX + i * Interval, with FirstX the X of the first point added
// and Interval the X distance of the first two; later X arguments are not stored. Removing
// old points (deletes, a wrapping ring) moves FirstX so the remaining points keep their X.
// No Null or Empty status is kept.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotDataCustomList.h"

class TiPlotDataCompactIntervalList : public TiPlotDataCustomList {
    PRAVIX_CLASS(TiPlotDataCompactIntervalList, TiPlotDataCustomList)
public:
    // The Interval of a list that has not seen two points since construction or Clear.
    static constexpr double UnmeasuredInterval = -1.0;

    TiPlotDataCompactIntervalList();

    double Interval() const { return m_interval; }
    double FirstX() const { return m_firstX; }

    // Computed for any Index, without a range check.
    double GetX(int Index) const override;
    double GetY(int Index) const override;
    // Only the first point's X can be set (it moves every X); any other call raises
    // "Data Style does not support setting individual X-Value with the exception of the
    // first X-Value".
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const override;
    void ReadOrderX(double& First, double& Second, double& Newest) const override;
    bool HoldsSingleY() const override { return true; }

    int Add(double X, double Y, bool Null, bool Empty) override;
    void Clear() override;
    void DeletePoints(int N) override;

private:
    double XAt(int Index) const { return m_firstX + Index * m_interval; }

    double m_interval = UnmeasuredInterval;
    double m_firstX = 0.0;
};
