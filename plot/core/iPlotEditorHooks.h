#pragma once
// What the plot asks of the editors library. The plot never links the editors: they register
// these hooks when their library is loaded, and until they have, the plot does without them
// (the run-time editor registers through RegisterPlotEditor, iPlotMasterManager.h).

#include <functional>
#include <string>

class TWinControl;
class TiPlotComponent;

// Runs the plot's hidden save picker (owned by and parented to the plot) with the filter and
// the start name; true, with the chosen name in fileName, when the user confirmed.
using TiPlotSavePickerHook = std::function<bool(TWinControl& plot, const std::string& filter, std::string& fileName)>;
void RegisterPlotSavePicker(TiPlotSavePickerHook hook);
// The registered picker; empty while none is.
const TiPlotSavePickerHook& PlotSavePicker();

// Shows the print preview of the plot modally, with the plot's print settings, and frees it
// when it closes.
using TiPlotPreviewHook = std::function<void(TiPlotComponent& plot)>;
void RegisterPlotPreview(TiPlotPreviewHook hook);
// The registered preview; empty while none is.
const TiPlotPreviewHook& PlotPreview();
