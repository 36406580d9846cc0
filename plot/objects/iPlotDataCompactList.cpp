#include "plot/objects/iPlotDataCompactList.h"

PRAVIX_PUBLISH(TiPlotDataCompactList)

TiPlotDataCompactList::TiPlotDataCompactList() { SetDataPointSize(sizeof(TPoint8)); }

int TiPlotDataCompactList::Add(double X, double Y, bool, bool) { return AddRecord(TPoint8{float(X), float(Y)}); }

double TiPlotDataCompactList::GetX(int Index) const { return Point<TPoint8>(Index).X; }
double TiPlotDataCompactList::GetY(int Index) const { return Point<TPoint8>(Index).Y; }
void TiPlotDataCompactList::SetX(int Index, double Value) { Point<TPoint8>(Index).X = float(Value); }
void TiPlotDataCompactList::SetY(int Index, double Value) { Point<TPoint8>(Index).Y = float(Value); }

void TiPlotDataCompactList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    const TPoint8& point = Point<TPoint8>(Index);
    X = point.X;
    Y = point.Y;
    Empty = false;
    Null = false;
}

void TiPlotDataCompactList::ReadXYEmptyNull(int First, int Count, double* X, double* Y, bool* Empty, bool* Null) const
{
    VisitPoints<TPoint8>(First, Count, [&](const TPoint8& point) {
        *X++ = point.X;
        *Y++ = point.Y;
        *Empty++ = false;
        *Null++ = false;
    });
}

void TiPlotDataCompactList::ReadOrderX(double& First, double& Second, double& Newest) const
{
    ReadOrderXOf<TPoint8>(First, Second, Newest);
}
