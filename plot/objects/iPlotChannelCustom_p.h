#pragma once
// The path every added point takes, inline for the units that add points (the channel
// classes' own): a point costs tens of instructions, so a call and the reloads around it
// would be a large part of it.

#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotDataCustomList.h"

inline int TiPlotChannelCustom::AddXYInternal(double X, double Y, bool Null, bool Empty)
{
    m_list->Add(X, Y, Null, Empty);
    // Once a ring wraps the list answers the storage slot; callers want the point's index.
    const int index = m_list->Count() - 1;
    if (!Null && !Empty) {
        CountInRunningStatistics(X, Y);
        // The means are divided out when read: two divisions per point cost more than the
        // rest of the statistics.
        m_runningMeansFromSums = {true, true};
    }
    TrackAxes(X, Y, Null, Empty);
    if (m_loggingActive) {
        ++m_pendingLogRows;
        if (m_logBufferSize < 2 || m_pendingLogRows >= m_logBufferSize)
            WriteLog();
    }
    TriggerChangeUnlessAbsorbed();
    return index;
}

inline void TiPlotChannelCustom::CountInRunningStatistics(double X, double Y)
{
    if (X > m_runningXMax)
        m_runningXMax = X;
    if (X < m_runningXMin)
        m_runningXMin = X;
    if (Y > m_runningYMax)
        m_runningYMax = Y;
    if (Y < m_runningYMin)
        m_runningYMin = Y;
    ++m_runningCount;
    m_runningXSum += X;
    m_runningYSum += Y;
}

// Hands the newest point to the axes' tracking; with markers showing, the marker's whole
// extent is tracked so that the marker stays inside the view. Without markers the values as
// given are tracked, also where the list derives X from an interval instead of keeping it.
inline void TiPlotChannelCustom::TrackAxes(double X, double Y, bool Null, bool Empty)
{
    if (MarkersVisible()) {
        TrackMarkerExtents(Null, Empty);
        return;
    }
    if (m_xAxisTrackingEnabled)
        if (TiPlotXAxis* xAxis = GetXAxis())
            xAxis->NewTrackingData(X);
    if (m_yAxisTrackingEnabled && !Null && !Empty)
        if (TiPlotYAxis* yAxis = GetYAxis())
            yAxis->NewTrackingData(Y);
}
