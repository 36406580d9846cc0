#pragma once
// The small records of trace drawing. TiPlotMinMaxPoint reduces the points that fall into
// one pixel column to what a one-pixel trace shows of them: the first point's place, the
// lowest and highest Y, and the first and last Y by which the column joins its neighbours.
//
//     TiPlotMinMaxPoint column;
//     column.AddData(x, y, xPixel);   // any number of points of one column
//     column.MinY, column.MaxY;       // the vertical line drawn at column.X
//
// TiMinMaxPoint is the older accumulator of the same kind, kept for code written against it.
// TiPlotPointWindow holds the points read around the end of a pixel column.
// TDigitalSequenceData is one run of equal state of a digital trace.
//
// iPlotTraceDrawing.cpp also defines how channels draw: the drawing primitives of
// TiPlotChannelCustom (iPlotChannelCustom.h) and the drawing methods of TiPlotChannel
// (iPlotChannel.h), which those headers declare.

#include "plot/objects/iPlotObjectsLayer.h"

#include "plot/objects/iPlotPointSummary.h"

#include "platform/core/Component.h"

class TiPlotMinMaxPoint : public TPersistent {
    PRAVIX_CLASS(TiPlotMinMaxPoint, TPersistent)
public:
    TiPlotMinMaxPoint() { Clear(); }

    void Clear();
    void AddData(double X, double Y, int XPixel);
    // The same, noting the point's Y pixel for the end of a stretch of trace (see below).
    void AddData(double X, double Y, int XPixel, int YPixel);
    void AssignDown(const TiPlotMinMaxPoint& Source);

    bool Empty = true;
    int XPixel = 0;
    double X = 0;
    double MaxY = -1e301;
    double MinY = 1e301;
    double FirstY = 0;
    double LastY = 0;
    // The latest point's X, its Y pixel, and the extremes of the points before the trailing
    // run that shares that pixel; likewise the extremes after the leading run on the first
    // point's pixel. Where a stretch of trace ends in this column, they tell whether the
    // segments between its points leave that end's pixel out.
    double LastX = 0;
    int LastYPixel = 0;
    double MaxYBeforeRun = -1e301;
    double MinYBeforeRun = 1e301;
    int FirstYPixel = 0;
    bool LeadingRunEnded = false;
    double MaxYAfterRun = -1e301;
    double MinYAfterRun = 1e301;
};

class TiMinMaxPoint : public TPersistent {
    PRAVIX_CLASS(TiMinMaxPoint, TPersistent)
public:
    TiMinMaxPoint() { Clear(); }

    void Clear();
    // A Null value only marks the accumulator as used.
    void AddData(double Value, bool Null, int XPixel);
    // Raises "Assign class must be TiMinMaxPoint" for a source of any other class.
    void AssignDown(const TPersistent& Source);

    bool Empty = true;
    bool FirstValue = true;
    int XPixel = 0;
    double Max = -1e301;
    double Min = 1e301;
    double First = 0;
    double Last = 0;
};

// Points of a fast trace read in one call around the end of a pixel column: the column's
// last points and the next column's first, which the column's extremes and the next column
// read again.
struct TiPlotPointWindow {
    // A block of kept extremes and the point after it.
    static constexpr int kSize = TiPlotPointSummary::kBlockSize + 1;

    bool Holds(int First, int Last) const { return From <= First && Last < From + Count; }
    // Folds the Y of points First .. Last, none of them Null or Empty, into Min and Max as a
    // pass over the points does (NaN skipped).
    void FoldY(int First, int Last, double& Min, double& Max) const
    {
        for (int i = First - From; i <= Last - From; ++i) {
            if (Y[i] > Max)
                Max = Y[i];
            if (Y[i] < Min)
                Min = Y[i];
        }
    }

    // List indexes From .. From + Count - 1.
    int From = 0;
    int Count = 0;
    double X[kSize];
    double Y[kSize];
    bool Empty[kSize];
    bool Null[kSize];
};

struct TDigitalSequenceData {
    // Ends the run; the X values and the state stay for the next one to read.
    void Clear()
    {
        Started = false;
        HasLast = false;
        HasNext = false;
    }

    bool Started = false;
    double StartX = 0;
    bool HighState = false;
    bool HasLast = false;
    double LastX = 0;
    bool HasNext = false;
    double NextX = 0;
};
