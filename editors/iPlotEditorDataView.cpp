// The "Data View" page: the data view selected on its hidden list, its grid and its custom
// grid lines.

#include "editors/iPlotEditor.h"

#include "editors/iPlotEditor_p.h"

namespace {

// In the order the page writes them.
constexpr TiEditorBinding kDataViewBindings[] = {
    {"DataViewNameEdit", "Name"},
    {"DataViewEnabledCheckBox", "Enabled"},
    {"DataViewPopupEnabledCheckBox", "PopupEnabled"},
    {"DataViewLayerEdit", "Layer"},
    {"DataViewBackGroundTransparentCheckBox", "BackgroundTransparent"},
    {"DataViewBackgroundColorPicker", "BackgroundColor"},
    {"DataViewGridShow", "GridShow"},
    {"DataViewGridXAxisNameComboBox", "GridXAxisName"},
    {"DataViewGridYAxisNameComboBox", "GridYAxisName"},
    {"DataViewAxesControlEnabledCheckBox", "AxesControlEnabled"},
    {"DataViewAxesControlAllowInSelectModeCheckBox", "AxesControlAllowInSelectMode"},
    {"DataViewAxesControlMouseStyleComboBox", "AxesControlMouseStyle"},
    {"DataViewAxesControlWheelStyleComboBox", "AxesControlWheelStyle"},
    {"DataViewGridLineColorPicker", "GridLineColor"},
    {"DataViewGridLineShowLeft", "GridLineShowLeft"},
    {"DataViewGridLineShowRight", "GridLineShowRight"},
    {"DataViewGridLineShowTop", "GridLineShowTop"},
    {"DataViewGridLineShowBottom", "GridLineShowBottom"},
    {"DataViewGridLineShowXMajorsCheckBox", "GridLineShowXMajors"},
    {"DataViewGridLineShowXMinorsCheckBox", "GridLineShowXMinors"},
    {"DataViewGridLineShowYMajorsCheckBox", "GridLineShowYMajors"},
    {"DataViewGridLineShowYMinorsCheckBox", "GridLineShowYMinors"},
    {"DataViewGridLineMajorStyleComboBox", "GridLineMajorStyle"},
    {"DataViewGridLineMinorStyleComboBox", "GridLineMinorStyle"},
    // The custom grid lines, each on its inner page.
    {"DataViewGridLineXMajorCustomCheckBox", "GridLineXMajorCustom"},
    {"DataViewGridLineXMajorColorColorPicker", "GridLineXMajorColor"},
    {"DataViewGridLineXMajorWidthEdit", "GridLineXMajorWidth"},
    {"DataViewGridLineXMajorStyleComboBox", "GridLineXMajorStyle"},
    {"DataViewGridLineXMinorCustomCheckBox", "GridLineXMinorCustom"},
    {"DataViewGridLineXMinorColorColorPicker", "GridLineXMinorColor"},
    {"DataViewGridLineXMinorWidthEdit", "GridLineXMinorWidth"},
    {"DataViewGridLineXMinorStyleComboBox", "GridLineXMinorStyle"},
    {"DataViewGridLineYMajorCustomCheckBox", "GridLineYMajorCustom"},
    {"DataViewGridLineYMajorColorColorPicker", "GridLineYMajorColor"},
    {"DataViewGridLineYMajorWidthEdit", "GridLineYMajorWidth"},
    {"DataViewGridLineYMajorStyleComboBox", "GridLineYMajorStyle"},
    {"DataViewGridLineYMinorCustomCheckBox", "GridLineYMinorCustom"},
    {"DataViewGridLineYMinorColorColorPicker", "GridLineYMinorColor"},
    {"DataViewGridLineYMinorWidthEdit", "GridLineYMinorWidth"},
    {"DataViewGridLineYMinorStyleComboBox", "GridLineYMinorStyle"},
};

}  // namespace

std::span<const TiEditorBinding> DataViewBindings() { return kDataViewBindings; }

void TiPlotEditorForm::WireDataViewPage()
{
    WireBoundControls(*this, DataViewBindings(), TNotifyEvent::Bind(this, &TiPlotEditorForm::DataViewChange));
    EditorControl<TiComponentEditorComboBox>(*this, "DataViewGridXAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::DataViewGridXAxisNameComboBoxDropDown);
    EditorControl<TiComponentEditorComboBox>(*this, "DataViewGridYAxisNameComboBox").OnDropDown =
        TNotifyEvent::Bind(this, &TiPlotEditorForm::DataViewGridYAxisNameComboBoxDropDown);
}

// The update shows the data view's own names after the fill, so the fill keeps nothing of
// what the combo boxes showed before.
void TiPlotEditorForm::DataViewChange(TObject*)
{
    if (WritePage(TiPlotObjectKind::DataView))
        UpdateAll();
}
