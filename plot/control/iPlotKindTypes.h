#pragma once
// The class a plot returns for each kind of object: the named operations of TiPlotComponent
// (GetDataView, GetLegendByName, ...) are typed through this table, and all of them run on
// the one kind-indexed path of the control.
//
//     TiPlotKindObject<TiPlotObjectKind::Legend>   // TiPlotLegend

#include "plot/control/iPlotControlLayer.h"

#include "plot/core/iPlotManagers.h"
#include "plot/objects/iPlotAnnotation.h"
#include "plot/objects/iPlotAxis.h"
#include "plot/objects/iPlotChannelCustom.h"
#include "plot/objects/iPlotDataCursor.h"
#include "plot/objects/iPlotDataView.h"
#include "plot/objects/iPlotLabel.h"
#include "plot/objects/iPlotLegend.h"
#include "plot/objects/iPlotLimit.h"
#include "plot/objects/iPlotTable.h"
#include "plot/objects/iPlotToolBar.h"

template <TiPlotObjectKind Kind>
struct TiPlotKindType;

template <>
struct TiPlotKindType<TiPlotObjectKind::ToolBar> {
    using Type = TiPlotToolBar;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Legend> {
    using Type = TiPlotLegend;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Table> {
    using Type = TiPlotTable;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::XAxis> {
    using Type = TiPlotXAxis;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::YAxis> {
    using Type = TiPlotYAxis;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Channel> {
    using Type = TiPlotChannelCustom;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::DataView> {
    using Type = TiPlotDataView;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::DataCursor> {
    using Type = TiPlotDataCursor;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Limit> {
    using Type = TiPlotLimit;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Label> {
    using Type = TiPlotLabel;
};
template <>
struct TiPlotKindType<TiPlotObjectKind::Annotation> {
    using Type = TiPlotAnnotation;
};

template <TiPlotObjectKind Kind>
using TiPlotKindObject = typename TiPlotKindType<Kind>::Type;
