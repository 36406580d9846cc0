// The "ToolBar" page: the toolbar selected on its hidden list, and which buttons it shows.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"

namespace {

// In the order the page writes them.
constexpr TiEditorBinding kToolBarBindings[] = {
    {"ToolBarNameEdit", "Name"},
    {"ToolBarVisibleCheckBox", "Visible"},
    {"ToolBarEnabledCheckBox", "Enabled"},
    {"ToolBarPopupEnabledCheckBox", "PopupEnabled"},
    {"ToolBarFlatBorderCheckBox", "FlatBorder"},
    {"ToolBarFlatButtonsCheckBox", "FlatButtons"},
    {"ToolBarSmallButtonsCheckBox", "SmallButtons"},
    {"ToolBarShowResumeButtonCheckBox", "ShowResumeButton"},
    {"ToolBarShowPauseButtonCheckBox", "ShowPauseButton"},
    {"ToolBarShowAxesModeButtonsCheckBox", "ShowAxesModeButtons"},
    {"ToolBarShowZoomInOutButtonsCheckBox", "ShowZoomInOutButtons"},
    {"ToolBarShowSelectButtonCheckBox", "ShowSelectButton"},
    {"ToolBarShowZoomBoxButtonCheckBox", "ShowZoomBoxButton"},
    {"ToolBarShowCursorButtonCheckBox", "ShowCursorButton"},
    {"ToolBarShowEditButtonCheckBox", "ShowEditButton"},
    {"ToolBarShowCopyButtonCheckBox", "ShowCopyButton"},
    {"ToolBarShowSaveButtonCheckBox", "ShowSaveButton"},
    {"ToolBarShowPrintButtonCheckBox", "ShowPrintButton"},
    {"ToolBarShowPreviewButtonCheckBox", "ShowPreviewButton"},
    {"ToolBarZoomInOutFactorEdit", "ZoomInOutFactor"},
};

}  // namespace

std::span<const TiEditorBinding> ToolBarBindings() { return kToolBarBindings; }

void TiPlotEditorForm::WireToolBarPage()
{
    WireBoundControls(*this, ToolBarBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::ToolBarChange));
}

void TiPlotEditorForm::ToolBarChange(TObject*)
{
    if (WritePage(TiPlotObjectKind::ToolBar))
        UpdateAll();
}
