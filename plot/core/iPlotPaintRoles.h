#pragma once
// What the plot's paint pass asks of the objects that play a special part in a frame beyond
// DrawSetup and Draw. Each kind's class implements the role it plays; the paint pass finds
// it by a cross-cast, so an object without the role simply takes no part in that step.

#include "platform/core/Types.h"

class TCanvas;
class TiPlotObject;

// A data cursor: brought up to date before the layout and pointed at the data view drawn.
class IPlotDataCursorPaint {
public:
    virtual void DoUpdate() = 0;
    virtual bool ShowsAllChannelsInLegend() const = 0;  // Visible, "<All>", ChannelShowAllInLegend
    virtual void SetPaintDataView(TiPlotObject* dataView) = 0;

protected:
    ~IPlotDataCursorPaint() = default;
};

// A limit: a fill-type limit is drawn under the data view's grid, the others over it.
class IPlotLimitPaint {
public:
    virtual bool GetIsFillType() const = 0;

protected:
    ~IPlotLimitPaint() = default;
};

// An annotation: placed against the data view drawn.
class IPlotAnnotationPaint {
public:
    virtual void SetPaintDataView(TiPlotObject* dataView) = 0;

protected:
    ~IPlotAnnotationPaint() = default;
};
