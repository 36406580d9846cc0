#pragma once
// Enumerations the channel shares with its point lists, data cursors and files. Channel
// property files store them by ordinal, so the order of each value list is fixed.

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/core/Reflection.h"

// Which point list a channel keeps its points in.
PRAVIX_ENUM(TiPlotDataStyle, ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature)
// Valid, Null (breaks the trace) or Empty (skipped; the trace continues past it).
PRAVIX_ENUM(TiPlotDataPointStatus, ipdpsValid, ipdpsNull, ipdpsEmpty)
// Which coordinates dragging a point with the mouse changes.
PRAVIX_ENUM(TiPlotChannelDataPointMoveStyle, ipcdpmsXandY, ipcdpmsXOnly, ipcdpmsYOnly)
// What a data cursor shows: values under one pointer, or the distance between two.
PRAVIX_ENUM(TiPlotDataCursorStyle, ipcsValueXY, ipcsValueX, ipcsValueY, ipcsDeltaX, ipcsDeltaY, ipcsInverseDeltaX)
