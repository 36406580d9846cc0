#include "plot/objects/iPlotDataCompactIntervalList.h"

#include "platform/core/Exceptions.h"

PRAVIX_PUBLISH(TiPlotDataCompactIntervalList)

TiPlotDataCompactIntervalList::TiPlotDataCompactIntervalList() { SetDataPointSize(sizeof(float)); }

int TiPlotDataCompactIntervalList::Add(double X, double Y, bool, bool)
{
    // Committed only once the point is stored, so a refused point changes nothing.
    double firstX = m_firstX;
    double interval = m_interval;
    if (Count() == 0)
        firstX = X;
    else if (Count() == 1 && interval == UnmeasuredInterval)
        interval = X - firstX;
    const bool overwritesOldest = IsWrapping();
    const int slot = AddRecord(float(Y));
    // The oldest point was replaced: the next one is now logical point 0. A ring of
    // one point advances too, so its only point follows the X it was added at.
    m_firstX = overwritesOldest ? firstX + interval : firstX;
    m_interval = interval;
    SetNewestAddedX(XAt(Count() - 1));
    return slot;
}

void TiPlotDataCompactIntervalList::Clear()
{
    inherited::Clear();
    m_interval = UnmeasuredInterval;
}

void TiPlotDataCompactIntervalList::DeletePoints(int N)
{
    inherited::DeletePoints(N);
    m_firstX += N * m_interval;
}

double TiPlotDataCompactIntervalList::GetX(int Index) const { return XAt(Index); }

void TiPlotDataCompactIntervalList::ReadOrderX(double& First, double& Second, double& Newest) const
{
    First = XAt(0);
    Second = XAt(1);
    Newest = XAt(Count() - 1);
}

double TiPlotDataCompactIntervalList::GetY(int Index) const { return Point<float>(Index); }
void TiPlotDataCompactIntervalList::SetY(int Index, double Value) { Point<float>(Index) = float(Value); }

void TiPlotDataCompactIntervalList::SetX(int Index, double Value)
{
    if (Count() == 0 || Index != 0)
        throw Exception("Data Style does not support setting individual X-Value with the exception of the first "
                        "X-Value");
    NoteChange();
    m_firstX = Value;
}

void TiPlotDataCompactIntervalList::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
{
    Y = GetY(Index);
    X = GetX(Index);
    Empty = false;
    Null = false;
}
