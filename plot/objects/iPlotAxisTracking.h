#pragma once
// How an axis follows new data and how the user zooms and scrolls it. TrackValue, run with
// every point a channel adds, moves or widens the scale after the tracking style; Zoom,
// ZoomRect, ZoomToFit and the scroll and zoom by reference change it on request. TiPlotAxis's
// methods of this kind live in iPlotAxisTracking.cpp.
//
//     axis->SetTrackingStyle(iptsScrollSmooth);
//     axis->TrackValue(x);          // the scale scrolls so that x is in view
//     axis->ZoomToFit();            // the scale spans the data of its channels

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/core/Reflection.h"

PRAVIX_ENUM(TiPlotTrackingStyle, iptsScaleMinMax, iptsScaleMax, iptsScaleMin, iptsScrollSmooth, iptsScrollPage,
            iptsExpandCollapse, iptsExpandCollapseFast, iptsExpandMinMax)
PRAVIX_ENUM(TiPlotAlignFirstStyle, ipafsMin, ipafsMax, ipafsAuto, ipafsNone)
PRAVIX_ENUM(TiPlotTrackingIncrementStyle, iptisMinimum, iptisMajor, iptisMinor)

// The lowest and highest value of one channel drawn against an axis.
struct TiPlotAxisDataRange {
    double Min = 0;
    double Max = 0;
};
