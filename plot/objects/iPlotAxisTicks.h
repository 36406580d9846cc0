#pragma once
// The ticks of an axis and the texts of its values. TiPlotAxis places its ticks from the
// scale and the room its labels need (CalcTicks, with the canvas that measures them); what
// follows from there needs no canvas and lives in iPlotAxisTicks.cpp: the steps of linear,
// logarithmic, date-time and price scales, the tick list a program sets itself, and the texts
// of values in six formats for labels, data cursors and legends.
//
//     axis->CalcTicks(canvas);                       // ticks for the current scale
//     for (int i = 0; i < axis->GetTickListCount(); ++i)
//         axis->GetTick(i).Label;                    // "12.5": text of a major tick

#include "plot/objects/iPlotObjectsLayer.h"

#include "platform/core/Component.h"
#include "platform/core/Reflection.h"

#include <string>

PRAVIX_ENUM(TiPlotTickType, ipttMajor, ipttMinor)

// One tick of an axis.
class TiPlotTickObject : public TObject {
    PRAVIX_CLASS(TiPlotTickObject, TObject)
public:
    TiPlotTickObject() = default;
    TiPlotTickType Style = ipttMajor;
    double Position = 0;  // axis value
    int Pixel = 0;        // set for ticks on the scale
    std::string Label;    // text of a major tick
    bool OnScale = false;
};
