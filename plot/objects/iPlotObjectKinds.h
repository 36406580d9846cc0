#pragma once
// The kinds of plot objects this library holds (axes, channels, data view, toolbar, legend,
// table, data cursor, limit, label, annotation, the XY channel class) register themselves when
// the library loads, each in a static registration next to its published properties. Nothing
// else has to name them, so the control calls LinkPlotObjectKinds once: that call keeps
// plot_objects among the control's needed libraries when it links with --as-needed, and with
// it every registration.

#include "plot/objects/iPlotObjectsLayer.h"

void LinkPlotObjectKinds();
