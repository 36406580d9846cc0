#include "plot/core/iPlotEditorHooks.h"

namespace {

TiPlotSavePickerHook& SavePickerHook()
{
    static TiPlotSavePickerHook hook;
    return hook;
}

}  // namespace

void RegisterPlotSavePicker(TiPlotSavePickerHook hook) { SavePickerHook() = std::move(hook); }

const TiPlotSavePickerHook& PlotSavePicker() { return SavePickerHook(); }
