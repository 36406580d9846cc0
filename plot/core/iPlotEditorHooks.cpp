#include "plot/core/iPlotEditorHooks.h"

namespace {

TiPlotSavePickerHook& SavePickerHook()
{
    static TiPlotSavePickerHook hook;
    return hook;
}

TiPlotPreviewHook& PreviewHook()
{
    static TiPlotPreviewHook hook;
    return hook;
}

}  // namespace

void RegisterPlotSavePicker(TiPlotSavePickerHook hook) { SavePickerHook() = std::move(hook); }

const TiPlotSavePickerHook& PlotSavePicker() { return SavePickerHook(); }

void RegisterPlotPreview(TiPlotPreviewHook hook) { PreviewHook() = std::move(hook); }

const TiPlotPreviewHook& PlotPreview() { return PreviewHook(); }
